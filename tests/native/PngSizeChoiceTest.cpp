// The stored image each PNG size is made from, and whether it is resampled.
#include <gtest/gtest.h>

#include "export/PngSizeChoice.h"

using iconexport::ChoosePngImages;
using iconexport::kEveryPngSize;
using iconexport::kLargestPngSize;

namespace {
// width (= height) and bits per pixel of each stored image, in the icon's order
std::vector<iconexport::StoredImageFacts> Icon(std::initializer_list<std::pair<int, int>> images) {
    std::vector<iconexport::StoredImageFacts> facts;
    for (const auto& [side, bits] : images) facts.push_back({side, side, bits, side == 256});
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
