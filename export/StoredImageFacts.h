#pragma once
// What one stored image of an icon is: its size in pixels, its bits per pixel and whether it is a
// PNG image or a bitmap, read from the image's own header (the directory's fields may disagree).
// Platform-free.
#include <cstdint>
#include <vector>

#include "icons/IconResourceReader.h"

namespace iconexport {

struct StoredImageFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool png = false;
};

bool IsPngImage(const std::vector<std::uint8_t>& bytes);
StoredImageFacts FactsOf(const icons::StoredIconImage& image);
std::vector<StoredImageFacts> FactsOf(const icons::StoredIcon& icon);

}  // namespace iconexport
