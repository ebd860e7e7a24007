#pragma once
// The one place where window procedures live. A Window is either a window of a class the toolkit
// registers itself, or a native control subclassed so that its messages reach HandleMessage first.
// No C++ exception leaves a window procedure: the dispatch hands it to the application's error box.
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace toolkit {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    // The toolkit object behind a window handle, or nullptr for windows it does not know.
    static Window* FromHandle(HWND hwnd);

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, message, wParam, lParam);
    }

    // Notifications a parent reflects to the child control they concern.
    virtual bool OnCommand(WORD /*code*/) { return false; }
    virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // Colours of a static or button child: returns the background brush, or nullptr for default.
    virtual HBRUSH OnControlColor(HDC /*dc*/) { return nullptr; }

protected:
    // A window of a toolkit class (registered on first use, double clicks on).
    void CreateOwnClass(const char* className, DWORD style, DWORD exStyle, HWND parent,
                        const Rect& bounds, const char* caption = "", HBRUSH background = nullptr);
    // A native control of `className`, subclassed.
    void CreateNative(const char* className, DWORD style, DWORD exStyle, HWND parent,
                      const Rect& bounds, const char* caption = "", int id = 0);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // Passes WM_COMMAND/WM_NOTIFY/WM_CTLCOLOR* on to the child they concern; false if none took it.
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void DestroyHandle();

private:
    void Attach(HWND hwnd);
    void Detach();
    static LRESULT CALLBACK OwnClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Dispatch(Window* window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;  // the native control's own procedure, when subclassed
};

}  // namespace toolkit
