// The picture to find an icon by: from the clipboard in each image format a program may offer,
// and from files, refused with the reason when of a size no icon is shown at.
#include <gtest/gtest.h>

#include <fstream>

#include "WinTestFiles.h"
#include "WriterTestSupport.h"
#include "export/ClipboardDibs.h"
#include "export/PictureSources.h"
#include "toolkit/Clipboard.h"

using iconexport::ImagePixels;

namespace {

// An opaque picture whose every pixel differs from its neighbours and whose rows are not alike.
ImagePixels Pattern(int width, int height) {
    ImagePixels pixels{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.bgra.insert(pixels.bgra.end(), {std::uint8_t(x * 12), std::uint8_t(y * 13), 9, 255});
    return pixels;
}

std::string MessageOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const iconexport::EPictureUnreadable& error) {
        return error.what();
    }
    return "(read)";
}

}  // namespace

TEST(PictureSources, ClipboardImageInEachFormatReadsAsItsPixelsFilesOfOddSizesAreRefused) {
    const iconexport::WicImaging imaging;
    const ImagePixels picture = Pattern(20, 18);
    const std::pair<UINT, std::vector<std::uint8_t>> offers[] = {
        {toolkit::Clipboard::RegisteredFormat("PNG"), imaging.EncodePng(picture)},
        {CF_DIBV5, iconexport::BuildDibV5(picture)},
        {CF_DIB, iconexport::BuildDibOverWhite(picture)},
    };
    for (const auto& [format, bytes] : offers) {
        toolkit::Clipboard(nullptr).Put(format, bytes);
        ASSERT_TRUE(iconexport::ClipboardHasPicture()) << format;
        const ImagePixels read = iconexport::ReadClipboardPicture(imaging, nullptr);
        EXPECT_EQ(read.width, 20) << format;
        EXPECT_EQ(read.bgra, picture.bgra) << format;
    }
    toolkit::Clipboard(nullptr).PutText("no picture");
    EXPECT_FALSE(iconexport::ClipboardHasPicture());
    EXPECT_EQ(MessageOf([&] { iconexport::ReadClipboardPicture(imaging, nullptr); }), "クリップボードに画像がありません");

    // An icon file: its largest image (of 16, 32 and 48).
    EXPECT_EQ(iconexport::ReadPictureFile(imaging, wintest::Fixture("SIZES.ICO")).width, 48);
    writertest::ScratchFolder folder;
    const struct {
        int width, height;
        std::string message;
    } refused[] = {
        {513, 16, "画像が大きすぎます (513×16)。探せるのは 512×512 までの画像です"},
        {16, 15, "画像が小さすぎます (16×15)。探せるのは 16×16 以上の画像です"},
    };
    for (const auto& r : refused) {
        const std::vector<std::uint8_t> png = imaging.EncodePng(Pattern(r.width, r.height));
        std::ofstream(folder / "odd.png", std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        EXPECT_EQ(MessageOf([&] { iconexport::ReadPictureFile(imaging, folder / "odd.png"); }), r.message) << r.width;
    }
}
