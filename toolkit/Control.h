#pragma once
// What every control shares: position, caption, enabled state, font and hint.
#include <functional>
#include <string>

#include "toolkit/Font.h"
#include "toolkit/Window.h"

namespace toolkit {

class Form;

class Control : public Window {
public:
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

protected:
    // Creates the native control `className` as a child of `parent` with the form's font.
    void CreateControl(Window& parent, const char* className, DWORD style, DWORD exStyle,
                       const Rect& bounds, const std::string& caption = "");
    // For controls of the toolkit's own classes: joins the parent's form (font, tool tips).
    void AttachToForm(Window& parent);
    static int NextControlId();

private:
    void UpdateToolTip();

    Form* form_ = nullptr;
    std::string hint_;
    bool showHint_ = false;
};

}  // namespace toolkit
