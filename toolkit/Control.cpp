#include "toolkit/Control.h"

#include "toolkit/Form.h"

namespace toolkit {

LRESULT KeyboardSelectionCode(LPARAM message) {
    const auto* pending = reinterpret_cast<const MSG*>(message);
    const bool enter = pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN;
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
}

int Control::NextControlId() {
    static int next = 1000;  // clear of IDOK/IDCANCEL, which dialog keys send
    return next++;
}

void Control::CreateControl(Window& parent, const char* className, DWORD style, DWORD exStyle,
                            const Rect& designed, const std::string& caption) {
    CreateNative(className, style | WS_CHILD | WS_VISIBLE, exStyle, parent.Handle(), JoinForm(parent, designed),
                 caption.c_str(), NextControlId());
    if (form_) SetFont(form_->GetFont());
}

void Control::CreateOwnControl(Window& parent, const char* className, DWORD style, DWORD exStyle,
                               const Rect& designed, HBRUSH background) {
    CreateOwnClass(className, style, exStyle, parent.Handle(), JoinForm(parent, designed), "", background);
    if (form_) SetFont(form_->GetFont());
}

Rect Control::JoinForm(Window& parent, const Rect& designed) {
    form_ = Form::FormOf(parent);
    designed_ = designed;
    return ScaledBounds();
}

Rect Control::ScaledBounds() const { return form_ ? form_->Scale(designed_) : designed_; }

int Control::Scale(int designed) const { return form_ ? form_->Scale(designed) : designed; }

void Control::ApplyDpi(int previousDpi) {
    if (form_) SetFont(form_->GetFont());
    SetBounds(ScaledBounds());
    ApplyDpiToChildren(Handle(), previousDpi);
}

void ApplyDpiToChildren(HWND parent, int previousDpi) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (auto* control = dynamic_cast<Control*>(Window::FromHandle(child))) control->ApplyDpi(previousDpi);
}

Rect Control::Bounds() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Control::SetBounds(const Rect& b) {
    SetWindowPos(Handle(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Control::Caption() const {
    std::string text(GetWindowTextLengthA(Handle()) + 1, '\0');
    text.resize(GetWindowTextA(Handle(), text.data(), static_cast<int>(text.size())));
    return text;
}

void Control::SetCaption(const std::string& caption) { SetWindowTextA(Handle(), caption.c_str()); }

void Control::SetHint(const std::string& hint) {
    hint_ = hint;
    UpdateToolTip();
}

void Control::SetShowHint(bool show) {
    showHint_ = show;
    UpdateToolTip();
}

void Control::UpdateToolTip() {
    if (form_) form_->SetToolTip(Handle(), showHint_ ? hint_ : std::string());
}

void Control::SetFont(const Font& font) { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font.Handle()), TRUE); }

void Control::Repaint() {
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

}  // namespace toolkit
