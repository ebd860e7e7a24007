#include "export/BitmapImageCapture.h"

#include <algorithm>
#include <cstring>

#include "export/DibInfo.h"
#include "export/Picture.h"
#include "toolkit/GdiObjects.h"

namespace iconexport {

namespace {

DibHeader PictureDescription(int bitsPerPixel) {
    DibHeader description;
    description.width = Picture::kSize;
    description.height = Picture::kSize;
    description.bitCount = static_cast<std::uint16_t>(bitsPerPixel);
    return description;
}

// Pixel values are copied unchanged: the new image has the picture's own depth.
void CopyPixels(HDC dc, HBITMAP picture, DibInfo& info, void* bits) {
    if (toolkit::GdiCall([&] { return GetDIBits(dc, picture, 0, Picture::kSize, bits, info.Get(), DIB_RGB_COLORS); }) == 0)
        toolkit::RaiseLastGdiError();
}

// At 8 bits or fewer the pixels are indexes: the picture is drawn onto the new image, whose
// colour table was taken from the picture.
void DrawPixels(HBITMAP picture, HBITMAP image) {
    const toolkit::MemoryDC target;
    const toolkit::SelectedObject targetHeld(target.Get(), image);
    const toolkit::MemoryDC source;
    const toolkit::SelectedObject sourceHeld(source.Get(), picture);
    const BOOL drawn = toolkit::GdiCall([&] {
        return PatBlt(target.Get(), 0, 0, Picture::kSize, Picture::kSize, WHITENESS) &&
               BitBlt(target.Get(), 0, 0, Picture::kSize, Picture::kSize, source.Get(), 0, 0, SRCCOPY);
    });
    if (!drawn) toolkit::RaiseLastGdiError();
}

std::vector<std::uint8_t> ReadColourTable(HBITMAP image, const DibHeader& description) {
    if (description.bitCount > 8) return {};
    UINT wanted = kMaxColourTableEntries;
    if (description.clrUsed != 0) wanted = std::min<UINT>(wanted, description.clrUsed);
    RGBQUAD entries[kMaxColourTableEntries]{};
    const toolkit::MemoryDC dc;
    const toolkit::SelectedObject held(dc.Get(), image);
    const UINT count = toolkit::GdiCall([&] { return GetDIBColorTable(dc.Get(), 0, wanted, entries); });
    if (count == 0) toolkit::RaiseLastGdiError();
    std::vector<std::uint8_t> table;
    for (UINT i = 0; i < count; ++i)
        table.insert(table.end(), {entries[i].rgbBlue, entries[i].rgbGreen, entries[i].rgbRed, 0});
    return table;
}

}  // namespace

BitmapImageData CaptureBitmapImage(HBITMAP picture, int bitsPerPixel) {
    const toolkit::MemoryDC dc;
    DibInfo info(PictureDescription(bitsPerPixel));
    if (bitsPerPixel <= 8 && toolkit::GdiCall([&] {
            return GetDIBits(dc.Get(), picture, 0, Picture::kSize, nullptr, info.Get(), DIB_RGB_COLORS);
        }) == 0)
        toolkit::RaiseLastGdiError();
    void* bits = nullptr;
    const toolkit::Bitmap image(
        toolkit::GdiCall([&] { return CreateDIBSection(dc.Get(), info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0); }));
    if (!image || !bits) toolkit::RaiseLastGdiError();
    if (bitsPerPixel > 8)
        CopyPixels(dc.Get(), picture, info, bits);
    else
        DrawPixels(picture, image.Get());
    GdiFlush();

    DIBSECTION section{};
    if (toolkit::GdiCall([&] { return GetObjectA(image.Get(), sizeof section, &section); }) != sizeof section)
        toolkit::RaiseLastGdiError();
    BitmapImageData data;
    data.description = DescriptionOf(section.dsBmih);
    std::copy(std::begin(section.dsBitfields), std::end(section.dsBitfields), data.masks.begin());
    data.colourTable = ReadColourTable(image.Get(), data.description);
    const auto* first = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    data.rows.assign(first, first + BitmapPixelBytes(data.description));
    return data;
}

}  // namespace iconexport
