#pragma once
// A top-level window with a fixed dialog frame, created once and reused: shown, hidden, or run
// modally with a result (1 OK, 2 Cancel, 6 Yes, 7 No, 10 All). It is designed in pixels at 96 DPI
// and shown at its monitor's DPI: sizes, places and font scaled, laid out again when it moves to a
// monitor of another DPI.
#include <functional>
#include <vector>
#include <string>

#include "toolkit/Dpi.h"
#include "toolkit/Font.h"
#include "toolkit/Window.h"

namespace toolkit {

class Button;
class PopupMenu;

enum ModalResult : int {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7, mrAll = 10
};

enum class FormPosition { SystemDefault, ScreenCenter };

class Form : public Window {
public:
    Form() = default;
    ~Form() override;

    static bool IsForm(HWND hwnd);
    // The form a window belongs to (the window itself or its top-level ancestor).
    static Form* FormOf(const Window& window);

    void Show();
    // Destroys the window while the derived form still exists, so its FormDestroy runs.
    void Destroy() { DestroyHandle(); }
    void Hide() { ShowWindow(Handle(), SW_HIDE); }
    bool Showing() const { return IsWindowVisible(Handle()) != FALSE; }
    // The main form ends the program; a modal form ends its modal run with Cancel.
    void Close() { PostMessageA(Handle(), WM_CLOSE, 0, 0); }
    // Runs a nested message loop with the other windows of the program disabled, until a
    // modal result is set; returns it.
    int ShowModal();
    int ModalResultValue() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool Modal() const { return modal_; }

    std::string Caption() const;
    int Left() const;
    int Top() const;
    void SetLeft(int left);
    void SetTop(int top);
    // Brings the window onto the nearest monitor when where it stands no monitor shows it; a
    // place that is seen stays exactly as it is.
    void KeepOnAMonitor();
    int ClientWidth() const;
    int ClientHeight() const;

    const Font& GetFont() const { return *font_; }
    int Dpi() const { return dpi_; }
    // A designed length (pixels at 96 DPI) in this form's pixels.
    int Scale(int designed) const;
    Rect Scale(const Rect& designed) const;
    // Width in pixels of `text` in the form's font (the form's canvas).
    int TextWidth(const std::string& text) const;

    void SetDefaultButton(Button* button) { defaultButton_ = button; }
    void SetCancelButton(Button* button) { cancelButton_ = button; }
    void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }
    // Shows `text` as a pop-up hint over `control`; empty removes it.
    void SetToolTip(HWND control, const std::string& text);

    std::function<void()> OnActivate;

    // A key pressed anywhere in the active form, before its control gets it; true when the form
    // took it as a shortcut of its own (Ctrl+C and the like).
    virtual bool ShortcutKey(WPARAM /*key*/) { return false; }

protected:
    // Creates the window once, with its client size in pixels.
    void CreateForm(const std::string& caption, int clientWidth, int clientHeight,
                    FormPosition position, bool minimizeBox = false);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs when the window is being destroyed (the end of the run for every form).
    virtual void FormDestroy() {}
    // Files dropped from the shell, once the form accepts them (DragAcceptFiles); the drop is
    // freed after the call.
    virtual void WMDropFiles(HDROP /*drop*/) {}
    // Runs once the form and its controls are laid out for a new DPI.
    virtual void DpiChanged() {}
    // The window's size for the designed client area at `dpi`, in the window's present style.
    SIZE FrameSizeAt(int dpi) const;

private:
    void UseDpi(int dpi);
    void ChangeDpi(int dpi, const RECT& suggested);
    void CenterOnScreen();
    Button* EnterButton() const;
    void EnableOtherWindows(bool enable);
    static BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM self);

    const Font* font_ = &DefaultFormFont();
    Font dpiFont_;  // the form's font at a DPI other than 96
    int dpi_ = kDesignDpi;
    SIZE designedClient_{};
    FormPosition position_ = FormPosition::SystemDefault;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    PopupMenu* popupMenu_ = nullptr;
    HWND toolTip_ = nullptr;
    int modalResult_ = mrNone;
    bool modal_ = false;
    std::vector<HWND> disabledWindows_;
};

}  // namespace toolkit
