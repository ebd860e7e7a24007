#pragma once
// Drawing an icon onto a white 32 x 32 picture at the display's colour depth, for a bitmap file.
#include <windows.h>

#include "export/Picture.h"

namespace iconexport {

// The icon (still owned by the caller) drawn at its own size from the top-left corner, so a
// larger icon is cut at the right and bottom; a null icon leaves the picture white. Graphics
// failures raise the system's error text (toolkit::RaiseLastGdiError).
Picture RenderIconBitmap(HICON icon);

}  // namespace iconexport
