#include "toolkit/Window.h"

#include <exception>
#include <mutex>
#include <set>
#include <stdexcept>
#include <unordered_map>

#include "toolkit/Application.h"

namespace toolkit {

namespace {
// Which toolkit object each window handle belongs to, kept in the process: the window procedure
// looks it up for every message, and a window property would cost a round trip to Wine's server
// each time (far more than most messages cost the control itself).
class WindowRegistry {
public:
    // Never destroyed: windows of static objects may go after it otherwise would.
    static WindowRegistry& Instance() {
        static WindowRegistry* const registry = new WindowRegistry;
        return *registry;
    }
    void Add(HWND hwnd, Window* window) {
        const std::lock_guard<std::mutex> lock(mutex_);
        windows_[hwnd] = window;
    }
    void Remove(HWND hwnd) {
        const std::lock_guard<std::mutex> lock(mutex_);
        windows_.erase(hwnd);
    }
    Window* Find(HWND hwnd) const {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = windows_.find(hwnd);
        return found == windows_.end() ? nullptr : found->second;
    }

private:
    mutable std::mutex mutex_;
    std::unordered_map<HWND, Window*> windows_;
};

void RegisterOwnClass(const char* className, HBRUSH background, WNDPROC procedure) {
    static std::set<std::string> registered;
    if (!registered.insert(className).second) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}
}  // namespace

Window::~Window() { DestroyHandle(); }

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? WindowRegistry::Instance().Find(hwnd) : nullptr;
}

void Window::CreateOwnClass(const char* className, DWORD style, DWORD exStyle, HWND parent,
                            const Rect& bounds, const char* caption, HBRUSH background) {
    RegisterOwnClass(className, background, &Window::OwnClassProc);
    CreateWindowExA(exStyle, className, caption, style, bounds.left, bounds.top, bounds.width,
                    bounds.height, parent, nullptr, GetModuleHandleA(nullptr), this);
}

void Window::CreateNative(const char* className, DWORD style, DWORD exStyle, HWND parent,
                          const Rect& bounds, const char* caption, int id) {
    HWND hwnd = CreateWindowExA(exStyle, className, caption, style, bounds.left, bounds.top,
                                bounds.width, bounds.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return;
    Attach(hwnd);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProc)));
}

void Window::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    WindowRegistry::Instance().Add(hwnd, this);
}

void Window::Detach() {
    if (!hwnd_) return;
    WindowRegistry::Instance().Remove(hwnd_);
    if (original_) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        original_ = nullptr;
    }
    hwnd_ = nullptr;
}

void Window::DestroyHandle() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    if (original_) Detach();  // a native control goes without calling back into this object
    DestroyWindow(hwnd);
    hwnd_ = nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && Application::Instance().ScreenCursor()) {
        SetCursor(Application::Instance().ScreenCursor());
        return TRUE;
    }
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, result)) return result;
    return DefaultHandler(message, wParam, lParam);
}

LRESULT Window::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (original_) return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

bool Window::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (Window* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this)
            return child->OnCommand(HIWORD(wParam));
        return false;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Window* child = FromHandle(header->hwndFrom); child && child != this)
            return child->OnNotify(*header, result);
        return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        if (Window* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this) {
            HBRUSH brush = child->OnControlColor(reinterpret_cast<HDC>(wParam));
            result = reinterpret_cast<LRESULT>(brush);
            return brush != nullptr;
        }
        return false;
    default:
        return false;
    }
}

LRESULT Window::Dispatch(Window* window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        const LRESULT result = window->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) window->Detach();
        return result;
    } catch (const std::exception& error) {
        Application::Instance().HandleException(error);
    } catch (...) {
        Application::Instance().HandleException(std::runtime_error("unknown error"));
    }
    if (message == WM_NCDESTROY) window->Detach();
    return window->original_ ? CallWindowProcA(window->original_, hwnd, message, wParam, lParam)
                             : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::OwnClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        static_cast<Window*>(create->lpCreateParams)->Attach(hwnd);
    }
    Window* window = FromHandle(hwnd);
    if (!window) return DefWindowProcA(hwnd, message, wParam, lParam);
    return Dispatch(window, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FromHandle(hwnd);
    if (!window) return DefWindowProcA(hwnd, message, wParam, lParam);
    return Dispatch(window, hwnd, message, wParam, lParam);
}

}  // namespace toolkit
