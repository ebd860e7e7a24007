#include "export/SafeFileReplace.h"

#include <windows.h>

#include <utility>

#include "export/WriterErrors.h"
#include "toolkit/Exceptions.h"

namespace iconexport {

namespace {

// Temporaries left behind by a program that was killed take a name each; past this many the
// folder is considered unusable.
constexpr int kTemporaryAttempts = 32;

// A new file that is deleted again unless it was moved into place.
class TemporaryFile {
public:
    // Creates a file under the first free temporary name; INVALID_HANDLE_VALUE when none can be made.
    explicit TemporaryFile(const std::string& target) {
        for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
            name_ = TemporaryNameFor(target, attempt);
            handle_ = CreateFileA(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle_ != INVALID_HANDLE_VALUE) return;
            // Only a name that is taken (by a file or a folder) is worth another try.
            if (GetFileAttributesA(name_.c_str()) == INVALID_FILE_ATTRIBUTES) break;
        }
        name_.clear();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        Close();
        if (!name_.empty()) DeleteFileA(name_.c_str());
    }

    bool Created() const { return !name_.empty(); }

    bool Write(const std::vector<std::uint8_t>& bytes) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(bytes.size());
        return WriteFile(handle_, bytes.data(), size, &written, nullptr) && written == size;
    }

    bool Close() {
        if (handle_ == INVALID_HANDLE_VALUE) return true;
        return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
    }

    bool MoveOnto(const std::string& target) {
        if (!MoveFileExA(name_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
        name_.clear();
        return true;
    }

private:
    std::string name_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

std::string TemporaryNameFor(const std::string& path, int attempt) {
    return path + ".~" + std::to_string(attempt) + ".tmp";
}

void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    TemporaryFile temporary(path);
    if (!temporary.Created()) throw toolkit::EFCreateError(path);
    if (!temporary.Write(bytes) || !temporary.Close()) throw EWriteError();
    // A folder or a protected file of the target's name refuses the move as it would refuse
    // being created.
    if (!temporary.MoveOnto(path)) throw toolkit::EFCreateError(path);
}

}  // namespace iconexport
