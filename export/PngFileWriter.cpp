#include "export/PngFileWriter.h"

#include "export/BitmapImagePixels.h"
#include "export/SafeFileReplace.h"
#include "export/WriterErrors.h"

namespace iconexport {

namespace {

// The image of the choice, refused when the reader found it unreadable.
const icons::StoredIconImage& ChosenImage(const icons::StoredIcon& icon, const PngChoice& choice) {
    if (choice.image >= icon.size()) throw EInvalidGraphic::NoIcon();
    const icons::StoredIconImage& image = icon[choice.image];
    if (!image.header.readable) throw EInvalidGraphic::BadImages();
    return image;
}

}  // namespace

ImagePixels StoredImagePixels(const WicImaging& imaging, const icons::StoredIconImage& image) {
    return image.header.IsPng() ? imaging.DecodePng(image) : BitmapImagePixels(image);
}

ImagePixels ChosenPixels(const WicImaging& imaging, const icons::StoredIcon& icon, const PngChoice& choice) {
    ImagePixels pixels = StoredImagePixels(imaging, ChosenImage(icon, choice));
    if (!choice.scaled) return pixels;
    if (pixels.width != choice.imageWidth || pixels.height != choice.imageHeight)
        pixels = imaging.ScalePixels(pixels, choice.imageWidth, choice.imageHeight);
    return CentredOnCanvas(pixels, choice.width, choice.height);
}

std::vector<std::uint8_t> BuildPngFile(const WicImaging& imaging, const icons::StoredIcon& icon, const PngChoice& choice) {
    const icons::StoredIconImage& image = ChosenImage(icon, choice);
    if (!choice.scaled && image.header.IsPng()) return image.bytes;
    return imaging.EncodePng(ChosenPixels(imaging, icon, choice));
}

// A stored PNG image goes to the file straight from the icon, without a copy.
void WritePngFile(const WicImaging& imaging, const icons::StoredIcon& icon, const PngChoice& choice, const std::string& path) {
    const icons::StoredIconImage& image = ChosenImage(icon, choice);
    const bool asStored = !choice.scaled && image.header.IsPng();
    ReplaceFileContents(path, asStored ? image.bytes : BuildPngFile(imaging, icon, choice));
}

}  // namespace iconexport
