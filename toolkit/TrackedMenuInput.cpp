#include "toolkit/TrackedMenuInput.h"

namespace toolkit {

namespace {
// Asks a popup menu window for its menu (not named by the platform headers).
constexpr UINT kGetMenuHandle = 0x01E1;
}  // namespace

HMENU TrackedMenu(HWND menuWindow) {
    return menuWindow ? reinterpret_cast<HMENU>(SendMessageA(menuWindow, kGetMenuHandle, 0, 0)) : nullptr;
}

// The arrow keys stop at every item but separators, from the first one on.
bool ChooseTrackedMenuCommand(HWND menuWindow, UINT command) {
    HMENU menu = TrackedMenu(menuWindow);
    const int count = menu ? GetMenuItemCount(menu) : 0;
    int downs = 0;
    for (int index = 0; index < count; ++index) {
        if (GetMenuState(menu, index, MF_BYPOSITION) & MF_SEPARATOR && GetMenuItemID(menu, index) == 0) continue;
        ++downs;
        if (GetMenuItemID(menu, index) != command) continue;
        for (int i = 0; i < downs; ++i) PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    }
    return false;
}

void DismissTrackedMenu(HWND menuWindow) { PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0); }

}  // namespace toolkit
