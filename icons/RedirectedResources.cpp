#include "icons/RedirectedResources.h"

#include <windows.h>

#include <vector>

#include "icons/FileHandle.h"
#include "icons/PathNames.h"
#include "toolkit/DoubleByte.h"

namespace icons {

namespace {

// What tells a folder from every other, however its path is spelled (another drive or a SUBST,
// short names, "\\?\", "."): its volume's serial number and its index there.
struct FolderIdentity {
    DWORD volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderIdentity& other) const { return volume == other.volume && index == other.index; }
};

bool IdentityOf(const std::string& folder, FolderIdentity& identity) {
    FileHandle handle(CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!handle.IsOpen() || !GetFileInformationByHandle(handle.Get(), &information) ||
        !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    identity = {information.dwVolumeSerialNumber,
                (std::uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
    return identity.index != 0;  // some file systems give every folder 0: that tells nothing
}

using FolderQuery = UINT(WINAPI*)(LPSTR, UINT);

std::string QueriedFolder(FolderQuery query) {
    char folder[MAX_PATH];
    const UINT length = query(folder, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(folder, length);
}

struct SystemFolders {
    std::string windows;
    std::vector<FolderIdentity> redirected;  // folders whose files the loader redirects
};

// Asked once: the folders do not move while the program runs. The system's own Windows folder, not
// a Remote Desktop user's private one. A 32-bit program on 64-bit Windows sees the 32-bit system
// folder under the system folder's name and reaches the real one as "Sysnative"; the 32-bit system
// folder exists only on 64-bit Windows. Whatever does not exist is left out.
const SystemFolders& Folders() {
    static const SystemFolders folders = [] {
        SystemFolders f;
        f.windows = QueriedFolder(GetSystemWindowsDirectoryA);
        if (f.windows.empty()) return f;
        const std::string sysnative = DirYen(f.windows, toolkit::SystemLeadBytes()) + "Sysnative";
        for (const std::string& folder : {f.windows, QueriedFolder(GetSystemDirectoryA),
                                          QueriedFolder(GetSystemWow64DirectoryA), sysnative}) {
            FolderIdentity identity;
            if (!folder.empty() && IdentityOf(folder, identity)) f.redirected.push_back(identity);
        }
        return f;
    }();
    return folders;
}

// The last folder asked about: a search asks for every file of one folder in turn. One per thread:
// the gallery reads on a thread of its own.
bool IsRedirectedFolder(const std::string& folder) {
    thread_local std::string lastFolder;
    thread_local bool lastAnswer = false;
    if (folder == lastFolder && !folder.empty()) return lastAnswer;
    FolderIdentity identity;
    bool redirected = false;
    if (IdentityOf(folder, identity)) {
        for (const FolderIdentity& system : Folders().redirected) redirected = redirected || system == identity;
    }
    lastFolder = folder;
    return lastAnswer = redirected;
}

bool IsExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file's own name as the system keeps it: a short name expanded, and the dots and spaces at
// its end dropped as the system drops them (except after "\\?\", where it keeps them).
std::string StoredFileName(const std::string& path, const toolkit::LeadByteTable& codePage) {
    char longPath[MAX_PATH];
    const DWORD length = GetLongPathNameA(path.c_str(), longPath, MAX_PATH);
    std::string name = FileNamePart(length > 0 && length < MAX_PATH ? std::string(longPath, length) : path, codePage);
    if (path.rfind("\\\\?\\", 0) == 0) return name;
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    return name;
}

}  // namespace

std::string RedirectedResourceFile(const std::string& path) {
    const toolkit::LeadByteTable& codePage = toolkit::SystemLeadBytes();
    if (Folders().windows.empty() || FileNamePart(path, codePage).empty() ||
        !IsRedirectedFolder(FolderPart(path, codePage))) {
        return {};
    }
    const std::string name = StoredFileName(path, codePage);
    if (name.empty()) return {};
    const std::string mun = DirYen(Folders().windows, codePage) + "SystemResources\\" + name + ".mun";
    return IsExistingFile(mun) ? mun : std::string();
}

}  // namespace icons
