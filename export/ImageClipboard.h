#pragma once
// Copying one icon image: its PNG file as the registered format "PNG" (alpha kept), CF_DIBV5
// (32-bit with alpha) and CF_DIB (24-bit over white, for programs that know nothing newer).
#include <windows.h>

#include "icons/IconResourceReader.h"
#include "icons/IconSource.h"
#include "export/WicImaging.h"

namespace iconexport {

// Errors: EInvalidGraphic for an image that cannot be read; the system's error when the
// clipboard cannot be opened or filled.
void CopyImageToClipboard(HWND owner, const WicImaging& imaging, const icons::StoredIconImage& image);

// Copies icon `index` of `file` as the strip copies it: its largest, deepest image (the shell's icon
// when the file holds no readable image). Errors as above; EInvalidGraphic::NoIcon without any image.
void CopyIconToClipboard(HWND owner, const WicImaging& imaging, icons::IconFile& file, int index);

}  // namespace iconexport
