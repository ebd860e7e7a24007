#include "export/PngSizeChoice.h"

namespace iconexport {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The position of the best image among those `fits` accepts: `better` decides between two.
template <typename Fits, typename Better>
std::size_t BestImage(const std::vector<StoredImageFacts>& images, Fits fits, Better better) {
    std::size_t best = kNone;
    for (std::size_t i = 0; i < images.size(); ++i)
        if (fits(images[i]) && (best == kNone || better(images[i], images[best]))) best = i;
    return best;
}

bool WiderOrDeeper(const StoredImageFacts& a, const StoredImageFacts& b) {
    return a.width != b.width ? a.width > b.width : a.bitsPerPixel > b.bitsPerPixel;
}

bool NarrowerOrDeeper(const StoredImageFacts& a, const StoredImageFacts& b) {
    return a.width != b.width ? a.width < b.width : a.bitsPerPixel > b.bitsPerPixel;
}

PngChoice AsStored(const std::vector<StoredImageFacts>& images, std::size_t image) {
    return {image, images[image].width, images[image].height, false};
}

// A non-square image keeps its proportions.
PngChoice ScaledTo(const std::vector<StoredImageFacts>& images, std::size_t image, int size) {
    const StoredImageFacts& facts = images[image];
    const int height = facts.width > 0 ? static_cast<int>((static_cast<long long>(facts.height) * size + facts.width / 2) / facts.width) : size;
    return {image, size, height > 0 ? height : 1, true};
}

PngChoice ChooseForSize(const std::vector<StoredImageFacts>& images, int size) {
    const std::size_t exact = BestImage(images, [size](const StoredImageFacts& f) { return f.width == size; }, WiderOrDeeper);
    if (exact != kNone) return AsStored(images, exact);
    const std::size_t larger = BestImage(images, [size](const StoredImageFacts& f) { return f.width > size; }, NarrowerOrDeeper);
    return ScaledTo(images, larger != kNone ? larger : LargestDeepestImage(images), size);
}

}  // namespace

std::size_t LargestDeepestImage(const std::vector<StoredImageFacts>& images) {
    const std::size_t best = BestImage(images, [](const StoredImageFacts&) { return true; }, WiderOrDeeper);
    return best == kNone ? 0 : best;
}

std::vector<PngChoice> ChoosePngImages(const std::vector<StoredImageFacts>& images, int size) {
    std::vector<PngChoice> choices;
    if (images.empty()) return choices;
    if (size == kLargestPngSize) {
        choices.push_back(AsStored(images, LargestDeepestImage(images)));
    } else if (size == kEveryPngSize) {
        for (std::size_t i = 0; i < images.size(); ++i) {
            bool seen = false;
            for (std::size_t j = 0; j < i; ++j) seen = seen || images[j].width == images[i].width;
            if (!seen) choices.push_back(ChooseForSize(images, images[i].width));
        }
    } else {
        choices.push_back(ChooseForSize(images, size));
    }
    return choices;
}

}  // namespace iconexport
