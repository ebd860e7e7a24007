#include "toolkit/PopupMenu.h"

#include "toolkit/ModalTestHook.h"

namespace toolkit {

PopupMenu::~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
}

void PopupMenu::AddItem(const std::string& caption, std::function<void()> onClick) {
    if (!menu_) menu_ = CreatePopupMenu();
    handlers_.push_back(std::move(onClick));
    AppendMenuA(menu_, MF_STRING, handlers_.size(), caption.c_str());
}

void PopupMenu::SetItemCaption(int index, const std::string& caption) {
    if (menu_) ModifyMenuA(menu_, static_cast<UINT>(index + 1), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(index + 1), caption.c_str());
}

void PopupMenu::AddSeparator() {
    if (!menu_) menu_ = CreatePopupMenu();
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
}

void PopupMenu::Popup(HWND owner, int x, int y) {
    if (!menu_) return;
    ModalTestHook::ModalStarting(nullptr);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    if (chosen >= 1 && chosen <= handlers_.size() && handlers_[chosen - 1]) handlers_[chosen - 1]();
}

}  // namespace toolkit
