#include "toolkit/SizableForm.h"

#include <algorithm>

namespace toolkit {

int SizableForm::Width() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r.right - r.left;
}

int SizableForm::Height() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r.bottom - r.top;
}

void SizableForm::SetSize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, std::max<int>(width, minimum_.cx), std::max<int>(height, minimum_.cy),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SizableForm::MakeSizable() {
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, style | WS_THICKFRAME | WS_MAXIMIZEBOX);
    // The client area keeps its size: the window grows by the sizing frame.
    RECT client{0, 0, ClientWidth(), ClientHeight()};
    AdjustWindowRectEx(&client, static_cast<DWORD>(style | WS_THICKFRAME), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    minimum_ = {client.right - client.left, client.bottom - client.top};
    SetWindowPos(Handle(), nullptr, 0, 0, minimum_.cx, minimum_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT SizableForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimum_.cx, minimum_.cy};
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) FormResize();
        break;
    default:
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace toolkit
