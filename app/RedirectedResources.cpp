#include "app/RedirectedResources.h"

#include <windows.h>

#include <vector>

#include "app/PathNames.h"
#include "toolkit/DoubleByte.h"

namespace app {

namespace {

using FolderQuery = UINT(WINAPI*)(LPSTR, UINT);

// The folder as a full path without a closing "\" (a drive's root keeps its own); empty on failure.
std::string CanonicalFolder(const std::string& folder) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string result(full, length);
    const std::size_t last = result.size() - 1;
    if (result.size() > 3 && result[last] == '\\' && !toolkit::SystemLeadBytes().IsTrailByRun(result, last))
        result.pop_back();
    return result;
}

std::string QueriedFolder(FolderQuery query) {
    char folder[MAX_PATH];
    const UINT length = query(folder, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : CanonicalFolder(std::string(folder, length));
}

struct SystemFolders {
    std::string windows;
    std::vector<std::string> redirected;  // folders whose files the loader redirects
};

// Asked once: the folders do not move while the program runs. The 32-bit system folder exists
// only on 64-bit Windows; elsewhere its query fails and it is left out.
const SystemFolders& Folders() {
    static const SystemFolders folders = [] {
        SystemFolders f;
        f.windows = QueriedFolder(GetWindowsDirectoryA);
        for (FolderQuery query : {FolderQuery(GetWindowsDirectoryA), FolderQuery(GetSystemDirectoryA),
                                  FolderQuery(GetSystemWow64DirectoryA)}) {
            const std::string folder = QueriedFolder(query);
            if (!folder.empty()) f.redirected.push_back(folder);
        }
        return f;
    }();
    return folders;
}

bool IsRedirectedFolder(const std::string& folder) {
    for (const std::string& system : Folders().redirected)
        if (lstrcmpiA(system.c_str(), folder.c_str()) == 0) return true;
    return false;
}

bool IsExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string RedirectedResourceFile(const std::string& path) {
    const toolkit::LeadByteTable& codePage = toolkit::SystemLeadBytes();
    const std::string name = FileNamePart(path, codePage);
    if (name.empty() || Folders().windows.empty() || !IsRedirectedFolder(CanonicalFolder(FolderPart(path, codePage))))
        return {};
    const std::string mun = DirYen(Folders().windows, codePage) + "SystemResources\\" + name + ".mun";
    return IsExistingFile(mun) ? mun : std::string();
}

}  // namespace app
