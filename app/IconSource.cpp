#include "app/IconSource.h"
#include <shellapi.h>
namespace app {
int IconCount(HWND owner, const std::string& path) {
    return static_cast<int>(reinterpret_cast<UINT_PTR>(ExtractIconA(reinterpret_cast<HINSTANCE>(owner), path.c_str(), static_cast<UINT>(-1))));
}
HICON ExtractIconAt(HWND owner, const std::string& path, int index) {
    return ExtractIconA(reinterpret_cast<HINSTANCE>(owner), path.c_str(), index);
}
}
