#pragma once
// What every control shares: position, caption, enabled state, font and hint. A control is
// created at its designed bounds (pixels at 96 DPI), which its form scales to its own DPI.
#include <functional>
#include <string>

#include "toolkit/Font.h"
#include "toolkit/Window.h"

namespace toolkit {

class Form;

// What a control that moves a selection by keys answers WM_GETDLGCODE with: the arrows and Enter are
// its own, not the dialog's moves and default button. `message` is the message's lParam.
LRESULT KeyboardSelectionCode(LPARAM message);

class Control : public Window {
public:
    // The control's place in its parent, in pixels as shown.
    Rect Bounds() const;
    void SetBounds(const Rect& bounds);
    int Left() const { return Bounds().left; }
    int Top() const { return Bounds().top; }
    int Width() const { return Bounds().width; }
    int Height() const { return Bounds().height; }

    bool Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }
    void SetEnabled(bool enabled) { EnableWindow(Handle(), enabled); }
    bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }
    void SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }

    std::string Caption() const;
    virtual void SetCaption(const std::string& caption);

    // The hint goes to the application (and so to the status bar) whenever the pointer is over
    // the control; the pop-up shows it beside the pointer as well while ShowHint is on.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    void SetFont(const Font& font);
    // Redraws the control now, not when the message queue gets to it.
    void Repaint();
    void SetFocus() { ::SetFocus(Handle()); }

    Form* OwnerForm() const { return form_; }

    // Lays the control out again for its form's new DPI (it was at `previousDpi`), in the form's
    // font, and then the toolkit's controls inside it.
    virtual void ApplyDpi(int previousDpi);

protected:
    // Creates the native control `className` as a child of `parent` with the form's font.
    void CreateControl(Window& parent, const char* className, DWORD style, DWORD exStyle,
                       const Rect& designed, const std::string& caption = "");
    // The same for a window of one of the toolkit's own classes.
    void CreateOwnControl(Window& parent, const char* className, DWORD style, DWORD exStyle,
                          const Rect& designed, HBRUSH background);
    // The designed bounds at the form's DPI.
    Rect ScaledBounds() const;
    // A designed length at the form's DPI.
    int Scale(int designed) const;
    static int NextControlId();

private:
    // Joins the parent's form (DPI, font, tool tips); returns where `designed` falls at its DPI.
    Rect JoinForm(Window& parent, const Rect& designed);
    void UpdateToolTip();

    Form* form_ = nullptr;
    Rect designed_;
    std::string hint_;
    bool showHint_ = false;
};

// Lays out again every control of the toolkit directly inside `parent` (see Control::ApplyDpi).
void ApplyDpiToChildren(HWND parent, int previousDpi);

}  // namespace toolkit
