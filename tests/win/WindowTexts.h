#pragma once
// Reading what a window shows, for tests that answer modal windows.
#include <windows.h>

#include <string>

namespace testsupport {

inline std::string WindowText(HWND hwnd) {
    char text[1024] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// Every static text of a window, joined in creation order.
inline std::string StaticTexts(HWND window) {
    std::string all;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0) all += WindowText(child);
    }
    return all;
}

}  // namespace testsupport
