#include "export/ImageClipboard.h"

#include "export/ClipboardDibs.h"
#include "export/PngFileWriter.h"
#include "export/PngSizeChoice.h"
#include "export/ShellIconImage.h"
#include "export/StoredImageFacts.h"
#include "export/WriterErrors.h"
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

void CopyIconToClipboard(HWND owner, const WicImaging& imaging, icons::IconFile& file, int index) {
    const icons::StoredIcon images = ImagesOrShellIcon(file.Stored(index), [&] { return file.Extract(index); });
    if (images.empty()) throw EInvalidGraphic::NoIcon();
    CopyImageToClipboard(owner, imaging, images[LargestDeepestImage(FactsOf(images))]);
}

}  // namespace iconexport
