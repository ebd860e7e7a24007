#pragma once
// Which stored image of an icon gives its PNG file at a size, and whether it must be scaled.
// Platform-free: it sees only each image's facts.
#include <cstddef>
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
    bool scaled = false;    // the image is resampled to that size
};

// The image for `size` pixels: the stored image of exactly that width with the most bits per
// pixel; else the nearest wider one scaled down; else the widest scaled up. kLargestPngSize: the
// widest, deepest image as it is. kEveryPngSize: one choice per distinct stored width, in the
// icon's order. Among equals the first in the icon's order wins. Empty for an icon without images.
std::vector<PngChoice> ChoosePngImages(const std::vector<StoredImageFacts>& images, int size);

// The widest image of the greatest depth: what the detail window selects and the strip copies.
std::size_t LargestDeepestImage(const std::vector<StoredImageFacts>& images);

}  // namespace iconexport
