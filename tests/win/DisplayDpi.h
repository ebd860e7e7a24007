#pragma once
// The display's DPI as a DPI-aware test program sees it (96 unless the Wine prefix says otherwise).
#include <windows.h>

namespace testsupport {

inline int DisplayDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace testsupport
