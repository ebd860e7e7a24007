#pragma once
// The two bitmap forms of an image on the clipboard, beside its PNG file. Platform-free.
#include <cstdint>
#include <vector>

#include "export/ImagePixels.h"

namespace iconexport {

// CF_DIBV5: a 124-byte version 5 header (bit fields with an alpha mask, sRGB), then 32-bit rows
// bottom row first, alpha kept.
std::vector<std::uint8_t> BuildDibV5(const ImagePixels& pixels);

// CF_DIB: a 40-byte header, then 24-bit rows bottom row first, the image laid over white for
// programs that know nothing of alpha.
std::vector<std::uint8_t> BuildDibOverWhite(const ImagePixels& pixels);

}  // namespace iconexport
