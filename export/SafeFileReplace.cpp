#include "export/SafeFileReplace.h"

#include <windows.h>

#include <utility>

#include "export/WriterErrors.h"
#include "toolkit/DoubleByte.h"
#include "toolkit/Exceptions.h"

namespace iconexport {

std::string TemporaryNameFor(const std::string& path, int attempt) {
    const std::size_t delimiter = toolkit::SystemLeadBytes().LastDelimiter(path, "\\:");
    const std::string folder = delimiter == std::string::npos ? std::string() : path.substr(0, delimiter + 1);
    return folder + "~" + std::to_string(attempt) + ".TMP";
}

namespace {

// Temporaries left behind by a program that was killed take a name each; past this many the
// folder is considered unusable.
constexpr int kTemporaryAttempts = 32;

bool NameTaken(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A file this program created and is writing; deleted again unless it was finished.
class NewFile {
public:
    NewFile() = default;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() {
        Close();
        if (!name_.empty()) DeleteFileA(name_.c_str());
    }

    // Creates `name` only if nothing of that name exists yet.
    bool Create(const std::string& name) {
        handle_ = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        name_ = name;
        return true;
    }

    bool Write(const std::vector<std::uint8_t>& bytes) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(bytes.size());
        return WriteFile(handle_, bytes.data(), size, &written, nullptr) && written == size;
    }

    bool Close() {
        if (handle_ == INVALID_HANDLE_VALUE) return true;
        return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
    }

    // Keeps the file where it is.
    void Keep() { name_.clear(); }

    // The attributes a replaced file had that a new one can take (hidden, system and the like).
    bool TakeAttributes(DWORD attributes) {
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        const DWORD kept = attributes & kKept;
        return SetFileAttributesA(name_.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) != FALSE;
    }

    // Keeps the file under the name `target`, replacing what is there.
    bool MoveOnto(const std::string& target) {
        if (!MoveFileExA(name_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
        Keep();
        return true;
    }

private:
    std::string name_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

void WriteAndClose(NewFile& file, const std::vector<std::uint8_t>& bytes) {
    if (!file.Write(bytes) || !file.Close()) throw EWriteError();
}

// Something of the target's name exists: write beside it and move over it when complete.
void ReplaceExisting(const std::string& path, DWORD attributes, const std::vector<std::uint8_t>& bytes) {
    // A read-only file cannot be opened for writing, so it is not replaced either; Windows' move
    // refuses it too, Wine's would not.
    if ((attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw toolkit::EFCreateError(path);
    NewFile temporary;
    for (int attempt = 0; !temporary.Create(TemporaryNameFor(path, attempt)); ++attempt) {
        // Only a name that is taken (by a file or a folder) is worth another try.
        if (attempt + 1 == kTemporaryAttempts || !NameTaken(TemporaryNameFor(path, attempt)))
            throw toolkit::EFCreateError(path);
    }
    WriteAndClose(temporary, bytes);
    // A folder of the target's name refuses the move as it would refuse being created.
    if (!temporary.TakeAttributes(attributes) || !temporary.MoveOnto(path)) throw toolkit::EFCreateError(path);
}

}  // namespace

void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // A new file needs no temporary: if its writing fails it is simply removed again.
        NewFile file;
        if (file.Create(path)) {
            WriteAndClose(file, bytes);
            file.Keep();
            return;
        }
        // Something of that name may have appeared meanwhile; otherwise the folder is unusable.
        attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) throw toolkit::EFCreateError(path);
    }
    ReplaceExisting(path, attributes, bytes);
}

}  // namespace iconexport
