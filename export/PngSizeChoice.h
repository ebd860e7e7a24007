#pragma once
// Which stored image of an icon gives its PNG file at a size, and how it is placed there.
// Platform-free: it sees only each image's facts.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "export/StoredImageFacts.h"

namespace iconexport {

// The PNG sizes besides a number of pixels: the largest image as stored ("最大"), and one file per
// size the icon stores ("全ｻｲｽﾞ").
constexpr int kLargestPngSize = 0;
constexpr int kEveryPngSize = -1;

struct PngChoice {
    std::size_t image = 0;  // position of the image in the icon
    int width = 0;          // the file's size in pixels
    int height = 0;
    int imageWidth = 0;     // the image's size in the file
    int imageHeight = 0;
    // The image is resampled to imageWidth x imageHeight (where that is not its own size) and
    // centred on a transparent width x height square.
    bool scaled = false;
};

// An image's size: its longer side.
int SizeOf(const StoredImageFacts& image);

// The image for `size` pixels, always a `size` square: the stored image of exactly that size with
// the most bits per pixel; else the nearest larger one scaled down; else the largest scaled up. A
// non-square image's longer side is the size, and it is centred. kLargestPngSize: the largest,
// deepest image as it is. kEveryPngSize: one choice per distinct stored size, in the icon's
// order. Among equals the first in the icon's order wins. Unreadable images are never chosen:
// empty for an icon without a readable image.
std::vector<PngChoice> ChoosePngImages(const std::vector<StoredImageFacts>& images, int size);

// The largest readable image of the greatest depth: what the detail window selects and the strip
// copies (0 when none is readable).
std::size_t LargestDeepestImage(const std::vector<StoredImageFacts>& images);

// The choice of an image as it is stored (the detail window's PNG of the selected image).
PngChoice AsStoredChoice(const std::vector<StoredImageFacts>& images, std::size_t image);

// The PNG file's name for `choice` of icon `index` exported at `pngSize`: SAMPLE0003.PNG, or with
// every size SAMPLE0003-48.PNG (the file's size in pixels).
std::string PngFileName(std::string_view baseName, int index, int pngSize, const PngChoice& choice);

}  // namespace iconexport
