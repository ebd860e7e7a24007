// The one checked record of a stored image, and the pixels and sizes every user takes from it.
#include <gtest/gtest.h>

#include "icons/IconResourceReader.h"
#include "export/BitmapImagePixels.h"
#include "export/ClipboardDibs.h"
#include "export/PngSizeChoice.h"
#include "tests/fixtures/IconImageWriter.h"

using fixtures::Bytes;
using fixtures::UniformBitmap;

namespace {

constexpr std::uint32_t kMasks = 3, kJpeg = 4;

Bytes Bitmap(const UniformBitmap& shape) { return fixtures::MakeUniformBitmap(shape).bytes; }

Bytes PngOf(std::uint32_t width, std::uint32_t height, std::uint8_t colourType) {
    Bytes png = fixtures::MakePngImage(16, 1).bytes;
    for (int i = 0; i < 4; ++i) png[16 + i] = std::uint8_t(width >> (24 - 8 * i)), png[20 + i] = std::uint8_t(height >> (24 - 8 * i));
    png[25] = colourType;
    return png;
}

}  // namespace

// Each shape's record (kind P for PNG; size and depth; header size and where the pixels start),
// whether it is decoded, and the image's size inside its PNG of `size` (none when unreadable).
TEST(StoredImageModel, EachShapeIsCheckedOnceIntoOneRecord) {
    const struct {
        const char* shape;
        Bytes bytes;
        int listedBits;
        std::vector<std::uint32_t> record;  // png, width, height, bits, header size, pixels at, readable; empty: damaged
        int size, imageWidth, imageHeight;
    } rows[] = {
        {"1 x 4096 at 256", Bitmap({40, 1, 4096}), 0, {0, 1, 4096, 32, 40, 40, 1}, 256, 1, 256},
        {"5000 x 1", Bitmap({40, 5000, 1}), 0, {0, 5000, 1, 32, 40, 40, 0}, 32, 0, 0},
        {"IHDR 65535 x 65535", PngOf(65535, 65535, 6), 32, {1, 65535, 65535, 32, 0, 0, 0}, 256, 0, 0},
        {"IHDR 4096 x 4096", PngOf(4096, 4096, 6), 32, {1, 4096, 4096, 32, 0, 0, 1}, 48, 48, 48},
        {"palette PNG listed 32", PngOf(16, 16, 3), 32, {1, 16, 16, 32, 0, 0, 1}, 16, 16, 16},
        {"32-bit masks after the header", Bitmap({40, 4, 2, 32, kMasks, {0xFF0000, 0xFF00, 0xFF}}), 0, {0, 4, 2, 32, 40, 52, 1}, 16, 16, 8},
        {"16-bit masks in a V5 header", Bitmap({124, 4, 2, 16, kMasks, {0xF800, 0x07E0, 0x1F}}), 0, {0, 4, 2, 16, 124, 124, 1}, 16, 16, 8},
        {"JPEG coded", Bitmap({40, 4, 2, 32, kJpeg}), 0, {0, 4, 2, 32, 40, 0, 0}, 16, 0, 0},
        {"header size 64: the directory's size", Bitmap({64, 4, 2}), 32, {0, 256, 256, 32, 64, 0, 0}, 16, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shape);
        icons::StoredIconImage image;
        const std::uint8_t bits = static_cast<std::uint8_t>(row.listedBits);
        ASSERT_EQ(icons::MakeStoredImage({0, 0, 0, 0, 1, 0, bits, 0}, row.bytes, image), !row.record.empty());
        if (row.record.empty()) continue;
        const icons::StoredImageHeader& h = image.header;
        EXPECT_EQ((std::vector<std::uint32_t>{h.IsPng(), std::uint32_t(h.width), std::uint32_t(h.height), std::uint32_t(h.bitsPerPixel),
                                              h.headerSize, h.pixelsAt, h.readable}),
                  row.record);
        if (!h.IsPng() && !h.readable) EXPECT_ANY_THROW(iconexport::BitmapImagePixels(image));
        const auto choices = iconexport::ChoosePngImages({h}, row.size);
        ASSERT_EQ(choices.size(), row.imageWidth ? 1u : 0u);
        if (!choices.empty()) EXPECT_EQ(std::make_pair(choices[0].imageWidth, choices[0].imageHeight), std::make_pair(row.imageWidth, row.imageHeight));
    }
}

// Blue, green, red and alpha of the top row's pixels 0 and 1, from hand-computed values.
TEST(StoredImageModel, PixelsFollowTheColourMasksAndTheTransparencyMask) {
    using Pixel = std::array<int, 4>;
    const struct {
        const char* shape;
        UniformBitmap bitmap;
        Pixel first, second;
    } rows[] = {
        {"32-bit masks, red", {40, 4, 2, 32, kMasks, {0xFF0000, 0xFF00, 0xFF}, 0xFFFF0000}, {0, 0, 255, 255}, {0, 0, 255, 255}},
        {"32-bit masks, red in the top byte", {40, 4, 2, 32, kMasks, {0xFF000000, 0xFF00, 0xFF}, 0x80000000, true}, {0, 0, 0, 0}, {0, 0, 128, 255}},
        {"16-bit 5-6-5, green 32 of 63", {124, 4, 2, 16, kMasks, {0xF800, 0x07E0, 0x1F}, 0x0400}, {0, 130, 0, 255}, {0, 130, 0, 255}},
        {"16-bit plain 0x7FFF", {40, 4, 2, 16, 0, {}, 0x7FFF}, {255, 255, 255, 255}, {255, 255, 255, 255}},
        {"32-bit, every alpha 0: the mask", {40, 4, 2, 32, 0, {}, 0x00102030, true}, {0, 0, 0, 0}, {0x30, 0x20, 0x10, 255}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shape);
        icons::StoredIconImage image;
        ASSERT_TRUE(icons::MakeStoredImage({}, Bitmap(row.bitmap), image));
        const std::vector<std::uint8_t> p = iconexport::BitmapImagePixels(image).bgra;
        ASSERT_EQ(p.size(), 4u * 4 * 2);
        EXPECT_EQ((Pixel{p[0], p[1], p[2], p[3]}), row.first);
        EXPECT_EQ((Pixel{p[4], p[5], p[6], p[7]}), row.second);
    }
    // CF_DIB over white: 1 at alpha 128 is 1 * 128/255 + 255 * 127/255 = 127.5, rounded 128.
    const std::vector<std::uint8_t> dib = iconexport::BuildDibOverWhite({1, 1, {1, 1, 1, 128}});
    ASSERT_GE(dib.size(), 43u);
    EXPECT_EQ((std::array<int, 3>{dib[40], dib[41], dib[42]}), (std::array<int, 3>{128, 128, 128}));
}

// A clipboard bitmap read back: the file header's size and where it says the rows start.
TEST(ClipboardDibs, BitmapFileOfDibPointsPastHeaderAndTable) {
    const auto header = [](std::uint32_t size, std::uint16_t bits, std::uint32_t compression, std::uint32_t used,
                           std::size_t total) {
        std::vector<std::uint8_t> dib(total, 0);
        const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
            for (int i = 0; i < bytes; ++i) dib[at + i] = std::uint8_t(value >> (8 * i));
        };
        put(0, size, 4), put(4, 2, 4), put(8, 2, 4), put(12, 1, 2), put(14, bits, 2), put(16, compression, 4), put(32, used, 4);
        return dib;
    };
    const struct {
        const char* what;
        std::vector<std::uint8_t> dib;
        std::uint32_t rowsAt;  // 0: refused
    } cases[] = {
        {"version 5, 32 bits, masks inside", iconexport::BuildDibV5({2, 2, std::vector<std::uint8_t>(16, 7)}), 14 + 124},
        {"24 bits over white", iconexport::BuildDibOverWhite({2, 2, std::vector<std::uint8_t>(16, 7)}), 14 + 40},
        {"8 bits, full table", header(40, 8, 0, 0, 40 + 1024 + 8), 14 + 40 + 1024},
        {"1 bit, two colours used", header(40, 1, 0, 2, 40 + 8 + 8), 14 + 40 + 8},
        {"16 bits, masks after the header", header(40, 16, 3, 0, 40 + 12 + 8), 14 + 40 + 12},
        {"table past the end", header(40, 8, 0, 0, 40 + 1000), 0},
        {"header larger than the bytes", header(124, 32, 0, 0, 100), 0},
        {"header too small", header(12, 24, 0, 0, 60), 0},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> file = iconexport::BitmapFileOfDib(c.dib);
        if (c.rowsAt == 0) {
            EXPECT_TRUE(file.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(file.size(), 14 + c.dib.size()) << c.what;
        EXPECT_EQ(file[0], 'B') << c.what;
        EXPECT_EQ(file[1], 'M') << c.what;
        EXPECT_EQ(file[2] | (file[3] << 8) | (file[4] << 16), int(file.size())) << c.what;
        EXPECT_EQ(std::uint32_t(file[10] | (file[11] << 8) | (file[12] << 16)), c.rowsAt) << c.what;
        EXPECT_TRUE(std::equal(c.dib.begin(), c.dib.end(), file.begin() + 14)) << c.what;
    }
}
