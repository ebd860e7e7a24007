#pragma once
// What each stored image of an icon is, as the reader checked it (icons::StoredImageHeader): its
// size in pixels, bits per pixel, kind and whether it can be read. Platform-free.
#include <string>
#include <vector>

#include "icons/IconResourceReader.h"

namespace iconexport {

using StoredImageFacts = icons::StoredImageHeader;

std::vector<StoredImageFacts> FactsOf(const icons::StoredIcon& icon);

// How the program names an image to the user: "256×256 32ﾋﾞｯﾄ PNG", "48×48 8ﾋﾞｯﾄ".
std::string ImageCaption(const StoredImageFacts& facts);

}  // namespace iconexport
