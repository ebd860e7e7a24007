#pragma once
// Labels, push buttons, check boxes and one-line edits over the native controls.
#include <functional>
#include <string>

#include "toolkit/Control.h"
#include "toolkit/GdiObjects.h"

namespace toolkit {

class Label : public Control {
public:
    // An auto-sized label grows and shrinks with its caption (centred on `bounds` with SS_CENTER,
    // from its left edge otherwise); a fixed one keeps `bounds` and wraps its words. `style` adds
    // SS_CENTER and the like.
    void Create(Window& parent, const Rect& bounds, const std::string& caption, bool autoSize = true,
                DWORD style = 0);
    void SetCaption(const std::string& caption) override;
    void ApplyDpi(int previousDpi) override;
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const { return color_; }
    HBRUSH OnControlColor(HDC dc) override;

private:
    void FitToCaption();
    bool autoSize_ = true;
    bool centred_ = false;
    COLORREF color_ = GetSysColor(COLOR_WINDOWTEXT);
};

class Button : public Control {
public:
    void Create(Window& parent, const Rect& bounds, const std::string& caption);
    // Enter presses the default button of a form, Escape its cancel button.
    void SetDefault(bool isDefault);
    void SetCancel(bool isCancel);
    // A button with a modal result closes its modal form with that result when pressed.
    void SetModalResult(int result) { modalResult_ = result; }
    // Presses the button: sets the form's modal result, then runs OnClick.
    void Click();
    bool OnCommand(WORD code) override;

    std::function<void()> OnClick;

private:
    int modalResult_ = 0;
};

class CheckBox : public Control {
public:
    void Create(Window& parent, const Rect& bounds, const std::string& caption, bool checked);
    bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    // Changing the state runs OnClick, as a click does.
    void SetChecked(bool checked);
    bool OnCommand(WORD code) override;

    std::function<void()> OnClick;
};

class Edit : public Control {
public:
    void Create(Window& parent, const Rect& bounds, const std::string& text, int maxLength = 0,
                bool border = true);
    std::string Text() const { return Caption(); }
    // Setting the text runs OnChange, as typing does.
    void SetText(const std::string& text) { SetCaption(text); }
    void SelectAll() { Send(EM_SETSEL, 0, -1); }
    // Text that can be selected and copied but not changed.
    void SetReadOnly(bool readOnly) { Send(EM_SETREADONLY, readOnly); }
    // A background in any colour instead of the platform's own (the window colour).
    void SetColor(COLORREF color);
    COLORREF Color() const { return color_; }
    // A background in one of the system's colours (COLOR_...).
    void SetBackgroundColor(int systemColor) { SetColor(GetSysColor(systemColor)); }
    bool OnCommand(WORD code) override;
    HBRUSH OnControlColor(HDC dc) override;

    std::function<void()> OnChange;

private:
    COLORREF color_ = GetSysColor(COLOR_WINDOW);
    GdiObject<HBRUSH> brush_;  // none while the platform paints its own background
};

}  // namespace toolkit
