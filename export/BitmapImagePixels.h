#pragma once
// The pixels of a stored bitmap icon image (a device-independent bitmap with its colour rows and
// its 1-bit mask rows), read where its checked header says. Platform-free.
#include "icons/IconResourceReader.h"
#include "export/ImagePixels.h"

namespace iconexport {

// 32-bit images keep their own alpha; images of fewer bits, and 32-bit images whose alpha is zero
// everywhere (made before icons had alpha), are transparent where the mask is set. 16- and 32-bit
// pixels are read through the header's colour masks. Throws EInvalidGraphic::BadImages for an
// image that is no readable bitmap.
ImagePixels BitmapImagePixels(const icons::StoredIconImage& image);

}  // namespace iconexport
