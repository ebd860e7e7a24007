#pragma once
// Converts a picture into a device-independent image of a given depth and reads back how the
// platform describes it (header, bit-field masks, colour table), ready for the bitmap file.
#include <windows.h>

#include "export/BitmapFileLayout.h"

namespace iconexport {

// `picture` is a 32 x 32 image not selected into any drawing context. Graphics failures raise
// the system's error text (toolkit::RaiseLastGdiError).
BitmapImageData CaptureBitmapImage(HBITMAP picture, int bitsPerPixel);

}  // namespace iconexport
