#include "toolkit/StatusBar.h"

namespace toolkit {

void StatusBar::Create(Window& parent, int height) {
    height_ = height;
    CreateControl(parent, STATUSCLASSNAMEA, CCS_BOTTOM | CCS_NORESIZE, 0, {});
    PlaceAtBottom();
    int right = -1;
    Send(SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
}

// The whole width of the parent's client area, its designed height scaled, flush with the bottom.
void StatusBar::PlaceAtBottom() {
    RECT client{};
    GetClientRect(GetParent(Handle()), &client);
    const int height = Scale(height_);
    SetBounds({0, client.bottom - height, client.right, height});
}

void StatusBar::ApplyDpi(int previousDpi) {
    Control::ApplyDpi(previousDpi);
    PlaceAtBottom();
}

void StatusBar::SetPanelText(const std::string& text) {
    Send(SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusBar::PanelText() const {
    // Wine counts characters here, not bytes: room for two bytes each covers both.
    std::string text(2 * LOWORD(Send(SB_GETTEXTLENGTHA, 0)) + 1, '\0');
    Send(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(lstrlenA(text.c_str()));
    return text;
}

}  // namespace toolkit
