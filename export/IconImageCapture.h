#pragma once
// Converts an icon's colour image and mask into 4-bit colour rows with the platform's 16 colours
// and 1-bit mask rows, ready for the icon file.
#include <windows.h>

#include "export/IconFileLayout.h"

namespace iconexport {

// Throws EInvalidGraphic::NoIcon for a null icon and EInvalidGraphic::BadImages when its images
// cannot be obtained, described or converted.
IconImageData CaptureIconImage(HICON icon);

}  // namespace iconexport
