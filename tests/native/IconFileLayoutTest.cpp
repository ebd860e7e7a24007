#include <gtest/gtest.h>

#include <stdexcept>

#include "FileBytes.h"
#include "export/IconFileLayout.h"

using namespace iconexport;

namespace {

IconImageData MakeIcon(int width, int height, std::uint8_t colourByte, std::uint8_t maskByte) {
    IconImageData image;
    image.width = width;
    image.height = height;
    for (std::size_t i = 0; i < image.colourTable.size(); ++i) image.colourTable[i] = static_cast<std::uint8_t>(i);
    image.colourRows.assign(IconColourPixelBytes(width, height), colourByte);
    image.maskRows.assign(IconMaskPixelBytes(width, height), maskByte);
    return image;
}

}  // namespace

TEST(IconFileLayout, A32By32IconIs766BytesWithTheFixedHeaders) {
    IconImageData image = MakeIcon(32, 32, 0x00, 0x00);
    image.colourRows.front() = 0x1F;  // first byte of the bottom row
    image.maskRows[31 * 4] = 0x80;    // leftmost pixel of the top row transparent
    const auto file = BuildIconFile(image);

    ASSERT_EQ(file.size(), 766u);
    EXPECT_EQ(BytesAt(file, 0, 6), (std::vector<std::uint8_t>{0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(BytesAt(file, 6, 16), (std::vector<std::uint8_t>{0x20, 0x20, 0x10, 0, 0, 0, 0, 0,
                                                               0xE8, 0x02, 0, 0, 0x16, 0, 0, 0}));
    // Info header: 40, 32, doubled height 64, 1 plane, 4 bits, no compression, 512, 0, 0, 16, 0.
    EXPECT_EQ(U32At(file, 22), 40u);
    EXPECT_EQ(U32At(file, 26), 32u);
    EXPECT_EQ(U32At(file, 30), 64u);
    EXPECT_EQ(U16At(file, 34), 1u);
    EXPECT_EQ(U16At(file, 36), 4u);
    EXPECT_EQ(U32At(file, 38), 0u);
    EXPECT_EQ(U32At(file, 42), 512u);
    EXPECT_EQ(U32At(file, 46), 0u);
    EXPECT_EQ(U32At(file, 50), 0u);
    EXPECT_EQ(U32At(file, 54), 16u);
    EXPECT_EQ(U32At(file, 58), 0u);
    // Colour table, colour rows and mask rows follow in that order, unchanged.
    EXPECT_EQ(BytesAt(file, 62, 64), std::vector<std::uint8_t>(image.colourTable.begin(), image.colourTable.end()));
    EXPECT_EQ(file[126], 0x1F);
    EXPECT_EQ(file[638 - 1], 0x00);
    EXPECT_EQ(file[765], 0x00);
    EXPECT_EQ(file[762], 0x80);
}

TEST(IconFileLayout, OtherSizesFollowTheRowFormulas) {
    // 48 wide: colour rows of 24 bytes, mask rows of 6 bytes filled up to 8.
    EXPECT_EQ(IconColourPixelBytes(48, 48), 24u * 48);
    EXPECT_EQ(IconMaskPixelBytes(48, 48), 8u * 48);
    EXPECT_EQ(IconBytesInImage(48, 48), 40u + 64 + 1152 + 384);
    EXPECT_EQ(IconFileSize(48, 48), 22u + 1640);
    // 16 x 16: colour rows of 8 bytes, mask rows of 2 bytes filled up to 4.
    EXPECT_EQ(IconFileSize(16, 16), 22u + 40 + 64 + 128 + 64);
    // 20 wide: 10 colour bytes filled up to 12.
    EXPECT_EQ(IconColourPixelBytes(20, 3), 36u);

    const auto file = BuildIconFile(MakeIcon(48, 24, 0, 0));
    ASSERT_EQ(file.size(), IconFileSize(48, 24));
    EXPECT_EQ(file[6], 48);
    EXPECT_EQ(file[7], 24);  // one image's height, not doubled
    EXPECT_EQ(U32At(file, 14), IconBytesInImage(48, 24));
    EXPECT_EQ(U32At(file, 18), 22u);
    EXPECT_EQ(U32At(file, 30), 48u);
    EXPECT_EQ(U32At(file, 42), IconColourPixelBytes(48, 24));
}

TEST(IconFileLayout, FillBitsAreWrittenAsZero) {
    // 20 x 2: colour rows of 10 used bytes + 2 fill; mask rows of 20 used bits + 12 fill bits.
    const auto file = BuildIconFile(MakeIcon(20, 2, 0xAB, 0xFF));
    const std::size_t colourAt = 22 + 40 + 64;
    for (int row = 0; row < 2; ++row) {
        const std::size_t at = colourAt + row * 12;
        EXPECT_EQ(BytesAt(file, at, 12), (std::vector<std::uint8_t>{0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB,
                                                                   0xAB, 0xAB, 0xAB, 0xAB, 0, 0}));
    }
    const std::size_t maskAt = colourAt + 24;
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(BytesAt(file, maskAt + row * 4, 4), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xF0, 0x00}));

    // An odd width leaves half a byte of fill in the colour row.
    const auto odd = BuildIconFile(MakeIcon(7, 1, 0xAB, 0xFF));
    EXPECT_EQ(BytesAt(odd, colourAt, 4), (std::vector<std::uint8_t>{0xAB, 0xAB, 0xAB, 0xA0}));
    EXPECT_EQ(BytesAt(odd, colourAt + 4, 4), (std::vector<std::uint8_t>{0xFE, 0, 0, 0}));
}

TEST(IconFileLayout, RowsThatDoNotMatchTheSizeAreRefused) {
    IconImageData shortColour = MakeIcon(32, 32, 0, 0);
    shortColour.colourRows.pop_back();
    EXPECT_THROW(BuildIconFile(shortColour), std::invalid_argument);
    IconImageData longMask = MakeIcon(32, 32, 0, 0);
    longMask.maskRows.push_back(0);
    EXPECT_THROW(BuildIconFile(longMask), std::invalid_argument);
    EXPECT_THROW(BuildIconFile(MakeIcon(0, 0, 0, 0)), std::invalid_argument);
}
