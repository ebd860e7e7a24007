#include <gtest/gtest.h>

#include "WriterTestSupport.h"
#include "export/BitmapFileLayout.h"
#include "export/BitmapFileWriter.h"
#include "export/BitmapImageCapture.h"
#include "export/IconBitmapRenderer.h"

using namespace writertest;
using namespace iconexport;

namespace {

// The colour of pixel (x, y) of a 32 x 32 bitmap file at 32 or 24 bits without bit fields.
Rgb PixelAt(const std::vector<std::uint8_t>& file, int x, int y) {
    const std::uint32_t bits = U16At(file, 28);
    const std::size_t at = U32At(file, 10) + (31 - y) * DibRowBytes(32, bits) + x * (bits / 8);
    return (file.at(at + 2) << 16) | (file.at(at + 1) << 8) | file.at(at);
}

// Left eight columns transparent; red above the middle, blue below.
HICON MakeTwoColourIcon() {
    return MakeIcon(32, 32, [](int, int y) { return y < 16 ? kRed : kBlue; },
                    [](int x, int) { return x < 8; });
}

std::vector<std::uint8_t> WriteAndRead(const Picture& picture, const ScratchFolder& folder) {
    WriteBitmapFile(picture, folder / "P.BMP");
    return ReadFileBytes(folder / "P.BMP");
}

}  // namespace

TEST(WriteBitmapFile, AtTheDisplayDepthGives4150BytesWithTransparentPixelsWhite) {
    OwnedIcon icon(MakeTwoColourIcon());
    const Picture picture = RenderIconBitmap(icon.Get());
    // Xvfb's 24-bit screen appears to Wine programs as a 32-bit display, as on a true-colour Windows display.
    ASSERT_EQ(picture.Depth(), 32);
    ScratchFolder folder;
    const auto file = WriteAndRead(picture, folder);

    ASSERT_EQ(file.size(), 4150u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 30),
              (std::vector<std::uint8_t>{0x42, 0x4D, 0x36, 0x10, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 0x28, 0,
                                         0, 0, 0x20, 0, 0, 0, 0x20, 0, 0, 0, 0x01, 0, 0x20, 0}));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_EQ(PixelAt(file, x, y), x < 8 ? kWhite : (y < 16 ? kRed : kBlue))
                << "pixel " << x << "," << y;
}

TEST(WriteBitmapFile, ALargerIconKeepsOnlyItsTopLeftCorner) {
    // Every pixel's colour tells its place, so a scaled drawing would show.
    OwnedIcon icon(MakeIcon(48, 48, [](int x, int y) { return Rgb((x * 5) << 16 | (y * 5) << 8 | 0x33); },
                            [](int, int) { return false; }));
    ScratchFolder folder;
    const auto file = WriteAndRead(RenderIconBitmap(icon.Get()), folder);
    ASSERT_EQ(file.size(), 4150u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_EQ(PixelAt(file, x, y), Rgb((x * 5) << 16 | (y * 5) << 8 | 0x33)) << "pixel " << x << "," << y;
}

TEST(WriteBitmapFile, AMissingIconGivesAnAllWhiteBitmapThatIsStillWritten) {
    ScratchFolder folder;
    const auto file = WriteAndRead(RenderIconBitmap(nullptr), folder);
    ASSERT_EQ(file.size(), 4150u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) EXPECT_EQ(PixelAt(file, x, y), kWhite) << "pixel " << x << "," << y;
}

TEST(WriteBitmapFile, APictureThePlatformCannotConvertRaisesTheGraphicsErrorAndWritesNothing) {
    ScratchFolder folder;
    WriteFileBytes(folder / "P.BMP", {1, 2, 3});
    const Picture broken(toolkit::Bitmap(reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(0x7FFF5678))));
    // A probe for a missing file just before leaves its error code behind: the graphics error must
    // not be reported with that file's text.
    ASSERT_EQ(GetFileAttributesA((folder / "MISSING.BMP").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    try {
        WriteBitmapFile(broken, folder / "P.BMP");
        FAIL() << "no error";
    } catch (const toolkit::Exception& e) {
        // Wine sets no error code for a handle that names no image (Windows may, and then its text shows).
        EXPECT_STREQ(e.what(), "システム リソースが足りません");
    }
    EXPECT_EQ(ReadFileBytes(folder / "P.BMP"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"P.BMP"});
}

// Other display depths, through the same conversion the writer uses on the rendered picture.
class BitmapAtOtherDepths : public testing::Test {
protected:
    OwnedIcon icon_{MakeTwoColourIcon()};
    Picture picture_ = RenderIconBitmap(icon_.Get());

    std::vector<std::uint8_t> FileAt(int bits) {
        return BuildBitmapFile(CaptureBitmapImage(picture_.Handle(), bits));
    }
};

TEST_F(BitmapAtOtherDepths, TwentyFourBitsHasThreeBytesPerPixel) {
    const auto file = FileAt(24);
    ASSERT_EQ(file.size(), 3126u);
    EXPECT_EQ(U32At(file, 10), 54u);
    EXPECT_EQ(U32At(file, 34), 3072u);
    EXPECT_EQ(PixelAt(file, 0, 0), kWhite);
    EXPECT_EQ(PixelAt(file, 20, 3), kRed);
    EXPECT_EQ(PixelAt(file, 20, 30), kBlue);
}

TEST_F(BitmapAtOtherDepths, SixteenBitsHasFiveBitsPerColour) {
    const auto file = FileAt(16);
    // Wine reports the 16-bit image as bit-field coded with its 5-5-5 masks (Windows may say compression 0: 2102 bytes, no masks).
    ASSERT_EQ(file.size(), 2114u);
    EXPECT_EQ(U32At(file, 30), 3u);
    EXPECT_EQ(U32At(file, 54), 0x7C00u);
    EXPECT_EQ(U32At(file, 58), 0x03E0u);
    EXPECT_EQ(U32At(file, 62), 0x001Fu);
    const std::size_t rows = U32At(file, 10);
    EXPECT_EQ(rows, 66u);
    // Bits 14-10 red, 9-5 green, 4-0 blue; the top row is the file's last.
    EXPECT_EQ(U16At(file, rows + 31 * 64 + 0), 0x7FFFu);       // (0, 0) white
    EXPECT_EQ(U16At(file, rows + 31 * 64 + 2 * 20), 0x7C00u);  // (20, 0) red
    EXPECT_EQ(U16At(file, rows + 0 * 64 + 2 * 20), 0x001Fu);   // (20, 31) blue
}

TEST_F(BitmapAtOtherDepths, EightBitsIndexesAColourTableOf256Entries) {
    const auto file = FileAt(8);
    ASSERT_EQ(file.size(), 2102u);
    EXPECT_EQ(U32At(file, 10), 1078u);
    EXPECT_EQ(U32At(file, 46), 256u);
    const auto colourOf = [&](int x, int y) {
        const std::size_t entry = 54 + 4 * file.at(1078 + (31 - y) * 32 + x);
        return Rgb(file[entry + 2] << 16 | file[entry + 1] << 8 | file[entry]);
    };
    EXPECT_EQ(colourOf(0, 0), kWhite);
    EXPECT_EQ(colourOf(20, 3), kRed);
    EXPECT_EQ(colourOf(20, 30), kBlue);
}
