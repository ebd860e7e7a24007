// The picture to find an icon by: from the clipboard in each image format a program may offer,
// and from files, refused with the reason when it is no picture or of a size no icon is shown at.
#include <gtest/gtest.h>

#include <fstream>

#include "WriterTestSupport.h"
#include "export/ClipboardDibs.h"
#include "export/PictureSources.h"
#include "toolkit/Clipboard.h"

using iconexport::ImagePixels;

namespace {

// An opaque picture whose every pixel differs from its neighbours and whose rows are not alike.
ImagePixels Pattern(int width, int height) {
    ImagePixels pixels{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4, 255)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &pixels.bgra[(std::size_t(y) * width + x) * 4];
            p[0] = std::uint8_t(x * 12), p[1] = std::uint8_t(y * 13), p[2] = std::uint8_t((x + y) * 7);
        }
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

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

TEST(PictureSources, ClipboardImageInEachFormatReadsAsItsPixels) {
    const iconexport::WicImaging imaging;
    const ImagePixels picture = Pattern(20, 18);
    const struct {
        const char* what;
        UINT format;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"PNG", toolkit::Clipboard::RegisteredFormat("PNG"), imaging.EncodePng(picture)},
        {"CF_DIBV5", CF_DIBV5, iconexport::BuildDibV5(picture)},
        {"CF_DIB", CF_DIB, iconexport::BuildDibOverWhite(picture)},
    };
    for (const auto& c : cases) {
        toolkit::Clipboard(nullptr).Put(c.format, c.bytes);
        ASSERT_TRUE(iconexport::ClipboardHasPicture()) << c.what;
        const ImagePixels read = iconexport::ReadClipboardPicture(imaging, nullptr);
        EXPECT_EQ(read.width, 20) << c.what;
        EXPECT_EQ(read.height, 18) << c.what;
        EXPECT_EQ(read.bgra, picture.bgra) << c.what;
    }
    toolkit::Clipboard(nullptr).PutText("no picture");
    EXPECT_FALSE(iconexport::ClipboardHasPicture());
    EXPECT_EQ(MessageOf([&] { iconexport::ReadClipboardPicture(imaging, nullptr); }), "クリップボードに画像がありません");
}

TEST(PictureSources, FileOfAPictureReadsElseSaysWhyNot) {
    const iconexport::WicImaging imaging;
    writertest::ScratchFolder folder;
    WriteBytes(folder / "crop.bmp", iconexport::BitmapFileOfDib(iconexport::BuildDibOverWhite(Pattern(16, 16))));
    WriteBytes(folder / "wide.png", imaging.EncodePng(Pattern(513, 16)));
    WriteBytes(folder / "small.png", imaging.EncodePng(Pattern(16, 15)));
    WriteBytes(folder / "note.png", {'n', 'o', 't', 'e'});
    EXPECT_EQ(iconexport::ReadPictureFile(imaging, folder / "crop.bmp").bgra, Pattern(16, 16).bgra);
    const struct {
        const char* name;
        std::string message;
    } refused[] = {
        {"wide.png", "画像が大きすぎます (513×16)。探せるのは 512×512 までの画像です"},
        {"small.png", "画像が小さすぎます (16×15)。探せるのは 16×16 以上の画像です"},
        {"note.png", folder / "note.png" + " は画像として読めません"},
        {"gone.png", folder / "gone.png" + " は画像として読めません"},
    };
    for (const auto& r : refused)
        EXPECT_EQ(MessageOf([&] { iconexport::ReadPictureFile(imaging, folder / r.name); }), r.message) << r.name;
}
