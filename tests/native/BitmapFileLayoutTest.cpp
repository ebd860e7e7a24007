#include <gtest/gtest.h>

#include <stdexcept>

#include "FileBytes.h"
#include "export/BitmapFileLayout.h"

using namespace iconexport;

namespace {

BitmapImageData MakePicture(std::uint16_t bits, std::uint32_t compression = kCompressionNone) {
    BitmapImageData image;
    image.description.width = 32;
    image.description.height = 32;
    image.description.bitCount = bits;
    image.description.compression = compression;
    image.rows.assign(BitmapPixelBytes(image.description), 0x5A);
    return image;
}

std::vector<std::uint8_t> GreyTable(std::uint32_t entries) {
    std::vector<std::uint8_t> table;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        table.insert(table.end(), {v, v, v, 0});
    }
    return table;
}

}  // namespace

TEST(BitmapFileLayout, ThirtyTwoBitsIs4150BytesWithTheFixedHeader) {
    const auto file = BuildBitmapFile(MakePicture(32));
    ASSERT_EQ(file.size(), 4150u);
    EXPECT_EQ(BytesAt(file, 0, 30),
              (std::vector<std::uint8_t>{0x42, 0x4D, 0x36, 0x10, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 0x28, 0,
                                         0, 0, 0x20, 0, 0, 0, 0x20, 0, 0, 0, 0x01, 0, 0x20, 0}));
    EXPECT_EQ(U32At(file, 30), 0u);     // compression
    EXPECT_EQ(U32At(file, 34), 4096u);  // image size
    EXPECT_EQ(U32At(file, 46), 0u);     // colours used
    EXPECT_EQ(file[54], 0x5A);
    EXPECT_EQ(file.back(), 0x5A);
}

TEST(BitmapFileLayout, TwentyFourAndSixteenBitsHaveNoTable) {
    const auto rgb24 = BuildBitmapFile(MakePicture(24));
    EXPECT_EQ(rgb24.size(), 3126u);
    EXPECT_EQ(U32At(rgb24, 10), 54u);
    EXPECT_EQ(U32At(rgb24, 34), 3072u);

    const auto rgb16 = BuildBitmapFile(MakePicture(16));
    EXPECT_EQ(rgb16.size(), 2102u);
    EXPECT_EQ(U32At(rgb16, 2), 2102u);
    EXPECT_EQ(U32At(rgb16, 10), 54u);
    EXPECT_EQ(U32At(rgb16, 34), 2048u);
    EXPECT_EQ(U16At(rgb16, 28), 16u);
}

TEST(BitmapFileLayout, BitFieldsAddTheThreeMasksAfterTheHeader) {
    BitmapImageData reported = MakePicture(16, kCompressionBitFields);
    reported.masks = {0x7C00, 0x03E0, 0x001F};
    const auto withMasks = BuildBitmapFile(reported);
    ASSERT_EQ(withMasks.size(), 2114u);
    EXPECT_EQ(U32At(withMasks, 10), 66u);
    EXPECT_EQ(U32At(withMasks, 30), 3u);
    EXPECT_EQ(U32At(withMasks, 54), 0x7C00u);
    EXPECT_EQ(U32At(withMasks, 58), 0x03E0u);
    EXPECT_EQ(U32At(withMasks, 62), 0x001Fu);
    EXPECT_EQ(withMasks[66], 0x5A);

    // Masks reported as 0 mean the usual coding of the depth.
    const auto default16 = BuildBitmapFile(MakePicture(16, kCompressionBitFields));
    EXPECT_EQ(U32At(default16, 54), 0xF800u);
    EXPECT_EQ(U32At(default16, 58), 0x07E0u);
    EXPECT_EQ(U32At(default16, 62), 0x001Fu);
    const auto default32 = BuildBitmapFile(MakePicture(32, kCompressionBitFields));
    ASSERT_EQ(default32.size(), 4162u);
    EXPECT_EQ(U32At(default32, 54), 0xFF0000u);
    EXPECT_EQ(U32At(default32, 58), 0x00FF00u);
    EXPECT_EQ(U32At(default32, 62), 0x0000FFu);
}

TEST(BitmapFileLayout, EightBitsCarryTheColourTableAndItsCount) {
    BitmapImageData image = MakePicture(8);
    image.colourTable = GreyTable(256);
    const auto file = BuildBitmapFile(image);
    ASSERT_EQ(file.size(), 2102u);
    EXPECT_EQ(U32At(file, 10), 1078u);
    EXPECT_EQ(U32At(file, 34), 1024u);
    EXPECT_EQ(U32At(file, 46), 256u);  // colours used set to the entries written
    EXPECT_EQ(BytesAt(file, 54 + 4 * 200, 4), (std::vector<std::uint8_t>{200, 200, 200, 0}));
    EXPECT_EQ(file[1078], 0x5A);

    // A shorter table moves the rows up by exactly the missing entries and says how many it has.
    BitmapImageData small = MakePicture(8);
    small.description.clrUsed = 0;
    small.colourTable = GreyTable(20);
    const auto shortFile = BuildBitmapFile(small);
    EXPECT_EQ(U32At(shortFile, 10), 14u + 40 + 80);
    EXPECT_EQ(U32At(shortFile, 46), 20u);
    EXPECT_EQ(shortFile.size(), 14u + 40 + 80 + 1024);
}

TEST(BitmapFileLayout, InconsistentPicturesAreRefused) {
    BitmapImageData noTable = MakePicture(8);
    EXPECT_THROW(BuildBitmapFile(noTable), std::invalid_argument);
    BitmapImageData bigTable = MakePicture(4);
    bigTable.colourTable = GreyTable(17);
    EXPECT_THROW(BuildBitmapFile(bigTable), std::invalid_argument);
    BitmapImageData shortRows = MakePicture(32);
    shortRows.rows.resize(100);
    EXPECT_THROW(BuildBitmapFile(shortRows), std::invalid_argument);
}
