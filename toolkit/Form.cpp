#include "toolkit/Form.h"

#include <shellapi.h>
#include <windowsx.h>

#include <utility>

#include "toolkit/Application.h"
#include "toolkit/ModalTestHook.h"
#include "toolkit/MonitorPlacement.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/StdControls.h"

namespace toolkit {

namespace {
constexpr const char* kFormClass = "TPictavoForm";
// An overlapped window (owned by the main form, for the dialogs): unlike a pop-up it gets the
// system's default placement.
constexpr DWORD kFixedDialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}  // namespace

Form::~Form() {
    if (toolTip_) DestroyWindow(toolTip_);
    toolTip_ = nullptr;
    DestroyHandle();
    Application::Instance().UnregisterForm(*this);
}

bool Form::IsForm(HWND hwnd) { return dynamic_cast<Form*>(Window::FromHandle(hwnd)) != nullptr; }

Form* Form::FormOf(const Window& window) {
    if (auto* form = dynamic_cast<Form*>(const_cast<Window*>(&window))) return form;
    return dynamic_cast<Form*>(Window::FromHandle(GetAncestor(window.Handle(), GA_ROOT)));
}

void Form::CreateForm(const std::string& caption, int clientWidth, int clientHeight,
                      FormPosition position, bool minimizeBox) {
    const DWORD style = kFixedDialogStyle | (minimizeBox ? WS_MINIMIZEBOX : 0);
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    designedClient_ = {clientWidth, clientHeight};
    UseDpi(SystemDpi());
    const SIZE frame = FrameSizeForClient(Scale(clientWidth), Scale(clientHeight), style, exStyle, dpi_);
    const Rect bounds{CW_USEDEFAULT, CW_USEDEFAULT, frame.cx, frame.cy};
    HWND owner = nullptr;
    if (Form* main = Application::Instance().MainForm(); main && main != this) owner = main->Handle();
    CreateOwnClass(kFormClass, style, exStyle, owner, bounds, caption.c_str(), GetSysColorBrush(COLOR_BTNFACE));
    // The system may have placed the window on a monitor of another DPI than the primary one.
    if (const int dpi = WindowDpi(Handle()); dpi != dpi_) {
        UseDpi(dpi);
        const SIZE size = FrameSizeAt(dpi);
        SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    position_ = position;
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
    toolTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               0, 0, 0, 0, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    Application::Instance().RegisterForm(*this);
}

int Form::Scale(int designed) const { return ScaleToDpi(designed, dpi_); }

Rect Form::Scale(const Rect& designed) const { return ScaleToDpi(designed, dpi_); }

// The font is made for the DPI; at 96 it is the one shared dialog font.
void Form::UseDpi(int dpi) {
    dpi_ = dpi;
    dpiFont_ = dpi == kDesignDpi ? Font() : FormFontForDpi(dpi);
    font_ = dpi == kDesignDpi ? &DefaultFormFont() : &dpiFont_;
}

// The window's size for the designed client area at `dpi`.
SIZE Form::FrameSizeAt(int dpi) const {
    return FrameSizeForClient(ScaleToDpi(designedClient_.cx, dpi), ScaleToDpi(designedClient_.cy, dpi),
                              static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)),
                              static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)), dpi);
}

// Moved to a monitor of another DPI: the window takes the rectangle the system suggests (of the
// size WM_GETDPISCALEDSIZE gave it), then everything in it is laid out again in the new font.
void Form::ChangeDpi(int dpi, const RECT& suggested) {
    const int previous = dpi_;
    const Font previousFont = std::move(dpiFont_);  // the controls still use it until laid out again
    UseDpi(dpi);
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDpiToChildren(Handle(), previous);
    DpiChanged();
    // Moved and grown controls keep pieces drawn at the old size: everything is drawn afresh.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::Show() {
    if (position_ == FormPosition::ScreenCenter) CenterOnScreen();
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void Form::CenterOnScreen() {
    RECT r{};
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::EnableOtherWindows(bool enable) {
    if (!enable) {
        disabledWindows_.clear();
        EnumThreadWindows(GetCurrentThreadId(), &Form::DisableWindow, reinterpret_cast<LPARAM>(this));
        return;
    }
    for (HWND hwnd : disabledWindows_) EnableWindow(hwnd, TRUE);
    disabledWindows_.clear();
}

BOOL CALLBACK Form::DisableWindow(HWND hwnd, LPARAM self) {
    auto* form = reinterpret_cast<Form*>(self);
    if (hwnd != form->Handle() && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        form->disabledWindows_.push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}

int Form::ShowModal() {
    auto& application = Application::Instance();
    HWND previousActive = GetActiveWindow();
    EnableOtherWindows(false);
    modalResult_ = mrNone;
    modal_ = true;
    Show();
    ModalTestHook::ModalStarting(Handle());
    MSG message;
    while (modalResult_ == mrNone) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            modalResult_ = mrCancel;
            break;
        }
        application.HandleMessageFromQueue(message);
    }
    EnableOtherWindows(true);
    modal_ = false;
    Hide();
    if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
    return modalResult_;
}

std::string Form::Caption() const {
    char text[512] = {};
    GetWindowTextA(Handle(), text, sizeof text);
    return text;
}

int Form::Left() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r.left;
}

int Form::Top() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r.top;
}

void Form::SetLeft(int left) {
    SetWindowPos(Handle(), nullptr, left, Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetTop(int top) {
    SetWindowPos(Handle(), nullptr, Left(), top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::KeepOnAMonitor() {
    RECT r{};
    GetWindowRect(Handle(), &r);
    const RECT placed = PlaceOnAMonitor(r);
    if (placed.left == r.left && placed.top == r.top) return;
    SetWindowPos(Handle(), nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ClientWidth() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.right;
}

int Form::ClientHeight() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.bottom;
}

// Enter presses the focused push button, or else the default button.
Button* Form::EnterButton() const {
    if (auto* focused = dynamic_cast<Button*>(Window::FromHandle(GetFocus()));
        focused && focused->OwnerForm() == this && focused->Enabled())
        return focused;
    return defaultButton_ && defaultButton_->Enabled() ? defaultButton_ : nullptr;
}

int Form::TextWidth(const std::string& text) const { return MeasureText(font_->Handle(), text).cx; }

void Form::SetToolTip(HWND control, const std::string& text) {
    if (!toolTip_) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageA(toolTip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty()) return;
    std::string copy = text;
    tool.lpszText = copy.data();
    SendMessageA(toolTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case DM_GETDEFID:
        if (Button* button = EnterButton())
            return MAKELRESULT(GetDlgCtrlID(button->Handle()), DC_HASDEFID);
        return 0;
    case WM_COMMAND:
        if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
            if (cancelButton_) cancelButton_->Click();
            return 0;
        }
        if (lParam == 0 && LOWORD(wParam) == IDOK) {
            if (Button* button = EnterButton()) button->Click();
            return 0;
        }
        break;
    case WM_CLOSE:
        if (modal_) {
            modalResult_ = mrCancel;
        } else if (Application::Instance().MainForm() == this) {
            Application::Instance().Terminate();
        } else {
            Hide();
        }
        return 0;
    case WM_ACTIVATE: {
        const LRESULT result = Window::HandleMessage(message, wParam, lParam);
        if (LOWORD(wParam) != WA_INACTIVE) {
            // The platform focuses the form itself; a form works from its first control instead.
            if (GetFocus() == Handle())
                if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) ::SetFocus(first);
            if (OnActivate) OnActivate();
        }
        return result;
    }
    case WM_CONTEXTMENU:
        if (popupMenu_) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (at.x == -1 && at.y == -1) GetCursorPos(&at);
            popupMenu_->Popup(Handle(), at.x, at.y);
            return 0;
        }
        break;
    case WM_DROPFILES: {
        // The drop is the system's to free once handled, also when the handler throws.
        struct DropRelease {
            HDROP drop;
            ~DropRelease() { DragFinish(drop); }
        } release{reinterpret_cast<HDROP>(wParam)};
        WMDropFiles(release.drop);
        return 0;
    }
    case kGetDpiScaledSizeMessage: {
        // The size at the new DPI is the designed client area scaled, not the window stretched.
        *reinterpret_cast<SIZE*>(lParam) = FrameSizeAt(static_cast<int>(wParam));
        return TRUE;
    }
    case WM_DPICHANGED:
        ChangeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        FormDestroy();
        break;
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace toolkit
