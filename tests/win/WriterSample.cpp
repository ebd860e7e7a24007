// Writes SAMPLE.ICO and SAMPLE.BMP (a 32 x 32 icon with transparency) and LARGE.ICO (48 x 48)
// into the folder given as the argument, for checks by other programs' readers.
#include <cstdio>
#include <exception>

#include "WriterTestSupport.h"
#include "export/BitmapFileWriter.h"
#include "export/IconBitmapRenderer.h"
#include "export/IconFileWriter.h"

using namespace writertest;

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
    } catch (const std::exception& e) {
        std::fprintf(stderr, "writer_sample: %s\n", e.what());
        return 1;
    }
    return 0;
}
