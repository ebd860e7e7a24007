#include "export/ShellIconImage.h"

#include <utility>

#include "export/ByteWriter.h"
#include "export/DibInfo.h"
#include "export/WriterErrors.h"
#include "toolkit/GdiObjects.h"

namespace iconexport {

namespace {

// The image's rows at `bits` per pixel, bottom row first.
std::vector<std::uint8_t> RowsOf(HDC dc, HBITMAP image, int width, int height, std::uint16_t bits) {
    DibHeader description;
    description.width = width;
    description.height = height;
    description.bitCount = bits;
    description.sizeImage = DibImageBytes(width, height, bits);
    DibInfo info(description);
    std::vector<std::uint8_t> rows(description.sizeImage);
    if (GetDIBits(dc, image, 0, static_cast<UINT>(height), rows.data(), info.Get(), DIB_RGB_COLORS) != height)
        throw EInvalidGraphic::BadImages();
    return rows;
}

}  // namespace

icons::StoredIconImage ShellIconImage(HICON icon) {
    if (!icon) throw EInvalidGraphic::NoIcon();
    const toolkit::IconBitmaps images(icon);
    BITMAP colour{};
    if (!images.Colour() || !images.Mask() || !GetObjectA(images.Colour(), sizeof colour, &colour) ||
        colour.bmWidth <= 0 || colour.bmHeight <= 0 || colour.bmWidth > 255 || colour.bmHeight > 255)
        throw EInvalidGraphic::BadImages();
    const int width = colour.bmWidth, height = colour.bmHeight;
    const toolkit::MemoryDC dc;
    const std::vector<std::uint8_t> colourRows = RowsOf(dc.Get(), images.Colour(), width, height, 32);
    const std::vector<std::uint8_t> maskRows = RowsOf(dc.Get(), images.Mask(), width, height, 1);

    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    DibHeader header;
    header.width = width;
    header.height = 2 * height;  // colour rows and mask rows
    header.bitCount = 32;
    header.sizeImage = static_cast<std::uint32_t>(colourRows.size() + maskRows.size());
    WriteDibHeader(out, header);
    out.Bytes(colourRows);
    out.Bytes(maskRows);
    icons::StoredIconImage image;
    if (!icons::MakeStoredImage({static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height), 0, 0, 1, 0, 32, 0},
                                std::move(bytes), image))
        throw EInvalidGraphic::BadImages();
    return image;
}

}  // namespace iconexport
