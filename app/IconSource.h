#pragma once
// TEMPORARY until the icon source lands.
#include <windows.h>
#include <string>
namespace app {
int IconCount(HWND owner, const std::string& path);
HICON ExtractIconAt(HWND owner, const std::string& path, int index);
}
