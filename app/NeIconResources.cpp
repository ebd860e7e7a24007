#include <map>

#include "app/IconFormatReaders.h"
#include "app/IconImageCheck.h"

namespace app::iconformat {

namespace {

constexpr std::size_t kNeHeaderSize = 64;
constexpr std::size_t kResourceTableAt = 0x24;
constexpr std::size_t kResidentNamesAt = 0x26;
constexpr std::size_t kTypeInfoSize = 8;
constexpr std::size_t kNameInfoSize = 12;
constexpr std::size_t kGroupEntrySize = 14;
constexpr std::uint16_t kIntegerId = 0x8000;
constexpr std::uint16_t kRtIcon = kIntegerId | 3;
constexpr std::uint16_t kRtGroupIcon = kIntegerId | 14;
constexpr std::uint16_t kMaxAlignShift = 16;

struct NeResource {
    std::uint64_t offset;
    std::uint64_t size;
};

// The icon and group-icon resources of the table, by resource id.
struct NeIconTable {
    std::vector<NeResource> groups;
    std::map<std::uint16_t, NeResource> icons;
};

// Reads the resource table, which lies between its own start and the resident-name table.
bool ReadIconTable(ByteSource& source, std::uint64_t start, std::uint64_t end, NeIconTable& table) {
    std::vector<std::uint8_t> bytes;
    if (end < start + 2 || !ReadBlock(source, start, end - start, bytes)) return false;
    const std::uint16_t shift = U16(bytes.data());
    if (shift > kMaxAlignShift) return false;
    std::size_t at = 2;
    while (true) {
        if (at + 2 > bytes.size()) return false;
        const std::uint16_t type = U16(bytes.data() + at);
        if (type == 0) return true;
        if (at + kTypeInfoSize > bytes.size()) return false;
        const std::size_t count = U16(bytes.data() + at + 2);
        at += kTypeInfoSize;
        if (count * kNameInfoSize > bytes.size() - at) return false;
        for (std::size_t i = 0; i < count; ++i, at += kNameInfoSize) {
            const std::uint8_t* n = bytes.data() + at;
            const NeResource r{std::uint64_t(U16(n)) << shift, std::uint64_t(U16(n + 2)) << shift};
            if (!Inside(r.offset, r.size, source.Size())) return false;
            if (type == kRtGroupIcon) table.groups.push_back(r);
            if (type == kRtIcon && !table.icons.emplace(U16(n + 6), r).second) return false;
        }
    }
}

bool IsSaneGroup(ByteSource& source, const NeResource& group, const NeIconTable& table) {
    std::vector<std::uint8_t> bytes;
    if (group.size < kIconDirHeaderSize || !ReadBlock(source, group.offset, kIconDirHeaderSize, bytes) ||
        !IsIconDirHeader(bytes.data())) {
        return false;
    }
    const std::size_t images = U16(bytes.data() + 4);
    const std::size_t length = kIconDirHeaderSize + images * kGroupEntrySize;
    if (images == 0 || length > group.size || !ReadBlock(source, group.offset, length, bytes)) return false;
    for (const IconDirEntry& e : ParseIconDirEntries(bytes, kIconDirHeaderSize, images, kGroupEntrySize)) {
        const auto icon = table.icons.find(static_cast<std::uint16_t>(e.location | kIntegerId));
        if (icon == table.icons.end() || !IsSaneIconImage(source, icon->second.offset, icon->second.size)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int CountNeIcons(ByteSource& source, std::uint32_t neOffset) {
    std::vector<std::uint8_t> header;
    if (!ReadBlock(source, neOffset, kNeHeaderSize, header)) return 0;
    const std::uint16_t tableAt = U16(header.data() + kResourceTableAt);
    const std::uint16_t namesAt = U16(header.data() + kResidentNamesAt);
    if (tableAt == namesAt) return 0;  // no resource table
    NeIconTable table;
    if (!ReadIconTable(source, std::uint64_t(neOffset) + tableAt, std::uint64_t(neOffset) + namesAt, table)) {
        return 0;
    }
    for (const NeResource& group : table.groups) {
        if (!IsSaneGroup(source, group, table)) return 0;
    }
    return static_cast<int>(table.groups.size());
}

}  // namespace app::iconformat
