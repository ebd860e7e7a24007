#pragma once
// Where the program's own files are: the folder of the executable and the settings file beside it.
#include <string>

namespace icons {

// The executable's full path with its extension replaced by ".INI".
std::string SettingsFileLocation();

// The folder part of the executable's path: the export folder's default, and its fallback when the
// remembered one cannot be entered.
std::string ExecutableFolder();

}  // namespace icons
