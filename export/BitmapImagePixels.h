#pragma once
// The pixels of a stored bitmap icon image (a device-independent bitmap with its colour rows and
// its 1-bit mask rows). Platform-free.
#include <cstdint>
#include <vector>

#include "export/ImagePixels.h"

namespace iconexport {

// 32-bit images keep their own alpha; images of fewer bits, and 32-bit images whose alpha is zero
// everywhere (made before icons had alpha), are transparent where the mask is set. Throws
// EInvalidGraphic::BadImages for a header or rows that do not fit the bytes.
ImagePixels BitmapImagePixels(const std::vector<std::uint8_t>& bytes);

}  // namespace iconexport
