// Writes SAMPLE.ICO and SAMPLE.BMP (a 32 x 32 icon with transparency) and LARGE.ICO (48 x 48)
// into the folder given as the argument, for checks by other programs' readers; and WHOLE.ICO (4-,
// 8- and 32-bit bitmaps and a PNG image) with each image's PNG export IMAGE0.PNG .. IMAGE3.PNG and
// its 48-pixel image scaled to 24 pixels, SCALED.PNG.
#include <cstdio>
#include <exception>
#include <stdexcept>

#include "WriterTestSupport.h"
#include "export/BitmapFileWriter.h"
#include "export/IconBitmapRenderer.h"
#include "export/IconFileWriter.h"
#include "export/PngFileWriter.h"
#include "export/StoredImageFacts.h"
#include "export/SafeFileReplace.h"
#include "tests/fixtures/IconImageWriter.h"

using namespace writertest;

icons::StoredIconImage Checked(const fixtures::IconImage& made) {
    icons::StoredIconImage image;
    if (!icons::MakeStoredImage({}, made.bytes, image)) throw std::runtime_error("image refused");
    return image;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: writer_sample FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        const auto ring = [](int x, int y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) > 14 * 14; };
        OwnedIcon icon(MakeIcon(32, 32, [](int x, int y) { return Rgb((x * 8) << 16 | (y * 8) << 8 | 0x80); }, ring));
        iconexport::WriteIconFile(icon.Get(), folder + "\\SAMPLE.ICO");
        iconexport::WriteBitmapFile(iconexport::RenderIconBitmap(icon.Get()), folder + "\\SAMPLE.BMP");
        OwnedIcon large(MakeIcon(48, 48, [](int, int) { return kRed; }, [](int x, int) { return x < 4; }));
        iconexport::WriteIconFile(large.Get(), folder + "\\LARGE.ICO");
        const auto whole = fixtures::MakeIconFile({fixtures::MakeBitmapImage(16, 4, 1), fixtures::MakeBitmapImage(32, 8, 2),
                                                   fixtures::MakeBitmapImage(48, 32, 3), fixtures::MakePngImage(64, 4)});
        iconexport::ReplaceFileContents(folder + "\\WHOLE.ICO", whole);
        icons::MemoryByteSource bytes(whole);
        const icons::StoredIcon stored = icons::ReadStoredIcon(bytes, 0);
        const iconexport::WicImaging imaging;
        const auto facts = iconexport::FactsOf(stored);
        for (std::size_t i = 0; i < stored.size(); ++i)
            iconexport::WritePngFile(imaging, stored, iconexport::AsStoredChoice(facts, i), folder + "\\IMAGE" + std::to_string(i) + ".PNG");
        iconexport::WritePngFile(imaging, stored, {2, 24, 24, 24, 24, true}, folder + "\\SCALED.PNG");
        // Colour-mask bitmaps: 16 x 16 at 32 bits, opaque red as stored; 48 x 32 at 16 bits 5-6-5,
        // red, at 16 pixels (16 x 11 centred on a transparent square).
        const icons::StoredIcon masked{Checked(fixtures::MakeUniformBitmap({40, 16, 16, 32, 3, {0xFF0000, 0xFF00, 0xFF}, 0xFFFF0000u}))};
        iconexport::WritePngFile(imaging, masked, iconexport::AsStoredChoice(iconexport::FactsOf(masked), 0), folder + "\\MASKED32.PNG");
        const icons::StoredIcon wide{Checked(fixtures::MakeUniformBitmap({40, 48, 32, 16, 3, {0xF800, 0x07E0, 0x001F}, 0xF800}))};
        iconexport::WritePngFile(imaging, wide, iconexport::ChoosePngImages(iconexport::FactsOf(wide), 16).at(0), folder + "\\WIDE565.PNG");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "writer_sample: %s\n", e.what());
        return 1;
    }
    return 0;
}
