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
    const SIZE minimum = FrameSizeAt(Dpi());
    SetWindowPos(Handle(), nullptr, 0, 0, std::max<int>(width, minimum.cx), std::max<int>(height, minimum.cy),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SizableForm::MakeSizable() {
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, style | WS_THICKFRAME | WS_MAXIMIZEBOX);
    // The client area keeps its size: the window grows by the sizing frame.
    const SIZE minimum = FrameSizeAt(Dpi());
    SetWindowPos(Handle(), nullptr, 0, 0, minimum.cx, minimum.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The toolkit has put the controls back at their designed places for the new DPI: the form's own
// layout for its present size replaces them.
void SizableForm::DpiChanged() { FormResize(); }

// The window's size at `dpi` for its client area scaled from the present DPI, at least the minimum.
SIZE SizableForm::ScaledSize(int dpi) const {
    const SIZE frame = FrameSizeForClient(MulDiv(ClientWidth(), dpi, Dpi()), MulDiv(ClientHeight(), dpi, Dpi()),
                                          static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)),
                                          static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)), dpi);
    const SIZE minimum = FrameSizeAt(dpi);
    return {std::max(frame.cx, minimum.cx), std::max(frame.cy, minimum.cy)};
}

LRESULT SizableForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETMINMAXINFO: {
        const SIZE minimum = FrameSizeAt(Dpi());
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimum.cx, minimum.cy};
        return 0;
    }
    case kGetDpiScaledSizeMessage:
        *reinterpret_cast<SIZE*>(lParam) = ScaledSize(static_cast<int>(wParam));
        return TRUE;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) FormResize();
        break;
    default:
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace toolkit
