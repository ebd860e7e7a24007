#include "toolkit/ComboBox.h"

namespace toolkit {

namespace {
constexpr int kItemHeight = 16;
}  // namespace

void ComboBox::Create(Window& parent, const Rect& bounds, const std::vector<std::string>& items, int selected) {
    Rect dropped = bounds;
    dropped.height = bounds.height + kItemHeight * static_cast<int>(items.size()) + 4;
    CreateControl(parent, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, dropped);
    for (const std::string& item : items) Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    Send(CB_SETCURSEL, static_cast<WPARAM>(selected));
}

void ComboBox::SetItemIndex(int index) {
    if (index == ItemIndex()) return;
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
    if (OnChange) OnChange();
}

std::string ComboBox::Text() const {
    const int index = ItemIndex();
    if (index < 0) return {};
    std::string text(static_cast<std::size_t>(Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index))) + 1, '\0');
    Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.find('\0'));
    return text;
}

bool ComboBox::OnCommand(WORD code) {
    if (code == CBN_SELCHANGE && OnChange) OnChange();
    return code == CBN_SELCHANGE;
}

}  // namespace toolkit
