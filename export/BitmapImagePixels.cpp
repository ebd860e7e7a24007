#include "export/BitmapImagePixels.h"

#include "export/DibHeader.h"
#include "export/WriterErrors.h"

namespace iconexport {

namespace {

// One colour of a masked pixel, spread to 0..255.
struct MaskedColour {
    explicit MaskedColour(std::uint32_t mask) {
        if (mask == 0) return;
        while (!(mask & 1)) mask >>= 1, ++shift;
        max = mask;
    }
    std::uint8_t Of(std::uint32_t pixel, std::uint8_t absent) const {
        if (max == 0) return absent;
        const std::uint64_t value = (pixel >> shift) & max;
        return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
    }
    int shift = 0;
    std::uint32_t max = 0;
};

class BitmapReader {
public:
    explicit BitmapReader(const icons::StoredIconImage& image)
        : b_(image.bytes), h_(image.header), red_(h_.redMask), green_(h_.greenMask), blue_(h_.blueMask),
          alpha_(h_.alphaMask), colourRow_(DibRowBytes(h_.width, static_cast<std::uint32_t>(h_.bitsPerPixel))),
          maskRow_(DibRowBytes(h_.width, 1)),
          mask_(h_.pixelsAt + std::size_t(colourRow_) * static_cast<std::size_t>(h_.height)) {}

    // Pixel x of colour row y (from the top) as blue, green, red and alpha.
    void ReadColour(int y, int x, std::uint8_t* out) const {
        const std::uint8_t* row = &b_[h_.pixelsAt + std::size_t(h_.height - 1 - y) * colourRow_];  // bottom row first
        const int bits = h_.bitsPerPixel;
        if (bits <= 8) {
            const int perByte = 8 / bits;
            const int shift = 8 - bits * (x % perByte + 1);
            const std::size_t index = (row[x / perByte] >> shift) & ((1u << bits) - 1);
            const bool inTable = index < h_.colours;
            const std::size_t entry = h_.headerSize + index * 4;
            for (int c = 0; c < 3; ++c) out[c] = inTable ? b_[entry + c] : 0;
            out[3] = 255;
        } else if (bits == 24) {
            for (int c = 0; c < 3; ++c) out[c] = row[x * 3 + c];
            out[3] = 255;
        } else {
            const std::uint8_t* p = row + x * (bits / 8);
            const std::uint32_t pixel = bits == 16 ? std::uint32_t(p[0] | (p[1] << 8))
                                                   : std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                                                         (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
            out[0] = blue_.Of(pixel, 0), out[1] = green_.Of(pixel, 0), out[2] = red_.Of(pixel, 0);
            out[3] = alpha_.Of(pixel, 255);
        }
    }
    bool Masked(int y, int x) const {
        const std::uint8_t* row = &b_[mask_ + std::size_t(h_.height - 1 - y) * maskRow_];
        return row[x / 8] & (0x80 >> (x % 8));
    }

private:
    const std::vector<std::uint8_t>& b_;
    const icons::StoredImageHeader& h_;
    const MaskedColour red_, green_, blue_, alpha_;
    const std::uint32_t colourRow_, maskRow_;
    const std::size_t mask_;
};

}  // namespace

ImagePixels BitmapImagePixels(const icons::StoredIconImage& image) {
    const icons::StoredImageHeader& h = image.header;
    if (h.IsPng() || !h.readable) throw EInvalidGraphic::BadImages();
    const BitmapReader reader(image);
    ImagePixels pixels{h.width, h.height, std::vector<std::uint8_t>(std::size_t(h.width) * h.height * 4)};
    bool anyAlpha = false;
    for (int y = 0; y < h.height; ++y) {
        for (int x = 0; x < h.width; ++x) {
            std::uint8_t* out = &pixels.bgra[(std::size_t(y) * h.width + x) * 4];
            reader.ReadColour(y, x, out);
            anyAlpha = anyAlpha || out[3] != 0;
        }
    }
    if (h.bitsPerPixel == 32 && h.alphaMask != 0 && anyAlpha) return pixels;
    for (int y = 0; y < h.height; ++y) {
        for (int x = 0; x < h.width; ++x) {
            std::uint8_t* out = &pixels.bgra[(std::size_t(y) * h.width + x) * 4];
            if (reader.Masked(y, x)) out[0] = out[1] = out[2] = out[3] = 0;
            else out[3] = 255;
        }
    }
    return pixels;
}

}  // namespace iconexport
