#pragma once
// The two bitmap forms of an image on the clipboard, beside its PNG file, and the bitmap file a
// clipboard bitmap read back becomes. Platform-free.
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

// A clipboard bitmap (CF_DIB or CF_DIBV5: an info header, its colour table or colour masks, its
// rows) as a bitmap file: the same bytes after a file header that says where the rows start, for
// the system's imaging to read as any file. Empty when the header or the table does not fit in
// `dib`.
std::vector<std::uint8_t> BitmapFileOfDib(const std::vector<std::uint8_t>& dib);

}  // namespace iconexport
