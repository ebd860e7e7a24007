#pragma once
// An open file or folder handle, closed with its owner, and what tells one file or folder from
// every other on its volume.
#include <windows.h>

#include <cstdint>

namespace icons {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (IsOpen()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// The index of the open file or folder on its volume. GetFileInformationByHandle would give it
// with the volume's serial number, but asks the volume for that each time, which costs Wine
// milliseconds per file.
bool FileIndexOf(HANDLE file, std::uint64_t& index);

}  // namespace icons
