#pragma once
// PNG decoding, PNG encoding and resampling through the system's imaging component (WIC). No
// window is involved, so the export core can use it from any program.
#include <cstdint>
#include <memory>
#include <vector>

#include "icons/IconResourceReader.h"
#include "export/ImagePixels.h"

namespace iconexport {

// COM for the thread (an apartment it has already is kept as it is) and the imaging factory, made
// once for an export run or a window and used for all of its images.
class WicImaging {
public:
    WicImaging();
    ~WicImaging();
    WicImaging(const WicImaging&) = delete;
    WicImaging& operator=(const WicImaging&) = delete;

    // A stored PNG image's pixels. Throws EInvalidGraphic::BadImages for an image the reader found
    // unreadable (never decoded) or bytes the system cannot read.
    ImagePixels DecodePng(const icons::StoredIconImage& image) const;
    // An image file of any format the system reads (PNG, BMP, ICO, GIF, JPEG) as pixels: its
    // largest frame no larger than maxSide on a side (an icon file's largest image; a GIF's
    // first). When every frame is larger: only the smallest one's width and height, no pixels,
    // nothing allocated. Throws EInvalidGraphic::BadImages for bytes the system cannot read.
    ImagePixels DecodeImage(const std::vector<std::uint8_t>& bytes, int maxSide) const;
    // The bytes of a PNG file (32-bit, alpha kept) of the pixels.
    std::vector<std::uint8_t> EncodePng(const ImagePixels& pixels) const;
    // The pixels resampled to width x height with the best filter the system offers.
    ImagePixels ScalePixels(const ImagePixels& pixels, int width, int height) const;

private:
    class Parts;
    std::unique_ptr<Parts> parts_;
};

// The pixels centred on a transparent width x height canvas at least as large as they are.
ImagePixels CentredOnCanvas(const ImagePixels& pixels, int width, int height);

}  // namespace iconexport
