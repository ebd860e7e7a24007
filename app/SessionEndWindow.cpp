#include "app/SessionEndWindow.h"

namespace console {

namespace {

constexpr char kClassName[] = "PictavoxSessionEnd";

}  // namespace

SessionEndWindow::SessionEndWindow(std::function<void()> endSession) : endSession_(std::move(endSession)) {
    const HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, created] { Run(created); });
    WaitForSingleObject(created, INFINITE);
    CloseHandle(created);
}

SessionEndWindow::~SessionEndWindow() {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
}

void SessionEndWindow::Run(HANDLE created) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    // Top-level and never shown: a message-only window would not hear of the session's end.
    window_ = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, this);
    SetEvent(created);
    if (!window_) return;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
}

LRESULT CALLBACK SessionEndWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<SessionEndWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && self) self->endSession_();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace console
