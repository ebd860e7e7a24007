#include "toolkit/Dpi.h"

namespace toolkit {

namespace {

// Windows 10 (1607) calls, looked up at run time so that the program still starts on older systems.
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Call>
Call User32Call(const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

int ScaleToDpi(int designed, int dpi) { return dpi == kDesignDpi ? designed : MulDiv(designed, dpi, kDesignDpi); }

Rect ScaleToDpi(const Rect& d, int dpi) {
    return {ScaleToDpi(d.left, dpi), ScaleToDpi(d.top, dpi), ScaleToDpi(d.width, dpi), ScaleToDpi(d.height, dpi)};
}

int DesignedCovering(int pixels, int dpi) { return (pixels * kDesignDpi + dpi - 1) / dpi; }

int SystemDpi() {
    static const int dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : kDesignDpi;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Call<GetDpiForWindowCall>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : SystemDpi();
}

SIZE FrameSizeForClient(int width, int height, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi = User32Call<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, width, height};
    if (adjustForDpi)
        adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace toolkit
