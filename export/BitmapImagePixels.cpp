#include "export/BitmapImagePixels.h"

#include "export/DibHeader.h"
#include "export/WriterErrors.h"

namespace iconexport {

namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}

// Where the parts of the bitmap lie in its bytes.
struct BitmapLayout {
    int width = 0, height = 0, bits = 0;
    std::size_t palette = 0, colours = 0, mask = 0;  // offsets
    std::uint32_t colourRow = 0, maskRow = 0;
    bool hasMask = false;
};

BitmapLayout LayoutOf(const std::vector<std::uint8_t>& b) {
    if (b.size() < kDibHeaderSize) throw EInvalidGraphic::BadImages();
    BitmapLayout l;
    const std::uint32_t headerSize = U32At(b, 0);
    l.width = static_cast<std::int32_t>(U32At(b, 4));
    l.height = static_cast<std::int32_t>(U32At(b, 8)) / 2;
    l.bits = b[14] | (b[15] << 8);
    const std::uint32_t used = U32At(b, 32);
    const bool known = l.bits == 1 || l.bits == 4 || l.bits == 8 || l.bits == 16 || l.bits == 24 || l.bits == 32;
    if (headerSize < kDibHeaderSize || headerSize > b.size() || !known || l.width <= 0 || l.height <= 0 ||
        l.width > 4096 || l.height > 4096)
        throw EInvalidGraphic::BadImages();
    const std::uint64_t entries = l.bits <= 8 ? (used ? used : 1u << l.bits) : 0;
    l.palette = headerSize;
    l.colourRow = DibRowBytes(l.width, static_cast<std::uint32_t>(l.bits));
    l.maskRow = DibRowBytes(l.width, 1);
    const std::uint64_t colours = l.palette + entries * 4;
    const std::uint64_t mask = colours + std::uint64_t(l.colourRow) * l.height;
    if (mask > b.size() || entries > 256) throw EInvalidGraphic::BadImages();
    l.colours = static_cast<std::size_t>(colours);
    l.mask = static_cast<std::size_t>(mask);
    l.hasMask = mask + std::uint64_t(l.maskRow) * l.height <= b.size();
    return l;
}

// The colour of pixel x of a colour row, as blue, green, red and alpha.
void ReadColour(const std::vector<std::uint8_t>& b, const BitmapLayout& l, const std::uint8_t* row, int x,
                std::uint8_t* out) {
    if (l.bits <= 8) {
        const int perByte = 8 / l.bits;
        const int shift = 8 - l.bits * (x % perByte + 1);
        const std::size_t index = (row[x / perByte] >> shift) & ((1 << l.bits) - 1);
        const std::size_t entry = l.palette + index * 4;
        const bool inTable = entry + 3 < l.colours;
        for (int c = 0; c < 3; ++c) out[c] = inTable ? b[entry + c] : 0;
        out[3] = 255;
    } else if (l.bits == 16) {
        const int v = row[x * 2] | (row[x * 2 + 1] << 8);
        const int parts[3] = {v & 31, (v >> 5) & 31, (v >> 10) & 31};
        for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>(parts[c] * 255 / 31);
        out[3] = 255;
    } else {
        const int size = l.bits / 8;
        for (int c = 0; c < 3; ++c) out[c] = row[x * size + c];
        out[3] = l.bits == 32 ? row[x * 4 + 3] : 255;
    }
}

}  // namespace

ImagePixels BitmapImagePixels(const std::vector<std::uint8_t>& bytes) {
    const BitmapLayout l = LayoutOf(bytes);
    ImagePixels pixels{l.width, l.height, std::vector<std::uint8_t>(std::size_t(l.width) * l.height * 4)};
    bool anyAlpha = false;
    for (int y = 0; y < l.height; ++y) {
        const std::uint8_t* row = &bytes[l.colours + std::size_t(l.height - 1 - y) * l.colourRow];  // bottom row first
        for (int x = 0; x < l.width; ++x) {
            std::uint8_t* out = &pixels.bgra[(std::size_t(y) * l.width + x) * 4];
            ReadColour(bytes, l, row, x, out);
            anyAlpha = anyAlpha || out[3] != 0;
        }
    }
    const bool ownAlpha = l.bits == 32 && anyAlpha;
    for (int y = 0; y < l.height; ++y) {
        const std::uint8_t* maskRow = l.hasMask ? &bytes[l.mask + std::size_t(l.height - 1 - y) * l.maskRow] : nullptr;
        for (int x = 0; x < l.width; ++x) {
            std::uint8_t* out = &pixels.bgra[(std::size_t(y) * l.width + x) * 4];
            if (ownAlpha) continue;
            const bool transparent = maskRow && (maskRow[x / 8] & (0x80 >> (x % 8)));
            if (transparent) out[0] = out[1] = out[2] = out[3] = 0;
            else out[3] = 255;
        }
    }
    return pixels;
}

}  // namespace iconexport
