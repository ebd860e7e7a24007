// The one checked record of a stored image, and the pixels and sizes every user takes from it.
#include <gtest/gtest.h>

#include "icons/IconResourceReader.h"
#include "export/BitmapImagePixels.h"
#include "export/ClipboardDibs.h"
#include "export/PngSizeChoice.h"
#include "tests/fixtures/ByteWriter.h"
#include "tests/fixtures/IconImageWriter.h"

using fixtures::Bytes;
using icons::StoredImageKind;

namespace {

constexpr std::uint32_t kPlain = 0, kMasks = 3, kJpeg = 4;

struct BitmapShape {
    std::uint32_t headerSize = 40;
    int width = 4, height = 2, bits = 32;
    std::uint32_t compression = kPlain;
    std::vector<std::uint32_t> masks;  // red, green, blue after a 40-byte header, or inside a larger one
    std::uint32_t pixel = 0;           // every pixel's value
    bool firstMasked = false;          // the mask hides pixel 0 of each row
};

// A bitmap icon image as an icon stores it: header, masks, colour rows, mask rows.
Bytes MakeBitmap(const BitmapShape& s) {
    fixtures::ByteWriter out;
    out.U32(s.headerSize), out.U32(static_cast<std::uint32_t>(s.width)), out.U32(static_cast<std::uint32_t>(s.height * 2));
    out.U16(1), out.U16(static_cast<std::uint32_t>(s.bits)), out.U32(s.compression);
    out.Zeros(20);  // image size, resolutions, colours used and important
    for (std::uint32_t m : s.masks) out.U32(m);
    if (out.Size() < s.headerSize) out.Zeros(s.headerSize - out.Size());
    const std::size_t colourRow = (static_cast<std::size_t>(s.width) * s.bits + 31) / 32 * 4;
    const std::size_t maskRow = (static_cast<std::size_t>(s.width) + 31) / 32 * 4;
    for (int y = 0; y < s.height; ++y) {
        const std::size_t start = out.Size();
        for (int x = 0; x < s.width; ++x) s.bits == 16 ? out.U16(s.pixel) : out.U32(s.pixel);
        out.Zeros(colourRow - (out.Size() - start));
    }
    for (int y = 0; y < s.height; ++y) {
        out.U8(s.firstMasked ? 0x80 : 0);
        out.Zeros(maskRow - 1);
    }
    return out.Data();
}

Bytes PngOf(std::uint32_t width, std::uint32_t height, std::uint8_t colourType) {
    Bytes png = fixtures::MakePngImage(16, 1).bytes;
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    png[25] = colourType;
    return png;
}

std::array<std::uint8_t, icons::kStoredImageFieldsSize> Listed(int bits) {
    return {0, 0, 0, 0, 1, 0, static_cast<std::uint8_t>(bits), 0};
}

}  // namespace

// Each shape's record, whether it may be decoded, and its PNG at a size (0: none is made).
TEST(StoredImageModel, EachShapeIsCheckedOnceIntoOneRecord) {
    const struct {
        const char* shape;
        Bytes bytes;
        int listedBits;
        bool intact;
        StoredImageKind kind;
        int width, height, bits;
        std::uint32_t headerSize, pixelsAt;
        bool readable;
        int size, imageWidth, imageHeight;  // the PNG of `size`: the image's size inside it
    } rows[] = {
        {"1 x 4096 at 256", MakeBitmap({40, 1, 4096, 32}), 0, true, StoredImageKind::Bitmap, 1, 4096, 32, 40, 40, true, 256, 1, 256},
        {"5000 x 1: over the limit", MakeBitmap({40, 5000, 1, 32}), 0, true, StoredImageKind::Bitmap, 5000, 1, 32, 40, 40, false, 32, 0, 0},
        {"IHDR 65535 x 65535", PngOf(65535, 65535, 6), 32, true, StoredImageKind::Png, 65535, 65535, 32, 0, 0, false, 256, 0, 0},
        {"IHDR 4096 x 4096: the limit", PngOf(4096, 4096, 6), 32, true, StoredImageKind::Png, 4096, 4096, 32, 0, 0, true, 48, 48, 48},
        {"palette PNG listed 32", PngOf(16, 16, 3), 32, true, StoredImageKind::Png, 16, 16, 32, 0, 0, true, 16, 16, 16},
        {"palette PNG listing none", PngOf(16, 16, 3), 0, true, StoredImageKind::Png, 16, 16, 8, 0, 0, true, 16, 16, 16},
        {"32-bit masks after the header", MakeBitmap({40, 4, 2, 32, kMasks, {0xFF0000, 0xFF00, 0xFF}}), 0, true,
         StoredImageKind::Bitmap, 4, 2, 32, 40, 52, true, 16, 16, 8},
        {"16-bit 5-6-5 in a V5 header", MakeBitmap({124, 4, 2, 16, kMasks, {0xF800, 0x07E0, 0x001F}}), 0, true,
         StoredImageKind::Bitmap, 4, 2, 16, 124, 124, true, 16, 16, 8},
        {"JPEG coded", MakeBitmap({40, 4, 2, 32, kJpeg}), 0, true, StoredImageKind::Bitmap, 4, 2, 32, 40, 0, false, 16, 0, 0},
        {"a header size not known (64)", MakeBitmap({64, 4, 2, 32}), 32, true, StoredImageKind::Bitmap, 256, 256, 32, 64, 0, false, 16, 0, 0},
        {"rows past the bytes", [] { Bytes b = MakeBitmap({40, 4, 2, 32}); b.resize(b.size() - 1); return b; }(), 0, false,
         StoredImageKind::Bitmap, 0, 0, 0, 0, 0, false, 0, 0, 0},
        {"header past the bytes", [] { Bytes b = MakeBitmap({40, 4, 2, 32}); fixtures::Patch32(b, 0, 4096); return b; }(), 0, false,
         StoredImageKind::Bitmap, 0, 0, 0, 0, 0, false, 0, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shape);
        icons::StoredIconImage image;
        ASSERT_EQ(icons::MakeStoredImage(Listed(row.listedBits), row.bytes, image), row.intact);
        if (!row.intact) continue;
        const icons::StoredImageHeader& h = image.header;
        EXPECT_EQ(h.kind, row.kind);
        EXPECT_EQ(h.width, row.width);
        EXPECT_EQ(h.height, row.height);
        EXPECT_EQ(h.bitsPerPixel, row.bits);
        EXPECT_EQ(h.headerSize, row.headerSize);
        EXPECT_EQ(h.pixelsAt, row.pixelsAt);
        EXPECT_EQ(h.readable, row.readable);
        if (h.kind == StoredImageKind::Bitmap && !h.readable) EXPECT_ANY_THROW(iconexport::BitmapImagePixels(image));
        const auto choices = iconexport::ChoosePngImages({h}, row.size);
        ASSERT_EQ(choices.size(), row.imageWidth ? 1u : 0u);
        if (choices.empty()) continue;
        EXPECT_EQ(choices[0].imageWidth, row.imageWidth);
        EXPECT_EQ(choices[0].imageHeight, row.imageHeight);
    }
}

// Pixels from hand-computed values: blue, green, red, alpha of pixel 0 and pixel 1 of the top row.
TEST(StoredImageModel, PixelsFollowTheColourMasksAndTheTransparencyMask) {
    using Pixel = std::array<int, 4>;
    const struct {
        const char* shape;
        BitmapShape bitmap;
        Pixel first, second;
    } rows[] = {
        // Red in the masks' coding, never the masks themselves read as pixels.
        {"32-bit masks, opaque red", {40, 4, 2, 32, kMasks, {0xFF0000, 0xFF00, 0xFF}, 0xFFFF0000}, {0, 0, 255, 255}, {0, 0, 255, 255}},
        {"32-bit masks, top byte a colour", {40, 4, 2, 32, kMasks, {0xFF000000, 0xFF00, 0xFF}, 0x80000000, true}, {0, 0, 0, 0}, {0, 0, 128, 255}},
        {"16-bit 5-6-5, 6-bit green 32", {124, 4, 2, 16, kMasks, {0xF800, 0x07E0, 0x001F}, 0x0400}, {0, 130, 0, 255}, {0, 130, 0, 255}},
        {"16-bit 5-6-5, red", {40, 4, 2, 16, kMasks, {0xF800, 0x07E0, 0x001F}, 0xF800}, {0, 0, 255, 255}, {0, 0, 255, 255}},
        {"16-bit plain 0x7FFF", {40, 4, 2, 16, kPlain, {}, 0x7FFF}, {255, 255, 255, 255}, {255, 255, 255, 255}},
        {"32-bit, every alpha 0: the mask", {40, 4, 2, 32, kPlain, {}, 0x00102030, true}, {0, 0, 0, 0}, {0x30, 0x20, 0x10, 255}},
        {"32-bit with alpha: the mask ignored", {40, 4, 2, 32, kPlain, {}, 0x80102030, true}, {0x30, 0x20, 0x10, 128}, {0x30, 0x20, 0x10, 128}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shape);
        icons::StoredIconImage image;
        ASSERT_TRUE(icons::MakeStoredImage({}, MakeBitmap(row.bitmap), image));
        const iconexport::ImagePixels pixels = iconexport::BitmapImagePixels(image);
        ASSERT_EQ(pixels.bgra.size(), 4u * 4 * 2);
        const auto at = [&](int x) { return Pixel{pixels.bgra[x * 4], pixels.bgra[x * 4 + 1], pixels.bgra[x * 4 + 2], pixels.bgra[x * 4 + 3]}; };
        EXPECT_EQ(at(0), row.first);
        EXPECT_EQ(at(1), row.second);
    }
    // CF_DIB lays the pixel over white: 1 at alpha 128 gives 1 * 128/255 + 255 * 127/255 = 127.5, rounded 128.
    const iconexport::ImagePixels half{1, 1, {1, 1, 1, 128}};
    const std::vector<std::uint8_t> dib = iconexport::BuildDibOverWhite(half);
    ASSERT_GE(dib.size(), 43u);
    EXPECT_EQ((std::array<int, 3>{dib[40], dib[41], dib[42]}), (std::array<int, 3>{128, 128, 128}));
}
