#pragma once
// Reading what a window shows, for tests that answer modal windows.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

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

// The text of a list view's cell.
inline std::string ListCell(HWND list, int row, int column) {
    char text[300] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

// A list view's column, row by row.
inline std::vector<std::string> ListColumn(HWND list, int column) {
    std::vector<std::string> cells;
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) cells.push_back(ListCell(list, row, column));
    return cells;
}

}  // namespace testsupport
