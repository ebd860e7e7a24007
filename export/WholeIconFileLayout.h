#pragma once
// The .ICO file of a whole icon: every image the source stores for it, each image's bytes as they
// are (bitmaps and PNG images alike), under a directory of one entry per image. Platform-free.
#include <cstdint>
#include <vector>

#include "icons/IconResourceReader.h"

namespace iconexport {

// Header (reserved 0, type 1, image count), one 16-byte entry per image (its stored fields, its
// size, its offset), then the images in the icon's order. A cursor's images (each with its
// hotspot) make a cursor file: type 2, each entry's hotspot in place of planes and depth. Throws
// EInvalidGraphic::NoIcon for an icon without images.
std::vector<std::uint8_t> BuildWholeIconFile(const icons::StoredIcon& icon);

}  // namespace iconexport
