#pragma once
// The 40-byte device-independent bitmap info header that both the icon file and the bitmap file
// carry, kept as plain fields so that the file assembly needs no platform headers.
#include <cstdint>

#include "export/ByteWriter.h"

namespace iconexport {

constexpr std::uint32_t kDibHeaderSize = 40;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionBitFields = 3;

struct DibHeader {
    std::uint32_t size = kDibHeaderSize;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kCompressionNone;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

// Bytes in one pixel row: rows are filled up to a multiple of 32 bits.
constexpr std::uint32_t DibRowBytes(std::int32_t width, std::uint32_t bitCount) {
    return (static_cast<std::uint32_t>(width) * bitCount + 31) / 32 * 4;
}

// Bytes in all rows of an image `height` rows high (either row order).
constexpr std::uint32_t DibImageBytes(std::int32_t width, std::int32_t height, std::uint32_t bitCount) {
    return DibRowBytes(width, bitCount) * static_cast<std::uint32_t>(height < 0 ? -height : height);
}

// Writes the header as 40 bytes, whatever its size field says.
void WriteDibHeader(ByteWriter& out, const DibHeader& header);

}  // namespace iconexport
