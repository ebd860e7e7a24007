#include "export/SafeFileReplace.h"
#include "toolkit/ProgramTexts.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "export/WriterErrors.h"
#include "toolkit/DoubleByte.h"
#include "toolkit/Exceptions.h"

namespace iconexport {

namespace {

constexpr char kNameDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kNameDigitCount = 36;
// "~" + three digits of 36 + ".TMP": eight characters, as short as the shortest name exported.
constexpr int kTemporaryNames = kNameDigitCount * kNameDigitCount * kNameDigitCount;

bool WriteFileBytes(void* file, const std::uint8_t* bytes, std::size_t size) {
    DWORD written = 0;
    const DWORD length = static_cast<DWORD>(size);
    return WriteFile(static_cast<HANDLE>(file), bytes, length, &written, nullptr) && written == length;
}

// The open file takes the name `to` where nothing of that name exists, in one call on its handle:
// no second opening of the file by name, as a move by names would make.
bool RenameOpenFile(void* file, const std::string& to) {
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, to.c_str(), -1, nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, to.c_str(), -1, &wide[0], length);
    const DWORD fullLength = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (fullLength == 0) return false;
    std::wstring full(fullLength, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), fullLength, &full[0], nullptr));
    // The system's own form of the path: taken as it is, whatever the system's version.
    const std::wstring name = L"\\??\\" + full;
    std::vector<std::uint8_t> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::copy(name.begin(), name.end(), info->FileName);
    return SetFileInformationByHandle(static_cast<HANDLE>(file), FileRenameInfo, info, static_cast<DWORD>(buffer.size())) !=
           FALSE;
}

FileSystemCalls SystemCalls() {
    return {WriteFileBytes, [](void* file) { return FlushFileBuffers(static_cast<HANDLE>(file)) != FALSE; },
            [](const std::string& target, const std::string& replacement) {
                return ReplaceFileA(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                    nullptr, nullptr) != FALSE;
            },
            [](const std::string& from, const std::string& to) {
                return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
            },
            RenameOpenFile};
}

FileSystemCalls& Calls() {
    static FileSystemCalls calls = SystemCalls();
    return calls;
}

// A held file is usually let go within a moment (a scanner reading what was just written).
constexpr int kMoveAttempts = 5;
constexpr DWORD kMoveRetryDelay = 200;

}  // namespace

void SetFileSystemCalls(FileSystemCalls calls) {
    const FileSystemCalls system = SystemCalls();
    Calls() = {calls.writeBytes ? calls.writeBytes : system.writeBytes, calls.flush ? calls.flush : system.flush,
               calls.replace ? calls.replace : system.replace, calls.move ? calls.move : system.move,
               calls.rename ? calls.rename : system.rename};
}

EReplacementKept::EReplacementKept(const std::string& path, const std::string& temporary)
    : toolkit::Exception(toolkit::TextWith(toolkit::TextId::ErrorReplaceLeftNew, {path, temporary})) {}

std::string TemporaryNameFor(const std::string& path, int attempt) {
    // Temporaries an interrupted run left behind lie where that run started: this one starts
    // elsewhere (almost always), and walks on past them otherwise.
    static const int start = static_cast<int>(GetCurrentProcessId() % kTemporaryNames);
    int number = (start + attempt % kTemporaryNames) % kTemporaryNames;
    char name[] = "~000.TMP";
    for (int digit = 3; digit >= 1; --digit, number /= kNameDigitCount)
        name[digit] = kNameDigits[number % kNameDigitCount];
    const std::size_t delimiter = toolkit::SystemLeadBytes().LastDelimiter(path, "\\:");
    const std::string folder = delimiter == std::string::npos ? std::string() : path.substr(0, delimiter + 1);
    return folder + name;
}

namespace {

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
        // DELETE: the open file may be renamed through its handle.
        handle_ = CreateFileA(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        name_ = name;
        return true;
    }

    bool Write(const std::vector<std::uint8_t>& bytes) { return Calls().writeBytes(handle_, bytes.data(), bytes.size()); }

    // The bytes reach the disk before the file takes another's place.
    bool Flush() { return Calls().flush(handle_); }

    bool Close() {
        if (handle_ == INVALID_HANDLE_VALUE) return true;
        return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
    }

    // Keeps the file where it is.
    void Keep() { name_.clear(); }

    // Gives the open file the name `target`, where nothing of that name exists.
    bool RenameTo(const std::string& target) {
        if (!Calls().rename(handle_, target)) return false;
        name_ = target;
        return true;
    }

    // The attributes a replaced file had that a new one can take (hidden, system and the like).
    bool TakeAttributes(DWORD attributes) {
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        const DWORD kept = attributes & kKept;
        return SetFileAttributesA(name_.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) != FALSE;
    }

    // Keeps the file under the name `target`, replacing what is there: the replaced file's
    // creation time and security stay; where the system refuses that (some file systems and
    // shares), a move that returns only once it is on the disk. The system's replacement may fail
    // after removing the target: then the move is tried again for a while, and if the file still
    // cannot take the target's place it is kept and named in the error.
    void MoveOnto(const std::string& target) {
        if (Calls().replace(target, name_) || Calls().move(name_, target)) return Keep();
        if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES) throw toolkit::EFCreateError(target);
        for (int attempt = 1; attempt < kMoveAttempts; ++attempt) {
            Sleep(kMoveRetryDelay);
            if (Calls().move(name_, target)) return Keep();
        }
        const std::string kept = name_;
        Keep();
        throw EReplacementKept(target, kept);
    }

private:
    std::string name_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A new file beside `path`, under the first temporary name that is free.
void CreateTemporary(NewFile& temporary, const std::string& path) {
    for (int attempt = 0; !temporary.Create(TemporaryNameFor(path, attempt)); ++attempt) {
        // Only a name that is taken (by a file or a folder) is worth another try; the error
        // names the file being written, which is what the user knows.
        if (attempt + 1 == kTemporaryNames || !NameTaken(TemporaryNameFor(path, attempt)))
            throw toolkit::EFCreateError(path);
    }
}

// Something of the target's name exists: the written temporary reaches the disk and moves over it.
void ReplaceExisting(NewFile& temporary, const std::string& path, DWORD attributes) {
    // A read-only file cannot be opened for writing, so it is not replaced either; Windows' move
    // refuses it too, Wine's would not. A folder of the target's name is refused as it would
    // refuse being created (Wine's ReplaceFileA would put the file in its place).
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) throw toolkit::EFCreateError(path);
    if (!temporary.Flush() || !temporary.Close()) throw EWriteError();
    if (!temporary.TakeAttributes(attributes)) throw toolkit::EFCreateError(path);
    temporary.MoveOnto(path);
}

}  // namespace

void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    NewFile temporary;
    CreateTemporary(temporary, path);
    if (!temporary.Write(bytes)) throw EWriteError();
    // Nothing of the name exists (the common case: an export into a folder of its own): the file
    // takes it while still open, with nothing asked beforehand. Only a replacement is flushed: a
    // new file has no old contents to lose.
    if (temporary.RenameTo(path)) {
        if (!temporary.Close()) throw EWriteError();  // the file under the name is removed again
        return temporary.Keep();
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw toolkit::EFCreateError(path);  // the folder is unusable
    ReplaceExisting(temporary, path, attributes);
}

}  // namespace iconexport
