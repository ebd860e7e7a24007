#include "export/PngFileWriter.h"

#include "export/BitmapImagePixels.h"
#include "export/SafeFileReplace.h"
#include "export/StoredImageFacts.h"
#include "export/WicImaging.h"
#include "export/WriterErrors.h"

namespace iconexport {

ImagePixels StoredImagePixels(const icons::StoredIconImage& image) {
    return IsPngImage(image.bytes) ? DecodePng(image.bytes) : BitmapImagePixels(image.bytes);
}

std::vector<std::uint8_t> BuildPngFile(const icons::StoredIcon& icon, const PngChoice& choice) {
    if (choice.image >= icon.size()) throw EInvalidGraphic::NoIcon();
    const icons::StoredIconImage& image = icon[choice.image];
    if (!choice.scaled && IsPngImage(image.bytes)) return image.bytes;
    const ImagePixels pixels = StoredImagePixels(image);
    return EncodePng(choice.scaled ? ScalePixels(pixels, choice.width, choice.height) : pixels);
}

// A stored PNG image goes to the file straight from the icon, without a copy.
void WritePngFile(const icons::StoredIcon& icon, const PngChoice& choice, const std::string& path) {
    const bool asStored = choice.image < icon.size() && !choice.scaled && IsPngImage(icon[choice.image].bytes);
    ReplaceFileContents(path, asStored ? icon[choice.image].bytes : BuildPngFile(icon, choice));
}

}  // namespace iconexport
