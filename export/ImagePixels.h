#pragma once
// Pixels of one icon image as the PNG export, the clipboard and the detail window use them: rows
// from the top, four bytes a pixel (blue, green, red, alpha), alpha not multiplied in. Platform-free.
#include <cstdint>
#include <vector>

namespace iconexport {

struct ImagePixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;  // width * height * 4 bytes

    int Stride() const { return width * 4; }
};

}  // namespace iconexport
