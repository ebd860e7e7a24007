#include "icons/IconImageCheck.h"

#include <cstring>
#include <utility>

namespace icons::iconformat {

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kPngHeadSize = 8 + 8 + 13;  // signature, IHDR chunk length and type, IHDR data
constexpr std::size_t kInfoHeaderSize = 40;
// Larger images are not icons; the bound also keeps the size sums below far from overflow.
constexpr std::uint32_t kMaxSide = 0x10000;

bool IsSanePngHead(const std::uint8_t* p) {
    if (U32(p + 8) != 0x0D000000u || std::memcmp(p + 12, "IHDR", 4) != 0) return false;
    const std::uint8_t* ihdr = p + 16;
    auto be32 = [](const std::uint8_t* q) {
        return (std::uint32_t(q[0]) << 24) | (std::uint32_t(q[1]) << 16) | (std::uint32_t(q[2]) << 8) | q[3];
    };
    const std::uint32_t width = be32(ihdr), height = be32(ihdr + 4);
    const std::uint8_t depth = ihdr[8], colourType = ihdr[9];
    const bool depthOk = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    const bool typeOk = colourType == 0 || colourType == 2 || colourType == 3 || colourType == 4 || colourType == 6;
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && depthOk && typeOk;
}

std::uint64_t Stride(std::uint64_t width, std::uint64_t bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

bool IsSaneBitmap(const std::uint8_t* h, std::uint64_t size) {
    const std::uint32_t headerSize = U32(h);
    const auto width = static_cast<std::int32_t>(U32(h + 4));
    const auto doubledHeight = static_cast<std::int32_t>(U32(h + 8));  // colour rows and mask rows
    const std::uint16_t planes = U16(h + 12), bitCount = U16(h + 14);
    const std::uint32_t compression = U32(h + 16), coloursUsed = U32(h + 32);
    if (headerSize != 40 && headerSize != 108 && headerSize != 124) return false;
    if (width <= 0 || doubledHeight <= 0 || static_cast<std::uint32_t>(width) > kMaxSide ||
        static_cast<std::uint32_t>(doubledHeight) > 2 * kMaxSide || planes != 1) {
        return false;
    }
    const bool bitsOk = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                        bitCount == 32;
    const bool bitFields = compression == 3 && (bitCount == 16 || bitCount == 32);
    if (!bitsOk || (compression != 0 && !bitFields)) return false;
    std::uint64_t colours = 0;
    if (bitCount <= 8) {
        const std::uint32_t full = 1u << bitCount;
        if (coloursUsed > full) return false;
        colours = coloursUsed ? coloursUsed : full;
    }
    const std::uint64_t masks = (bitFields && headerSize == 40) ? 12 : 0;
    const std::uint64_t rows = static_cast<std::uint64_t>(doubledHeight) / 2;
    if (rows == 0) return false;
    const std::uint64_t needed =
        headerSize + masks + colours * 4 + Stride(width, bitCount) * rows + Stride(width, 1) * rows;
    return needed <= size;
}

}  // namespace

bool ReadBlock(ByteSource& source, std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out) {
    if (!Inside(offset, count, source.Size())) return false;
    out.resize(count);
    return count == 0 || source.Read(offset, out.data(), count);
}

bool IsIconDirHeader(const std::uint8_t* header) { return U16(header) == 0 && U16(header + 2) == 1; }

std::vector<IconDirEntry> ParseIconDirEntries(const std::vector<std::uint8_t>& bytes, std::size_t first,
                                              std::size_t count, std::size_t entrySize) {
    std::vector<IconDirEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = bytes.data() + first + i * entrySize;
        // Both layouts put the image size at byte 8; the file offset (4 bytes) or resource id (2) follows.
        IconDirEntry entry{U32(e + 8), entrySize == 16 ? U32(e + 12) : U16(e + 12), {}};
        std::memcpy(entry.fields.data(), e, entry.fields.size());
        entries.push_back(entry);
    }
    return entries;
}

bool IsSaneIconImage(ByteSource& source, std::uint64_t offset, std::uint64_t size) {
    if (!Inside(offset, size, source.Size()) || size < kInfoHeaderSize) return false;
    std::vector<std::uint8_t> head;
    if (!ReadBlock(source, offset, kInfoHeaderSize, head)) return false;
    if (std::memcmp(head.data(), kPngSignature, sizeof kPngSignature) == 0) {
        return size >= kPngHeadSize && IsSanePngHead(head.data());
    }
    return IsSaneBitmap(head.data(), size);
}

std::uint64_t DeclaredImageSize(const IconDirEntry& entry, std::uint64_t available) {
    return entry.bytesInRes > 0 && entry.bytesInRes <= available ? entry.bytesInRes : available;
}

void StoredImageCollector::Add(const IconDirEntry& entry, std::uint64_t offset, std::uint64_t size) {
    if (size > room_ || !taken_.emplace(offset, size).second || !IsSaneIconImage(source_, offset, size)) return;
    StoredIconImage image{entry.fields, {}};
    if (!ReadBlock(source_, offset, static_cast<std::size_t>(size), image.bytes)) return;
    room_ -= size;
    icon_.push_back(std::move(image));
}

}  // namespace icons::iconformat
