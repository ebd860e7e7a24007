// The stored image each PNG size is made from, and whether it is resampled.
#include <gtest/gtest.h>

#include "export/PngSizeChoice.h"

using iconexport::ChoosePngImages;
using iconexport::kEveryPngSize;
using iconexport::kLargestPngSize;

namespace {
iconexport::StoredImageFacts Image(int width, int height, int bits, bool readable = true) {
    iconexport::StoredImageFacts facts;
    facts.kind = width == 256 ? icons::StoredImageKind::Png : icons::StoredImageKind::Bitmap;
    facts.width = width, facts.height = height, facts.bitsPerPixel = bits, facts.readable = readable;
    return facts;
}
// width (= height) and bits per pixel of each stored image, in the icon's order
std::vector<iconexport::StoredImageFacts> Icon(std::initializer_list<std::pair<int, int>> images) {
    std::vector<iconexport::StoredImageFacts> facts;
    for (const auto& [side, bits] : images) facts.push_back(Image(side, side, bits));
    return facts;
}
}  // namespace

TEST(PngSizeChoice, ExactDeepestElseNearestLargerDownElseLargestUp) {
    const auto icon = Icon({{16, 4}, {32, 8}, {32, 32}, {48, 8}, {256, 32}, {48, 32}, {32, 4}});
    const struct {
        int size;
        std::vector<std::size_t> images;  // chosen image per file
        std::vector<int> widths;
        std::vector<bool> scaled;
    } cases[] = {
        {32, {2}, {32}, {false}},                                  // exact: the deepest of three
        {48, {5}, {48}, {false}},                                  // deeper wins though later
        {24, {2}, {24}, {true}},                                   // the nearest larger, deepest
        {64, {4}, {64}, {true}},                                   // 256 is the only larger one
        {kLargestPngSize, {4}, {256}, {false}},
        {kEveryPngSize, {0, 2, 5, 4}, {16, 32, 48, 256}, {false, false, false, false}},
    };
    for (const auto& c : cases) {
        std::vector<std::size_t> images;
        std::vector<int> widths;
        std::vector<bool> scaled;
        for (const auto& choice : ChoosePngImages(icon, c.size)) {
            images.push_back(choice.image);
            widths.push_back(choice.width);
            scaled.push_back(choice.scaled);
        }
        EXPECT_EQ(images, c.images) << c.size;
        EXPECT_EQ(widths, c.widths) << c.size;
        EXPECT_EQ(scaled, c.scaled) << c.size;
    }
    // Nothing larger: the largest, deepest image is scaled up.
    const auto small = Icon({{16, 32}, {32, 4}, {32, 8}});
    const auto up = ChoosePngImages(small, 128);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].image, 2u);
    EXPECT_EQ(up[0].width, 128);
    EXPECT_EQ(up[0].height, 128);
    EXPECT_TRUE(up[0].scaled);
    EXPECT_TRUE(ChoosePngImages({}, 32).empty());
}

// A PNG of a size is a square of that size: an image of another shape is scaled so that its longer
// side is the size (rounded, at least a pixel) and centred. Unreadable images are never chosen.
TEST(PngSizeChoice, OtherShapesFillTheSquareByTheirLongerSideAndUnreadableImagesAreSkipped) {
    const struct {
        const char* shape;
        std::vector<iconexport::StoredImageFacts> icon;
        int size;
        std::size_t image;
        int imageWidth, imageHeight;  // inside the size x size file
    } rows[] = {
        {"48 x 32 at 16", {Image(48, 32, 32)}, 16, 0, 16, 11},  // 10.67 rounds up
        {"256 x 1 at 16", {Image(256, 1, 32)}, 16, 0, 16, 1},   // never 0 high
        {"two equal: the first", {Image(48, 48, 8), Image(48, 48, 8)}, 24, 0, 24, 24},
        {"unreadable exact skipped", {Image(32, 32, 32, false), Image(48, 48, 8)}, 32, 1, 32, 32},
    };
    for (const auto& row : rows) {
        const auto choices = ChoosePngImages(row.icon, row.size);
        ASSERT_EQ(choices.size(), 1u) << row.shape;
        EXPECT_EQ((std::vector<int>{int(choices[0].image), choices[0].width, choices[0].height, choices[0].imageWidth, choices[0].imageHeight}),
                  (std::vector<int>{int(row.image), row.size, row.size, row.imageWidth, row.imageHeight})) << row.shape;
    }
    // Every size of a one-image icon: its one size, named by it.
    const auto every = ChoosePngImages({Image(48, 48, 32)}, kEveryPngSize);
    ASSERT_EQ(every.size(), 1u);
    EXPECT_EQ(iconexport::PngFileName("ONE", 0, kEveryPngSize, every[0]), "ONE0000-48.PNG");
    EXPECT_EQ(iconexport::LargestDeepestImage({Image(16, 16, 4), Image(256, 256, 32, false)}), 0u);
}
