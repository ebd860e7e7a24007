#include "export/PngSizeChoice.h"

#include <algorithm>

#include "export/ExportFileNames.h"

namespace iconexport {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The position of the best readable image among those `fits` accepts: `better` decides between two.
template <typename Fits, typename Better>
std::size_t BestImage(const std::vector<StoredImageFacts>& images, Fits fits, Better better) {
    std::size_t best = kNone;
    for (std::size_t i = 0; i < images.size(); ++i)
        if (images[i].readable && fits(images[i]) && (best == kNone || better(images[i], images[best]))) best = i;
    return best;
}

bool LargerOrDeeper(const StoredImageFacts& a, const StoredImageFacts& b) {
    return SizeOf(a) != SizeOf(b) ? SizeOf(a) > SizeOf(b) : a.bitsPerPixel > b.bitsPerPixel;
}

bool SmallerOrDeeper(const StoredImageFacts& a, const StoredImageFacts& b) {
    return SizeOf(a) != SizeOf(b) ? SizeOf(a) < SizeOf(b) : a.bitsPerPixel > b.bitsPerPixel;
}

// side * size / longer, rounded, at least one pixel.
int ScaledSide(int side, int size, int longer) {
    const long long scaled = (static_cast<long long>(side) * size + longer / 2) / longer;
    return static_cast<int>(std::max(1LL, scaled));
}

// The image with its longer side `size`, centred on a `size` square.
PngChoice PlacedIn(const std::vector<StoredImageFacts>& images, std::size_t image, int size) {
    const StoredImageFacts& facts = images[image];
    const int longer = SizeOf(facts);
    PngChoice choice{image, size, size, ScaledSide(facts.width, size, longer), ScaledSide(facts.height, size, longer), true};
    choice.scaled = choice.imageWidth != facts.width || choice.imageHeight != facts.height || facts.width != facts.height;
    return choice;
}

std::vector<PngChoice> ChooseForSize(const std::vector<StoredImageFacts>& images, int size) {
    const std::size_t exact = BestImage(images, [size](const StoredImageFacts& f) { return SizeOf(f) == size; }, LargerOrDeeper);
    if (exact != kNone) return {PlacedIn(images, exact, size)};
    const std::size_t larger = BestImage(images, [size](const StoredImageFacts& f) { return SizeOf(f) > size; }, SmallerOrDeeper);
    const std::size_t chosen = larger != kNone ? larger : BestImage(images, [](const StoredImageFacts&) { return true; }, LargerOrDeeper);
    if (chosen == kNone) return {};
    return {PlacedIn(images, chosen, size)};
}

}  // namespace

int SizeOf(const StoredImageFacts& image) { return std::max(image.width, image.height); }

std::size_t LargestDeepestImage(const std::vector<StoredImageFacts>& images) {
    const std::size_t best = BestImage(images, [](const StoredImageFacts&) { return true; }, LargerOrDeeper);
    return best == kNone ? 0 : best;
}

PngChoice AsStoredChoice(const std::vector<StoredImageFacts>& images, std::size_t image) {
    const StoredImageFacts& facts = images[image];
    return {image, facts.width, facts.height, facts.width, facts.height, false};
}

std::vector<PngChoice> ChoosePngImages(const std::vector<StoredImageFacts>& images, int size) {
    if (size == kLargestPngSize) {
        const std::size_t best = BestImage(images, [](const StoredImageFacts&) { return true; }, LargerOrDeeper);
        return best == kNone ? std::vector<PngChoice>{} : std::vector<PngChoice>{AsStoredChoice(images, best)};
    }
    if (size != kEveryPngSize) return ChooseForSize(images, size);
    std::vector<PngChoice> choices;
    for (std::size_t i = 0; i < images.size(); ++i) {
        bool seen = !images[i].readable;
        for (std::size_t j = 0; j < i && !seen; ++j) seen = images[j].readable && SizeOf(images[j]) == SizeOf(images[i]);
        if (!seen) {
            const std::vector<PngChoice> one = ChooseForSize(images, SizeOf(images[i]));
            choices.insert(choices.end(), one.begin(), one.end());
        }
    }
    return choices;
}

std::string PngFileName(std::string_view baseName, int index, int pngSize, const PngChoice& choice) {
    if (pngSize != kEveryPngSize) return ExportFileName(baseName, index, ".PNG");
    return SizedExportFileName(baseName, index, std::max(choice.width, choice.height), ".PNG");
}

}  // namespace iconexport
