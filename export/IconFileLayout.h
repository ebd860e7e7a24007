#pragma once
// The .ICO file the program writes: one image of W x H pixels at 4 bits per pixel with a
// 16-colour table and a 1-bit transparency mask. This assembles the bytes from the converted
// images; obtaining them is the platform's part (IconImageCapture). Platform-free.
#include <array>
#include <cstdint>
#include <vector>

#include "export/DibHeader.h"

namespace iconexport {

constexpr std::uint32_t kIconColourBits = 4;
constexpr std::uint32_t kIconColourCount = 16;
constexpr std::uint32_t kIconColourTableBytes = kIconColourCount * 4;
// File header (6) and one directory entry (16): the image always starts here.
constexpr std::uint32_t kIconImageOffset = 22;

// One icon converted to 4-bit colour rows and 1-bit mask rows, both bottom row first.
struct IconImageData {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::array<std::uint8_t, kIconColourTableBytes> colourTable{};  // blue, green, red, 0 each
    std::vector<std::uint8_t> colourRows;                           // IconColourPixelBytes long
    std::vector<std::uint8_t> maskRows;                             // IconMaskPixelBytes long; 1 = transparent
};

std::uint32_t IconColourPixelBytes(std::int32_t width, std::int32_t height);
std::uint32_t IconMaskPixelBytes(std::int32_t width, std::int32_t height);
// Info header, colour table, colour rows and mask rows: the directory entry's "bytes in image".
std::uint32_t IconBytesInImage(std::int32_t width, std::int32_t height);
std::uint32_t IconFileSize(std::int32_t width, std::int32_t height);

// How the colour image and the mask are described to the platform for conversion.
DibHeader IconColourDescription(std::int32_t width, std::int32_t height);
DibHeader IconMaskDescription(std::int32_t width, std::int32_t height);

// The complete file. Fill bits at the end of each row are written as 0 whatever the rows hold.
// Throws std::invalid_argument when the rows do not have the sizes above.
std::vector<std::uint8_t> BuildIconFile(const IconImageData& image);

}  // namespace iconexport
