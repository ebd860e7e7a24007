#include "app/IconSource.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/IconResourceReader.h"

namespace app {

namespace {

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

// The bytes of an open file, read on demand. The reader asks for many small pieces close to each
// other, so each read fetches one block ahead and later pieces inside it cost no system call.
class FileByteSource : public ByteSource {
public:
    FileByteSource(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    bool Read(std::uint64_t offset, void* out, std::size_t count) override {
        if (offset > size_ || count > size_ - offset) return false;
        if (offset < blockStart_ || offset + count > blockStart_ + block_.size()) {
            if (!Fetch(offset, std::max<std::uint64_t>(count, kBlockSize))) return false;
        }
        if (count) std::memcpy(out, block_.data() + (offset - blockStart_), count);
        return true;
    }

private:
    static constexpr std::uint64_t kBlockSize = 4096;

    bool Fetch(std::uint64_t offset, std::uint64_t wanted) {
        const auto count = static_cast<DWORD>(std::min(wanted, size_ - offset));
        block_.resize(count);
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        if (!ReadFile(file_, block_.data(), count, &got, &at) || got != count) {
            block_.clear();
            return false;
        }
        blockStart_ = offset;
        return true;
    }

    HANDLE file_;
    std::uint64_t size_;
    std::uint64_t blockStart_ = 0;
    std::vector<std::uint8_t> block_;
};

IconFileSummary ReadSummary(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size)) return {};
    FileByteSource source(file.Get(), static_cast<std::uint64_t>(size.QuadPart));
    return ReadIconSummary(source);
}

}  // namespace

int IconCount(HWND, const std::string& path) { return ReadSummary(path).count; }

HICON ExtractIconAt(HWND owner, const std::string& path, int index) {
    if (index < 0 || index >= ReadSummary(path).count) return nullptr;
    return ExtractIconA(reinterpret_cast<HINSTANCE>(owner), path.c_str(), static_cast<UINT>(index));
}

}  // namespace app
