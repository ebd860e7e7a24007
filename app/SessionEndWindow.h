#pragma once
// Logging off and shutting down reach a console program that loads the window libraries (the
// icon extraction does) not through its console handler but as WM_QUERYENDSESSION and
// WM_ENDSESSION to its top-level windows. A hidden window on a thread of its own takes them for
// the run's length and hands the session's end to the run as an interruption.
#include <windows.h>

#include <functional>
#include <thread>

namespace console {

class SessionEndWindow {
public:
    // endSession runs on the window's thread when the session ends; the system ends the process
    // once it returns, so it returns only after the run has stopped.
    explicit SessionEndWindow(std::function<void()> endSession);
    SessionEndWindow(const SessionEndWindow&) = delete;
    SessionEndWindow& operator=(const SessionEndWindow&) = delete;
    ~SessionEndWindow();

private:
    void Run(HANDLE created);
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> endSession_;
    HWND window_ = nullptr;
    std::thread thread_;
};

}  // namespace console
