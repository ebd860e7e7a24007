#include "toolkit/Application.h"

#include <commctrl.h>

#include "toolkit/DoubleByte.h"
#include "toolkit/Control.h"
#include "toolkit/Form.h"
#include "toolkit/MessageDialog.h"

namespace toolkit {

Application& Application::Instance() {
    static Application application;
    return application;
}

static std::string TitleFromExecutable() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string_view full(path);
    const auto slash = SystemLeadBytes().LastDelimiter(full, "\\:");
    std::string name(slash == std::string_view::npos ? full : full.substr(slash + 1));
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    // A double-byte code page lowers by character (the second byte of ア is an "A"); any other
    // lowers by the system's locale rules.
    if (SystemLeadBytes().IsDoubleByte()) return SystemLeadBytes().LowerCaseAfterFirst(name);
    if (name.size() > 1) CharLowerBuffA(name.data() + 1, static_cast<DWORD>(name.size() - 1));
    return name;
}

void Application::Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    title_ = TitleFromExecutable();
}

void Application::RegisterForm(Form& form) {
    if (!mainForm_) mainForm_ = &form;
}

void Application::UnregisterForm(Form& form) {
    if (mainForm_ == &form) mainForm_ = nullptr;
}

void Application::HandleMessageFromQueue(MSG& message) {
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) UpdateHintFromPointer();
    HWND active = GetActiveWindow();
    if (message.message == WM_KEYDOWN && active && Form::IsForm(active) &&
        static_cast<Form*>(Window::FromHandle(active))->ShortcutKey(message.wParam))
        return;
    if (active && Form::IsForm(active) && IsDialogMessageA(active, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void Application::Run() {
    if (mainForm_) mainForm_->Show();
    MSG message;
    while (!terminated_ && GetMessageA(&message, nullptr, 0, 0) > 0) HandleMessageFromQueue(message);
    terminated_ = true;
}

void Application::Terminate() {
    terminated_ = true;
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);  // wakes the loop up
}

void Application::ProcessMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        HandleMessageFromQueue(message);
    }
}

void Application::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (OnHint) OnHint();
}

// The hint of the innermost control under the pointer, or of its nearest parent that has one;
// disabled controls count, as their hints explain why they are disabled.
void Application::UpdateHintFromPointer() {
    POINT point;
    GetCursorPos(&point);
    HWND top = WindowFromPoint(point);
    if (top) top = GetAncestor(top, GA_ROOT);
    HWND hwnd = top;
    while (hwnd) {
        POINT local = point;
        ScreenToClient(hwnd, &local);
        HWND child = ChildWindowFromPointEx(hwnd, local, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == hwnd) break;
        hwnd = child;
    }
    std::string hint;
    for (HWND h = hwnd; h; h = (h == top) ? nullptr : GetParent(h)) {
        if (auto* control = dynamic_cast<Control*>(Window::FromHandle(h)); control && !control->Hint().empty()) {
            hint = control->Hint();
            break;
        }
    }
    SetHint(hint);
}

void Application::HandleException(const std::exception& error) {
    if (OnException) {
        OnException(error.what());
        return;
    }
    ShowErrorMessage(error.what());
}

void Application::SetScreenCursor(HCURSOR cursor) {
    screenCursor_ = cursor;
    POINT point;
    GetCursorPos(&point);
    SetCursorPos(point.x, point.y);  // makes the window under the pointer ask for its cursor again
    SetCursor(cursor ? cursor : LoadCursor(nullptr, IDC_ARROW));
}

ScreenCursorScope::ScreenCursorScope(HCURSOR cursor) : previous_(Application::Instance().ScreenCursor()) {
    Application::Instance().SetScreenCursor(cursor);
}

ScreenCursorScope::~ScreenCursorScope() { Application::Instance().SetScreenCursor(previous_); }

HourglassCursor::HourglassCursor() : ScreenCursorScope(LoadCursor(nullptr, IDC_WAIT)) {}

}  // namespace toolkit
