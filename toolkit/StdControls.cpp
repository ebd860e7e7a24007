#include "toolkit/StdControls.h"

#include "toolkit/Form.h"

namespace toolkit {

void Label::Create(Window& parent, const Rect& bounds, const std::string& caption, bool autoSize,
                   DWORD style) {
    autoSize_ = autoSize;
    centred_ = (style & SS_TYPEMASK) == SS_CENTER;
    // SS_NOTIFY: a static without it lets the mouse through (HTTRANSPARENT), so its hint would never pop up.
    CreateControl(parent, "STATIC", (style ? style : SS_LEFT) | SS_NOPREFIX | SS_NOTIFY, 0, bounds, caption);
    FitToCaption();
}

void Label::SetCaption(const std::string& caption) {
    const Rect before = Bounds();
    Control::SetCaption(caption);
    FitToCaption();
    // The parent paints the background the label leaves transparent, and the label then draws
    // its whole new text: over all it covers, the old place and the new one.
    const Rect after = Bounds();
    const RECT was{before.left, before.top, before.left + before.width, before.top + before.height};
    const RECT now{after.left, after.top, after.left + after.width, after.top + after.height};
    RECT both{};
    UnionRect(&both, &was, &now);
    RedrawWindow(GetParent(Handle()), &both, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Label::FitToCaption() {
    if (!autoSize_) return;
    const auto font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    const SIZE size = MeasureText(font, Caption());
    const SIZE line = MeasureText(font, "");
    if (!centred_) {
        SetWindowPos(Handle(), nullptr, 0, 0, size.cx, line.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    const Rect box = ScaledBounds();
    SetBounds({box.left + box.width / 2 - size.cx / 2, box.top, size.cx, line.cy});
}

void Label::ApplyDpi(int previousDpi) {
    Control::ApplyDpi(previousDpi);
    FitToCaption();
}

void Label::SetFontColor(COLORREF color) {
    color_ = color;
    InvalidateRect(Handle(), nullptr, TRUE);
}

HBRUSH Label::OnControlColor(HDC dc) {
    SetTextColor(dc, color_);
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

void Button::Create(Window& parent, const Rect& bounds, const std::string& caption) {
    CreateControl(parent, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, bounds, caption);
}

void Button::SetDefault(bool isDefault) {
    Send(BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (OwnerForm()) OwnerForm()->SetDefaultButton(isDefault ? this : nullptr);
}

void Button::SetCancel(bool isCancel) {
    if (OwnerForm()) OwnerForm()->SetCancelButton(isCancel ? this : nullptr);
}

void Button::Click() {
    if (modalResult_ && OwnerForm()) OwnerForm()->SetModalResult(modalResult_);
    if (OnClick) OnClick();
}

bool Button::OnCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

void CheckBox::Create(Window& parent, const Rect& bounds, const std::string& caption, bool checked) {
    CreateControl(parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, bounds, caption);
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CheckBox::SetChecked(bool checked) {
    if (Checked() == checked) return;
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
    if (OnClick) OnClick();
}

bool CheckBox::OnCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    if (OnClick) OnClick();
    return true;
}

void Edit::Create(Window& parent, const Rect& bounds, const std::string& text, int maxLength,
                  bool border) {
    CreateControl(parent, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, border ? WS_EX_CLIENTEDGE : 0, bounds, text);
    if (maxLength > 0) Send(EM_LIMITTEXT, maxLength);
}

void Edit::SetColor(COLORREF color) {
    color_ = color;
    brush_.Reset(CreateSolidBrush(color));
    InvalidateRect(Handle(), nullptr, TRUE);
}

HBRUSH Edit::OnControlColor(HDC dc) {
    if (!brush_) return nullptr;
    SetBkColor(dc, color_);
    return brush_.Get();
}

bool Edit::OnCommand(WORD code) {
    if (code != EN_CHANGE) return false;
    if (OnChange) OnChange();
    return true;
}

}  // namespace toolkit
