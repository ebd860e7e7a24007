#include <algorithm>
#include <map>
#include <utility>

#include "icons/IconFormatReaders.h"
#include "icons/IconImageCheck.h"

namespace icons::iconformat {

namespace {

constexpr std::size_t kNeHeaderSize = 64;
constexpr std::size_t kResourceTableAt = 0x24;
constexpr std::size_t kResidentNamesAt = 0x26;
constexpr std::size_t kTypeInfoSize = 8;
constexpr std::size_t kNameInfoSize = 12;
constexpr std::size_t kGroupEntrySize = 14;
constexpr std::uint16_t kIntegerId = 0x8000;
constexpr std::uint16_t kMaxAlignShift = 16;

struct NeResource {
    std::uint16_t offset;  // in units of the table's alignment
    std::uint16_t size;
};

// The icon and group-icon resources of the table (or the cursor and group-cursor ones).
struct NeIconTable {
    explicit NeIconTable(ImageGroupKind kind) : kind(kind), types(TypesOf(kind)) {}
    ImageGroupKind kind;
    GroupTypes types;
    std::uint16_t shift = 0;
    std::vector<NeResource> groups;
    std::multimap<std::uint16_t, NeResource> icons;  // by resource id
};

// Walks the type records from the start of the resource table as the shell does: until the end
// record, or until both the group-icon and the icon type are found. Every record walked must lie in
// the table, which ends where the resident-name table begins.
bool ReadIconTable(ByteSource& source, std::uint64_t start, std::uint64_t end, NeIconTable& table) {
    std::vector<std::uint8_t> bytes;
    if (!ReadBlock(source, start, end - start, bytes)) return false;
    table.shift = U16(bytes.data());
    const std::uint16_t groupType = kIntegerId | table.types.group, imageType = kIntegerId | table.types.image;
    bool haveGroups = false, haveIcons = false;
    std::size_t at = 2;
    while (!(haveGroups && haveIcons)) {
        if (at + 2 > bytes.size()) return false;
        const std::uint16_t type = U16(bytes.data() + at);
        if (type == 0) break;
        if (at + kTypeInfoSize > bytes.size()) return false;
        const std::size_t count = U16(bytes.data() + at + 2);
        at += kTypeInfoSize;
        if (count * kNameInfoSize > bytes.size() - at) return false;
        for (std::size_t i = 0; i < count; ++i, at += kNameInfoSize) {
            const std::uint8_t* n = bytes.data() + at;
            const NeResource r{U16(n), U16(n + 2)};
            if (type == groupType && !haveGroups) table.groups.push_back(r);
            if (type == imageType && !haveIcons) table.icons.emplace(U16(n + 6), r);
        }
        haveGroups = haveGroups || type == groupType;
        haveIcons = haveIcons || type == imageType;
    }
    return haveGroups && haveIcons;
}

bool FileRange(ByteSource& source, const NeIconTable& table, const NeResource& r, std::uint64_t& offset,
               std::uint64_t& size) {
    if (table.shift > kMaxAlignShift) return false;
    offset = std::uint64_t(r.offset) << table.shift;
    size = std::uint64_t(r.size) << table.shift;
    return Inside(offset, size, source.Size());
}

// The shell takes every icon resource with the id a group names; each must be sane.
bool IsSaneIcon(ByteSource& source, const NeIconTable& table, std::uint16_t id) {
    const auto [first, last] = table.icons.equal_range(id);
    if (first == last) return false;
    for (auto icon = first; icon != last; ++icon) {
        std::uint64_t offset = 0, size = 0;
        const std::size_t skip = table.types.hotspotBytes;
        if (!FileRange(source, table, icon->second, offset, size) || size < skip ||
            !IsSaneIconImage(source, offset + skip, size - skip)) {
            return false;
        }
    }
    return true;
}

// The entries of a group-icon resource; false when it is not one or does not lie in the file.
bool ReadGroupEntries(ByteSource& source, const NeIconTable& table, const NeResource& group,
                      std::vector<IconDirEntry>& entries) {
    std::uint64_t offset = 0, size = 0;
    std::vector<std::uint8_t> bytes;
    const bool cursors = table.kind == ImageGroupKind::Cursors;
    if (!FileRange(source, table, group, offset, size) || size < kIconDirHeaderSize ||
        !ReadBlock(source, offset, kIconDirHeaderSize, bytes) ||
        !IsIconDirHeader(bytes.data(), cursors ? kCursorDirType : kIconDirType)) {
        return false;
    }
    const std::size_t images = U16(bytes.data() + 4);
    const std::size_t length = kIconDirHeaderSize + images * kGroupEntrySize;
    if (images == 0 || length > size || !ReadBlock(source, offset, length, bytes)) return false;
    entries = cursors ? ParseCursorDirEntries(bytes, kIconDirHeaderSize, images, kGroupEntrySize)
                      : ParseIconDirEntries(bytes, kIconDirHeaderSize, images, kGroupEntrySize);
    return true;
}

std::uint16_t IconIdOf(const IconDirEntry& e) { return static_cast<std::uint16_t>(e.location | kIntegerId); }

// Answers for the groups of one table. Groups may share their bytes and name the same ids over
// and over: each id, and each group's bytes, is checked once.
class GroupCheck {
public:
    GroupCheck(ByteSource& source, const NeIconTable& table) : source_(source), table_(table) {}

    bool IsExtractable(const NeResource& group) {
        const auto key = std::make_pair(group.offset, group.size);
        if (const auto known = groups_.find(key); known != groups_.end()) return known->second;
        std::vector<IconDirEntry> entries;
        const bool sane = ReadGroupEntries(source_, table_, group, entries) &&
                          std::all_of(entries.begin(), entries.end(), [&](const IconDirEntry& e) { return IsSaneId(IconIdOf(e)); });
        return groups_[key] = sane;
    }

private:
    bool IsSaneId(std::uint16_t id) {
        const auto known = ids_.find(id);
        return known != ids_.end() ? known->second : (ids_[id] = IsSaneIcon(source_, table_, id));
    }

    ByteSource& source_;
    const NeIconTable& table_;
    std::map<std::uint16_t, bool> ids_;
    std::map<std::pair<std::uint16_t, std::uint16_t>, bool> groups_;
};

// The resource table the shell finds after the "NE" header at neOffset; it finds none when the
// table is too short for one type record.
bool OpenIconTable(ByteSource& source, std::uint32_t neOffset, NeIconTable& table) {
    std::vector<std::uint8_t> header;
    if (!ReadBlock(source, neOffset, kNeHeaderSize, header)) return false;
    const std::uint16_t tableAt = U16(header.data() + kResourceTableAt);
    const std::uint16_t namesAt = U16(header.data() + kResidentNamesAt);
    if (namesAt <= tableAt || std::size_t(namesAt - tableAt) <= kTypeInfoSize) return false;
    return ReadIconTable(source, std::uint64_t(neOffset) + tableAt, std::uint64_t(neOffset) + namesAt, table);
}

}  // namespace

// The shell counts the group-icon resources when the table has both icon types.
int CountNeIcons(ByteSource& source, std::uint32_t neOffset, ImageGroupKind kind, std::vector<bool>& extractable) {
    NeIconTable table(kind);
    if (!OpenIconTable(source, neOffset, table)) return 0;
    extractable.clear();
    GroupCheck check(source, table);
    for (const NeResource& group : table.groups) extractable.push_back(check.IsExtractable(group));
    return static_cast<int>(table.groups.size());
}

namespace {

// The first icon resource of each id a group names, as the shell takes it.
class NeIconLayout : public StoredIconLayout {
public:
    NeIconLayout(ByteSource& source, NeIconTable table) : source_(source), table_(std::move(table)) {}

    StoredIcon Read(int index) override {
        std::vector<IconDirEntry> entries;
        if (index < 0 || std::size_t(index) >= table_.groups.size() ||
            !ReadGroupEntries(source_, table_, table_.groups[std::size_t(index)], entries)) {
            return {};
        }
        StoredImageCollector icon(source_);
        for (IconDirEntry e : entries) {
            const auto found = table_.icons.lower_bound(IconIdOf(e));  // the first of that id in the table
            std::uint64_t offset = 0, size = 0;
            if (found == table_.icons.end() || found->first != IconIdOf(e) || !FileRange(source_, table_, found->second, offset, size))
                continue;
            // A cursor's count includes the hotspot before its image.
            size = DeclaredImageSize(e, size);
            if (table_.types.hotspotBytes == 0 || TakeResourceHotspot(source_, offset, size, e)) icon.Add(e, offset, size);
        }
        return icon.Take();
    }

private:
    ByteSource& source_;
    const NeIconTable table_;
};

}  // namespace

std::unique_ptr<StoredIconLayout> OpenNeIcons(ByteSource& source, std::uint32_t neOffset, ImageGroupKind kind) {
    NeIconTable table(kind);
    if (!OpenIconTable(source, neOffset, table)) return nullptr;
    return std::make_unique<NeIconLayout>(source, std::move(table));
}

}  // namespace icons::iconformat
