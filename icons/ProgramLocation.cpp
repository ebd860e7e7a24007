#include "icons/ProgramLocation.h"

#include <windows.h>

#include "icons/PathNames.h"

namespace icons {

namespace {
std::string ExecutablePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}
}  // namespace

std::string SettingsFileLocation() { return ChangeFileExt(ExecutablePath(), ".INI", toolkit::SystemLeadBytes()); }

std::string ExecutableFolder() { return FolderPart(ExecutablePath(), toolkit::SystemLeadBytes()); }

}  // namespace icons
