#include "icons/IconImageCheck.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace icons::iconformat {

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kPngHeadSize = 8 + 8 + 13;  // signature, IHDR chunk length and type, IHDR data
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kSmallestInfoHeader = 12;  // the oldest bitmap header the format knows
// Larger images are not icons; the bound also keeps the size sums below far from overflow.
constexpr std::uint32_t kMaxSide = 0x10000;
constexpr std::uint32_t kPlainCoding = 0, kMaskCoding = 3;

std::uint32_t BigEndian32(const std::uint8_t* q) {
    return (std::uint32_t(q[0]) << 24) | (std::uint32_t(q[1]) << 16) | (std::uint32_t(q[2]) << 8) | q[3];
}

bool WithinDecodeLimit(std::uint64_t width, std::uint64_t height) {
    return width <= kMaxDecodedSide && height <= kMaxDecodedSide && width * height * 4 <= kMaxDecodedBytes;
}

// Samples per pixel of each PNG colour type: grey, -, RGB, palette, grey + alpha, -, RGBA.
int PngChannels(std::uint8_t colourType) {
    static const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    return colourType < 7 ? channels[colourType] : 0;
}

int ListedBits(const std::array<std::uint8_t, kStoredImageFieldsSize>& fields) { return fields[6] | (fields[7] << 8); }

CheckedImage CheckPng(const std::uint8_t* p, std::uint64_t size, const std::array<std::uint8_t, kStoredImageFieldsSize>& fields) {
    CheckedImage checked;
    if (size < kPngHeadSize || U32(p + 8) != 0x0D000000u || std::memcmp(p + 12, "IHDR", 4) != 0) return checked;
    const std::uint8_t* ihdr = p + 16;
    const std::uint32_t width = BigEndian32(ihdr), height = BigEndian32(ihdr + 4);
    const std::uint8_t depth = ihdr[8], colourType = ihdr[9];
    const bool depthOk = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || !depthOk || PngChannels(colourType) == 0)
        return checked;
    checked.intact = checked.shellSafe = true;
    StoredImageHeader& h = checked.header;
    h.kind = StoredImageKind::Png;
    h.width = static_cast<int>(width);
    h.height = static_cast<int>(height);
    // The system counts an icon's PNG images by the depth the directory lists; the PNG's own
    // depth only where the directory lists none.
    const int listed = ListedBits(fields);
    h.bitsPerPixel = listed ? listed : depth * PngChannels(colourType);
    h.readable = WithinDecodeLimit(width, height);
    return checked;
}

std::uint64_t Stride(std::uint64_t width, std::uint64_t bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// The bits of each colour in a 16- or 32-bit pixel: as the header's masks give them, else the
// plain coding's (5-5-5 at 16 bits, blue, green, red and alpha bytes at 32).
void SetColourMasks(const std::uint8_t* h, std::uint64_t size, StoredImageHeader& header) {
    const bool masked = header.compression == kMaskCoding;
    if (header.bitsPerPixel == 16 && !masked) {
        header.redMask = 0x7C00, header.greenMask = 0x03E0, header.blueMask = 0x001F;
    } else if (header.bitsPerPixel == 32 && !masked) {
        header.redMask = 0xFF0000, header.greenMask = 0xFF00, header.blueMask = 0xFF;
    } else if (masked && size >= kInfoHeaderSize + 12) {
        header.redMask = U32(h + 40), header.greenMask = U32(h + 44), header.blueMask = U32(h + 48);
        if (header.headerSize > 52 && size >= 56) header.alphaMask = U32(h + 52);
    }
    // A 32-bit pixel's fourth byte is its alpha unless a colour uses it.
    const std::uint32_t colourBits = header.redMask | header.greenMask | header.blueMask;
    if (header.bitsPerPixel == 32 && header.alphaMask == 0 && (colourBits & 0xFF000000u) == 0)
        header.alphaMask = 0xFF000000u;
}

CheckedImage CheckBitmap(const std::uint8_t* h, std::uint64_t size, const std::array<std::uint8_t, kStoredImageFieldsSize>& fields) {
    CheckedImage checked;
    StoredImageHeader& header = checked.header;
    header.headerSize = U32(h);
    if (header.headerSize < kSmallestInfoHeader || header.headerSize > size) return checked;
    if (header.headerSize != 40 && header.headerSize != 108 && header.headerSize != 124) {
        // A header of another layout: an image, but not one the program reads. Its size is the
        // directory's (0 there stands for 256).
        header.width = fields[0] ? fields[0] : 256;
        header.height = fields[1] ? fields[1] : 256;
        header.bitsPerPixel = ListedBits(fields);
        checked.intact = true;
        return checked;
    }
    const auto width = static_cast<std::int32_t>(U32(h + 4));
    const auto doubledHeight = static_cast<std::int32_t>(U32(h + 8));  // colour rows and mask rows
    const std::uint16_t planes = U16(h + 12), bitCount = U16(h + 14);
    const std::uint32_t coloursUsed = U32(h + 32);
    header.compression = U32(h + 16);
    if (width <= 0 || doubledHeight < 2 || static_cast<std::uint32_t>(width) > kMaxSide ||
        static_cast<std::uint32_t>(doubledHeight) > 2 * kMaxSide || planes != 1)
        return checked;
    const bool bitsOk = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                        bitCount == 32;
    if (!bitsOk) return checked;
    header.width = width;
    header.height = doubledHeight / 2;
    header.bitsPerPixel = bitCount;
    if (bitCount <= 8) {
        const std::uint32_t full = 1u << bitCount;
        if (coloursUsed > full) return checked;
        header.colours = coloursUsed ? coloursUsed : full;
    }
    const bool masked = header.compression == kMaskCoding && (bitCount == 16 || bitCount == 32);
    const std::uint64_t masks = (masked && header.headerSize == kInfoHeaderSize) ? 12 : 0;
    const std::uint64_t pixelsAt = header.headerSize + masks + std::uint64_t(header.colours) * 4;
    if (header.compression != kPlainCoding && !masked) {
        // Run-length, JPEG or PNG coded bitmaps: images, never read.
        checked.intact = pixelsAt <= size;
        return checked;
    }
    const std::uint64_t rows = static_cast<std::uint64_t>(header.height);
    if (pixelsAt + Stride(width, bitCount) * rows + Stride(width, 1) * rows > size) return checked;
    header.pixelsAt = static_cast<std::uint32_t>(pixelsAt);
    SetColourMasks(h, size, header);
    checked.intact = checked.shellSafe = true;
    header.readable = WithinDecodeLimit(static_cast<std::uint64_t>(width), rows);
    return checked;
}

}  // namespace

CheckedImage CheckImageHead(const std::uint8_t* head, std::uint64_t size,
                            const std::array<std::uint8_t, kStoredImageFieldsSize>& fields) {
    if (size < kInfoHeaderSize) return {};
    if (std::memcmp(head, kPngSignature, sizeof kPngSignature) == 0) return CheckPng(head, size, fields);
    return CheckBitmap(head, size, fields);
}

bool ReadBlock(ByteSource& source, std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out) {
    if (!Inside(offset, count, source.Size())) return false;
    out.resize(count);
    return count == 0 || source.Read(offset, out.data(), count);
}

bool IsIconDirHeader(const std::uint8_t* header, std::uint16_t type) { return U16(header) == 0 && U16(header + 2) == type; }

std::vector<IconDirEntry> ParseIconDirEntries(const std::vector<std::uint8_t>& bytes, std::size_t first,
                                              std::size_t count, std::size_t entrySize) {
    std::vector<IconDirEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = bytes.data() + first + i * entrySize;
        // Both layouts put the image size at byte 8; the file offset (4 bytes) or resource id (2) follows.
        IconDirEntry entry{U32(e + 8), entrySize == 16 ? U32(e + 12) : U16(e + 12), {}, std::nullopt};
        std::memcpy(entry.fields.data(), e, entry.fields.size());
        entries.push_back(entry);
    }
    return entries;
}

std::vector<IconDirEntry> ParseCursorDirEntries(const std::vector<std::uint8_t>& bytes, std::size_t first,
                                                std::size_t count, std::size_t entrySize) {
    std::vector<IconDirEntry> entries = ParseIconDirEntries(bytes, first, count, entrySize);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = bytes.data() + first + i * entrySize;
        IconDirEntry& entry = entries[i];
        if (entrySize == 16) {
            entry.hotspot = CursorHotspot{U16(e + 4), U16(e + 6)};
            entry.fields[4] = entry.fields[5] = entry.fields[6] = entry.fields[7] = 0;
        } else {
            // 256 pixels is 0, as an icon directory writes it.
            entry.fields[0] = static_cast<std::uint8_t>(U16(e));
            entry.fields[1] = static_cast<std::uint8_t>(U16(e + 2) / 2);
            entry.fields[2] = entry.fields[3] = 0;
        }
    }
    return entries;
}

bool TakeResourceHotspot(ByteSource& source, std::uint64_t& offset, std::uint64_t& size, IconDirEntry& entry) {
    std::vector<std::uint8_t> hotspot;
    if (size < kCursorHotspotSize + kInfoHeaderSize || !ReadBlock(source, offset, kCursorHotspotSize, hotspot)) return false;
    entry.hotspot = CursorHotspot{U16(hotspot.data()), U16(hotspot.data() + 2)};
    offset += kCursorHotspotSize;
    size -= kCursorHotspotSize;
    return true;
}

bool IsSaneIconImage(ByteSource& source, std::uint64_t offset, std::uint64_t size) {
    if (!Inside(offset, size, source.Size()) || size < kInfoHeaderSize) return false;
    std::vector<std::uint8_t> head;
    if (!ReadBlock(source, offset, static_cast<std::size_t>(std::min<std::uint64_t>(size, kImageHeadSize)), head)) return false;
    return CheckImageHead(head.data(), size, {}).shellSafe;
}

std::uint64_t DeclaredImageSize(const IconDirEntry& entry, std::uint64_t available) {
    return entry.bytesInRes > 0 && entry.bytesInRes <= available ? entry.bytesInRes : available;
}

void StoredImageCollector::Add(const IconDirEntry& entry, std::uint64_t offset, std::uint64_t size) {
    if (size > room_ || size < kInfoHeaderSize || !taken_.emplace(offset, size).second) return;
    std::vector<std::uint8_t> bytes;
    StoredIconImage image;
    if (!ReadBlock(source_, offset, static_cast<std::size_t>(size), bytes) || !MakeStoredImage(entry.fields, std::move(bytes), image))
        return;
    room_ -= size;
    image.hotspot = entry.hotspot;
    icon_.push_back(std::move(image));
}

}  // namespace icons::iconformat

namespace icons {

// The check reads no further than min(size, kImageHeadSize) bytes of the head.
bool MakeStoredImage(const std::array<std::uint8_t, kStoredImageFieldsSize>& fields, std::vector<std::uint8_t> bytes,
                     StoredIconImage& image) {
    const iconformat::CheckedImage checked = iconformat::CheckImageHead(bytes.data(), bytes.size(), fields);
    if (!checked.intact) return false;
    image.fields = fields;
    image.bytes = std::move(bytes);
    image.header = checked.header;
    return true;
}

}  // namespace icons
