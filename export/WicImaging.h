#pragma once
// PNG decoding, PNG encoding and resampling through the system's imaging component (WIC). No
// window is involved, so the export core can use it from any program.
#include <cstdint>
#include <vector>

#include "export/ImagePixels.h"

namespace iconexport {

// Throws EInvalidGraphic::BadImages when the bytes are no image the system can read.
ImagePixels DecodePng(const std::vector<std::uint8_t>& bytes);
// The bytes of a PNG file (32-bit, alpha kept) of the pixels.
std::vector<std::uint8_t> EncodePng(const ImagePixels& pixels);
// The pixels resampled to width x height with the best filter the system offers.
ImagePixels ScalePixels(const ImagePixels& pixels, int width, int height);

}  // namespace iconexport
