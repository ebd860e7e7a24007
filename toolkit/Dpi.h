#pragma once
// Pixels per inch: the forms are designed in pixels at 96 DPI and shown at their monitor's DPI,
// every designed number multiplied by DPI / 96 and rounded. On systems older than Windows 10 the
// per-window questions fall back to the system's DPI (the manifest asks for it from Vista on).
#include <windows.h>

#include "toolkit/Window.h"

namespace toolkit {

constexpr int kDesignDpi = 96;
// WM_GETDPISCALEDSIZE of Windows 10 (1703), which the headers declare only for that version on.
constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// A designed length at `dpi`, rounded to the nearest pixel (halves away from zero).
int ScaleToDpi(int designed, int dpi);
Rect ScaleToDpi(const Rect& designed, int dpi);
// The smallest designed length that covers `pixels` at `dpi` (a measured text, for example).
int DesignedCovering(int pixels, int dpi);

// The DPI of the primary monitor when the program started: where new windows begin.
int SystemDpi();
// The DPI the window is shown at (its monitor's, for a window that follows monitors).
int WindowDpi(HWND window);
// The window rectangle around a client area of width x height for the style at `dpi`.
SIZE FrameSizeForClient(int width, int height, DWORD style, DWORD exStyle, int dpi);

}  // namespace toolkit
