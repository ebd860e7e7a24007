#include "export/ImageClipboard.h"

#include "export/ClipboardDibs.h"
#include "export/PngFileWriter.h"
#include "toolkit/Clipboard.h"

namespace iconexport {

void CopyImageToClipboard(HWND owner, const WicImaging& imaging, const icons::StoredIconImage& image) {
    const ImagePixels pixels = StoredImagePixels(imaging, image);
    const std::vector<std::uint8_t> png = image.header.IsPng() ? image.bytes : imaging.EncodePng(pixels);
    toolkit::Clipboard clipboard(owner);
    clipboard.Put(toolkit::Clipboard::RegisteredFormat("PNG"), png);
    clipboard.Put(CF_DIBV5, BuildDibV5(pixels));
    clipboard.Put(CF_DIB, BuildDibOverWhite(pixels));
}

}  // namespace iconexport
