#include "export/IconImageCapture.h"

#include "export/DibInfo.h"
#include "export/WriterErrors.h"
#include "toolkit/GdiObjects.h"

namespace iconexport {

namespace {

// Converts `image` to the description's form; false when the platform cannot.
bool ConvertImage(HDC dc, HBITMAP image, DibInfo& info, std::vector<std::uint8_t>& rows) {
    rows.assign(info.header.biSizeImage, 0);
    const int height = info.header.biHeight;
    return GetDIBits(dc, image, 0, height, rows.data(), info.Get(), DIB_RGB_COLORS) == height;
}

}  // namespace

IconImageData CaptureIconImage(HICON icon) {
    if (!icon) throw EInvalidGraphic::NoIcon();
    const toolkit::IconBitmaps images(icon);
    BITMAP colour{};
    if (!images.Colour() || !images.Mask() || !GetObjectA(images.Colour(), sizeof colour, &colour) ||
        colour.bmWidth <= 0 || colour.bmHeight <= 0)
        throw EInvalidGraphic::BadImages();

    IconImageData data;
    data.width = colour.bmWidth;
    data.height = colour.bmHeight;
    // No palette is selected: the conversion uses the platform's standard 16 colours.
    const toolkit::MemoryDC dc;
    DibInfo colourInfo(IconColourDescription(data.width, data.height));
    DibInfo maskInfo(IconMaskDescription(data.width, data.height));
    if (!ConvertImage(dc.Get(), images.Colour(), colourInfo, data.colourRows) ||
        !ConvertImage(dc.Get(), images.Mask(), maskInfo, data.maskRows))
        throw EInvalidGraphic::BadImages();

    for (std::uint32_t i = 0; i < kIconColourCount; ++i) {
        const RGBQUAD& entry = colourInfo.colours[i];
        data.colourTable[4 * i] = entry.rgbBlue;
        data.colourTable[4 * i + 1] = entry.rgbGreen;
        data.colourTable[4 * i + 2] = entry.rgbRed;
        data.colourTable[4 * i + 3] = 0;
    }
    return data;
}

}  // namespace iconexport
