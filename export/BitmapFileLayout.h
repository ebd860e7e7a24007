#pragma once
// The .BMP file the program writes: 14-byte file header, the 40-byte info header, the three
// colour masks when the pixels use bit-field coding, the colour table (8 bits per pixel or fewer)
// and the pixel rows. This assembles the bytes from the picture as the platform converted and
// described it (BitmapImageCapture). Platform-free.
#include <array>
#include <cstdint>
#include <vector>

#include "export/DibHeader.h"

namespace iconexport {

constexpr std::uint32_t kBitmapFileHeaderSize = 14;
constexpr std::uint32_t kMaxColourTableEntries = 256;

// A converted picture: its description as reported back, and what goes with it.
struct BitmapImageData {
    DibHeader description;
    std::array<std::uint32_t, 3> masks{};      // red, green, blue; used with bit-field coding only
    std::vector<std::uint8_t> colourTable;     // 4 bytes per entry: blue, green, red, 0
    std::vector<std::uint8_t> rows;            // BitmapPixelBytes long, rows in the description's order
};

// Bytes of the pixel rows of the description's width, height and depth.
std::uint32_t BitmapPixelBytes(const DibHeader& description);

// The complete file. Throws std::invalid_argument when the rows or the colour table do not fit
// the description.
std::vector<std::uint8_t> BuildBitmapFile(const BitmapImageData& image);

}  // namespace iconexport
