#pragma once
// Pieces shared by the icon-file and resource readers: little-endian fields, bounded reads, the
// entries of an icon directory and the check of one icon image.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "icons/IconResourceReader.h"

namespace icons::iconformat {

inline std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Reads count bytes at offset into a fresh buffer; false when any of them lies outside the source.
bool ReadBlock(ByteSource& source, std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out);
// True when [offset, offset + count) lies inside [0, limit).
inline bool Inside(std::uint64_t offset, std::uint64_t count, std::uint64_t limit) {
    return offset <= limit && count <= limit - offset;
}

// "reserved 0, type 1" opens both an icon file and a group-icon resource; "reserved 0, type 2" a
// cursor file and a group-cursor resource.
constexpr std::size_t kIconDirHeaderSize = 6;
constexpr std::uint16_t kIconDirType = 1, kCursorDirType = 2;
bool IsIconDirHeader(const std::uint8_t* header, std::uint16_t type = kIconDirType);

// The image an icon directory entry describes: its size and either its file offset (icon files)
// or its icon resource id (group-icon resources).
struct IconDirEntry {
    std::uint32_t bytesInRes = 0;
    std::uint32_t location = 0;
    // Width, height, colour count, reserved byte, planes and bits per pixel, as stored.
    std::array<std::uint8_t, kStoredImageFieldsSize> fields{};
    std::optional<CursorHotspot> hotspot;  // a cursor image's, once known
};
// Parses count entries of 16 bytes (icon file) or 14 bytes (group-icon resource).
std::vector<IconDirEntry> ParseIconDirEntries(const std::vector<std::uint8_t>& bytes, std::size_t first,
                                              std::size_t count, std::size_t entrySize);
// The same for a cursor file (16 bytes: the hotspot where an icon file has planes and depth) or a
// group-cursor resource (14 bytes: two-byte width and height, the height counting the mask rows).
// The fields come out as an icon's, planes and depth 0 where the entry does not list them.
std::vector<IconDirEntry> ParseCursorDirEntries(const std::vector<std::uint8_t>& bytes, std::size_t first,
                                                std::size_t count, std::size_t entrySize);
// A cursor resource's image: the hotspot (kCursorHotspotSize bytes) comes first.
constexpr std::size_t kCursorHotspotSize = 4;
// The hotspot a cursor resource of size bytes at offset starts with, set on entry; false when the
// resource is too short for it and an image.
bool TakeResourceHotspot(ByteSource& source, std::uint64_t& offset, std::uint64_t& size, IconDirEntry& entry);

// The bytes of an image's head its check reads: a bitmap's info header with the colour masks
// after it, or a PNG's signature and header chunk.
constexpr std::size_t kImageHeadSize = 56;

// One image's header, checked.
struct CheckedImage {
    // The image is one: a PNG whose header chunk is sane, or a bitmap whose header (and, in a
    // coding the program reads, colour table, colour rows and mask) fit in its bytes.
    bool intact = false;
    // The shell's extraction may be given it: an intact image of a header and coding it reads
    // (sides up to 65,536 pixels; the shell reads such images without bounds checks).
    bool shellSafe = false;
    StoredImageHeader header;  // header.readable: also within the decode limit
};
// Checks the image of `size` bytes whose first min(size, kImageHeadSize) bytes are `head`, listed
// with the directory fields `fields`.
CheckedImage CheckImageHead(const std::uint8_t* head, std::uint64_t size,
                            const std::array<std::uint8_t, kStoredImageFieldsSize>& fields);

// Checks one icon image of size bytes at offset for the shell's extraction (CheckedImage::shellSafe).
bool IsSaneIconImage(ByteSource& source, std::uint64_t offset, std::uint64_t size);

// The size of the image an entry names where the entry's own count is what the file goes by (icon
// files, 16-bit executables): the bytes it counts, or all `available` bytes when it counts none or
// more than are there.
std::uint64_t DeclaredImageSize(const IconDirEntry& entry, std::uint64_t available);

// Gathers the images of one icon. Entries may name one image over and over: each image is taken
// once, and the images taken never add up to more bytes than the file holds, so a hostile
// directory costs no more than the file itself.
class StoredImageCollector {
public:
    explicit StoredImageCollector(ByteSource& source) : source_(source), room_(source.Size()) {}
    // Adds the image of size bytes at offset with the entry's fields, when it is sane, not taken yet
    // and fits in what is left.
    void Add(const IconDirEntry& entry, std::uint64_t offset, std::uint64_t size);
    StoredIcon Take() { return std::move(icon_); }

private:
    ByteSource& source_;
    std::uint64_t room_;
    std::set<std::pair<std::uint64_t, std::uint64_t>> taken_;
    StoredIcon icon_;
};

}  // namespace icons::iconformat
