#include "foldertree/MenuItemText.h"

namespace foldertree {

namespace {
constexpr UINT kUnusable = MF_SEPARATOR | MF_DISABLED | MF_GRAYED;
constexpr int kTextBufferSize = 255;

// A submenu item answers its item count in the high byte, which must not read as flags.
UINT ItemState(HMENU menu, int index) {
    const UINT state = GetMenuState(menu, index, MF_BYPOSITION);
    return (state & MF_POPUP) ? (state & 0xFF) : state;
}

std::string ItemText(HMENU menu, int index) {
    char text[kTextBufferSize + 1] = {};
    if (GetMenuStringA(menu, index, text, kTextBufferSize, MF_BYPOSITION) <= 0) return {};
    return text;
}
}  // namespace

int FindMenuItemByText(HMENU menu, const std::string& text, int position) {
    const int count = GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        if (ItemState(menu, index) & kUnusable) continue;
        const std::size_t found = ItemText(menu, index).find(text);
        if (found != std::string::npos && static_cast<int>(found) + 1 == position) return index + 1;
    }
    return -1;
}

}  // namespace foldertree
