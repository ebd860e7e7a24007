#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "icons/IconFormatReaders.h"
#include "icons/IconImageCheck.h"

namespace icons::iconformat {

namespace {

constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kDirHeaderSize = 16;
constexpr std::size_t kDirEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::size_t kGroupEntrySize = 14;
constexpr std::uint32_t kHighBit = 0x80000000u;  // a subdirectory target, or a name given as a string
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

struct DirEntry {
    std::uint32_t name;
    std::uint32_t target;
};

// One resource: where its bytes are in the file and how many there are.
struct ResourceData {
    std::uint64_t offset;
    std::uint32_t size;
    std::uint32_t language;
};

// The resource tree of one executable, every step bounded by the file and the section that holds it.
class PeResourceTree {
public:
    PeResourceTree(ByteSource& source, ImageGroupKind kind) : source_(source), kind_(kind), types_(TypesOf(kind)) {}
    bool Open(std::uint32_t peOffset);
    int CountGroupIcons(std::vector<bool>& extractable);
    StoredIcon ReadGroupImages(int index);
    std::optional<AnimatedCursor> ReadAnimation(int index);
    std::string ResourceName(int index);
    bool ReadTypes();

private:
    bool ReadSections(std::uint64_t tableOffset, std::size_t count);
    bool FileRange(std::uint32_t rva, std::uint32_t size, std::uint64_t& offset) const;
    bool ReadTreeBlock(std::uint32_t treeOffset, std::size_t count, std::vector<std::uint8_t>& out);
    bool ReadDirectory(std::uint32_t treeOffset, std::vector<DirEntry>& entries, std::size_t& named);
    const std::vector<ResourceData>* Languages(const DirEntry& nameEntry);
    bool ReadLanguages(std::uint32_t treeOffset, std::vector<ResourceData>& data);
    bool ReadIconTypes(std::vector<DirEntry>& groups, bool& haveIcons);
    bool ReadGroupEntries(const ResourceData& group, std::vector<IconDirEntry>& entries);
    bool IsExtractableGroup(const DirEntry& group);
    bool IsSaneGroup(const ResourceData& group);
    bool IsSaneIconResource(std::uint32_t id);
    const ResourceData* IconImageIn(std::uint32_t id, std::uint32_t language);
    bool Spend(std::size_t entries);
    bool ReadAnimationOf(const DirEntry& entry, AnimatedCursor& cursor);

    ByteSource& source_;
    const ImageGroupKind kind_;
    const GroupTypes types_;
    std::vector<Section> sections_;
    std::uint64_t treeBase_ = 0;   // file offset of the root directory
    std::uint64_t treeLimit_ = 0;  // file offset where the section holding it, or the file, ends
    std::vector<DirEntry> icons_;  // the RT_ICON directory's entries, ids from iconsNamed_ on
    std::size_t iconsNamed_ = 0;
    std::map<std::uint32_t, bool> checkedIcons_;  // by the icon's language directory
    // Directories and group bytes may be shared by any number of names, languages and groups (a
    // hostile file makes them so): each is read and checked once, by its place in the file.
    std::map<std::uint32_t, std::optional<std::vector<ResourceData>>> languageDirectories_;
    std::map<std::pair<std::uint64_t, std::uint32_t>, bool> checkedGroups_;
    std::map<std::pair<std::uint32_t, std::uint32_t>, const ResourceData*> pickedImages_;  // by id and language
    std::vector<DirEntry> groups_;  // the group directory's entries, once read
    std::vector<DirEntry> animated_;  // the animated cursors' directory's entries, after the groups
    std::optional<bool> haveIcons_;  // whether the types were read, and the RT_ICON directory with them
    // Entries of language directories and groups read beyond the ones the tree's own directories
    // hold. A file cannot hold more distinct entries than its size allows; once a file made the
    // reading go past that, what is left counts as damaged.
    std::uint64_t entryBudget_ = 0;
};

bool PeResourceTree::Open(std::uint32_t peOffset) {
    entryBudget_ = source_.Size() / kDirEntrySize;
    std::vector<std::uint8_t> file;
    const std::uint64_t fileHeader = std::uint64_t(peOffset) + 4;
    if (!ReadBlock(source_, fileHeader, kFileHeaderSize, file)) return false;
    const std::uint16_t sectionCount = U16(file.data() + 2);
    const std::uint16_t optionalSize = U16(file.data() + 16);
    const std::uint64_t optional = fileHeader + kFileHeaderSize;
    std::vector<std::uint8_t> opt;
    if (!ReadBlock(source_, optional, optionalSize, opt) || optionalSize < 2) return false;
    const std::uint16_t magic = U16(opt.data());
    if (magic != kPe32Magic && magic != kPe32PlusMagic) return false;
    const std::size_t directoryCountAt = magic == kPe32Magic ? 92 : 108;
    const std::size_t directoriesAt = directoryCountAt + 4;
    const std::size_t resourceAt = directoriesAt + kResourceDirectoryIndex * 8;
    if (opt.size() < resourceAt + 8 || U32(opt.data() + directoryCountAt) <= kResourceDirectoryIndex) return false;
    const std::uint32_t resourceRva = U32(opt.data() + resourceAt);
    if (resourceRva == 0 || !ReadSections(optional + optionalSize, sectionCount)) return false;
    if (!FileRange(resourceRva, kDirHeaderSize, treeBase_)) return false;
    const Section& holder = *std::find_if(sections_.begin(), sections_.end(), [&](const Section& s) {
        return resourceRva >= s.virtualAddress && resourceRva - s.virtualAddress < s.rawSize;
    });
    treeLimit_ = std::min<std::uint64_t>(std::uint64_t(holder.rawOffset) + holder.rawSize, source_.Size());
    return true;
}

bool PeResourceTree::ReadSections(std::uint64_t tableOffset, std::size_t count) {
    std::vector<std::uint8_t> table;
    if (count == 0 || !ReadBlock(source_, tableOffset, count * kSectionHeaderSize, table)) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* s = table.data() + i * kSectionHeaderSize;
        sections_.push_back({U32(s + 12), U32(s + 16), U32(s + 20)});
    }
    return true;
}

// Maps an address in the loaded image to the file, as the shell does: through the first section
// whose file data covers it. The whole range must lie in that section's data and in the file.
bool PeResourceTree::FileRange(std::uint32_t rva, std::uint32_t size, std::uint64_t& offset) const {
    for (const Section& s : sections_) {
        if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize) continue;
        const std::uint32_t within = rva - s.virtualAddress;
        if (!Inside(within, size, s.rawSize) || !Inside(std::uint64_t(s.rawOffset) + within, size, source_.Size())) {
            return false;
        }
        offset = std::uint64_t(s.rawOffset) + within;
        return true;
    }
    return false;
}

bool PeResourceTree::ReadTreeBlock(std::uint32_t treeOffset, std::size_t count, std::vector<std::uint8_t>& out) {
    const std::uint64_t at = treeBase_ + treeOffset;
    return at <= treeLimit_ && Inside(at, count, treeLimit_) && ReadBlock(source_, at, count, out);
}

// A directory and all its entries; the shell reads a subdirectory's offset whether or not the
// entry is marked as one.
bool PeResourceTree::ReadDirectory(std::uint32_t treeOffset, std::vector<DirEntry>& entries, std::size_t& named) {
    std::vector<std::uint8_t> bytes;
    if (!ReadTreeBlock(treeOffset & ~kHighBit, kDirHeaderSize, bytes)) return false;
    named = U16(bytes.data() + 12);
    const std::size_t count = named + U16(bytes.data() + 14);
    if (!ReadTreeBlock(treeOffset & ~kHighBit, kDirHeaderSize + count * kDirEntrySize, bytes)) return false;
    entries.clear();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = bytes.data() + kDirHeaderSize + i * kDirEntrySize;
        entries.push_back({U32(e), U32(e + 4)});
    }
    return true;
}

bool PeResourceTree::Spend(std::size_t entries) {
    if (entries > entryBudget_) return false;
    entryBudget_ -= entries;
    return true;
}

// The per-language resources under one name; at least one, each lying in a section. nullptr when
// they do not.
const std::vector<ResourceData>* PeResourceTree::Languages(const DirEntry& nameEntry) {
    if (!(nameEntry.target & kHighBit)) return nullptr;
    const auto [known, fresh] = languageDirectories_.try_emplace(nameEntry.target);
    if (fresh) {
        std::vector<ResourceData> data;
        if (ReadLanguages(nameEntry.target, data)) known->second = std::move(data);
    }
    return known->second ? &*known->second : nullptr;
}

bool PeResourceTree::ReadLanguages(std::uint32_t treeOffset, std::vector<ResourceData>& data) {
    std::vector<DirEntry> languages;
    std::size_t named = 0;
    if (!ReadDirectory(treeOffset, languages, named) || languages.empty() || !Spend(languages.size())) return false;
    for (const DirEntry& language : languages) {
        std::vector<std::uint8_t> entry;
        if ((language.target & kHighBit) || !ReadTreeBlock(language.target, kDataEntrySize, entry)) return false;
        ResourceData d{0, U32(entry.data() + 4), language.name};
        if (!FileRange(U32(entry.data()), d.size, d.offset)) return false;
        data.push_back(d);
    }
    return true;
}

// The id entry the shell finds for id: it searches the ids by halving, as sorted tables allow, and
// compares their low 16 bits; in a table out of order it may miss an id, and so do we.
const DirEntry* FindId(const std::vector<DirEntry>& entries, std::size_t named, std::uint32_t id) {
    long low = static_cast<long>(named), high = static_cast<long>(entries.size()) - 1;
    while (low <= high) {
        const long middle = (low + high) / 2;
        const std::uint32_t found = entries[static_cast<std::size_t>(middle)].name & 0xFFFFu;
        if (found == id) return &entries[static_cast<std::size_t>(middle)];
        if (found > id) high = middle - 1;
        else low = middle + 1;
    }
    return nullptr;
}

// Ids may share one language directory: it is checked once.
bool PeResourceTree::IsSaneIconResource(std::uint32_t id) {
    const DirEntry* found = FindId(icons_, iconsNamed_, id);
    if (!found) return false;
    const auto [known, fresh] = checkedIcons_.try_emplace(found->target, false);
    if (fresh) {
        const std::vector<ResourceData>* images = Languages(*found);
        known->second = images && std::all_of(images->begin(), images->end(), [&](const ResourceData& d) {
            return d.size >= types_.hotspotBytes &&
                   IsSaneIconImage(source_, d.offset + types_.hotspotBytes, d.size - types_.hotspotBytes);
        });
    }
    return known->second;
}

bool PeResourceTree::ReadGroupEntries(const ResourceData& group, std::vector<IconDirEntry>& entries) {
    std::vector<std::uint8_t> bytes;
    const bool cursors = kind_ == ImageGroupKind::Cursors;
    if (group.size < kIconDirHeaderSize || !ReadBlock(source_, group.offset, kIconDirHeaderSize, bytes) ||
        !IsIconDirHeader(bytes.data(), cursors ? kCursorDirType : kIconDirType)) {
        return false;
    }
    const std::size_t images = U16(bytes.data() + 4);
    const std::size_t length = kIconDirHeaderSize + images * kGroupEntrySize;
    if (images == 0 || length > group.size || !Spend(images) || !ReadBlock(source_, group.offset, length, bytes))
        return false;
    entries = cursors ? ParseCursorDirEntries(bytes, kIconDirHeaderSize, images, kGroupEntrySize)
                      : ParseIconDirEntries(bytes, kIconDirHeaderSize, images, kGroupEntrySize);
    return true;
}

bool PeResourceTree::IsSaneGroup(const ResourceData& group) {
    const auto key = std::make_pair(group.offset, group.size);
    if (const auto known = checkedGroups_.find(key); known != checkedGroups_.end()) return known->second;
    std::vector<IconDirEntry> entries;
    const bool sane = ReadGroupEntries(group, entries) &&
                      std::all_of(entries.begin(), entries.end(), [&](const IconDirEntry& e) { return IsSaneIconResource(e.location); });
    return checkedGroups_[key] = sane;
}

// Every language of the group, and every image each one names, must be sane: which of them the
// shell picks depends on the system's language and display.
bool PeResourceTree::IsExtractableGroup(const DirEntry& group) {
    const std::vector<ResourceData>* languages = Languages(group);
    return languages && std::all_of(languages->begin(), languages->end(), [&](const ResourceData& d) { return IsSaneGroup(d); });
}

// The shell counts the entries of the RT_GROUP_ICON directory, sane or not, and needs no RT_ICON
// directory for that. Cursors count the same way, and the animated ones after the groups: a file
// may hold those alone.
bool PeResourceTree::ReadIconTypes(std::vector<DirEntry>& groups, bool& haveIcons) {
    std::vector<DirEntry> types;
    std::size_t named = 0, groupsNamed = 0, animatedNamed = 0;
    if (!ReadDirectory(0, types, named)) return false;
    const DirEntry* animatedType = types_.animated ? FindId(types, named, types_.animated) : nullptr;
    if (!animatedType || !ReadDirectory(animatedType->target, animated_, animatedNamed)) animated_.clear();
    const DirEntry* groupType = FindId(types, named, types_.group);
    if (!groupType || !ReadDirectory(groupType->target, groups, groupsNamed)) {
        groups.clear();
        return !animated_.empty();
    }
    const DirEntry* iconType = FindId(types, named, types_.image);
    haveIcons = iconType && ReadDirectory(iconType->target, icons_, iconsNamed_);
    return true;
}

int PeResourceTree::CountGroupIcons(std::vector<bool>& extractable) {
    std::vector<DirEntry> groups;
    bool haveIcons = false;
    if (!ReadIconTypes(groups, haveIcons)) return 0;
    extractable.clear();
    for (const DirEntry& group : groups) extractable.push_back(haveIcons && IsExtractableGroup(group));
    for (const DirEntry& cursor : animated_) {
        AnimatedCursor animation;
        extractable.push_back(ReadAnimationOf(cursor, animation));
    }
    return static_cast<int>(extractable.size());
}

// An animated cursor resource is an .ani file's bytes, read in its first language.
bool PeResourceTree::ReadAnimationOf(const DirEntry& entry, AnimatedCursor& cursor) {
    const std::vector<ResourceData>* languages = Languages(entry);
    return languages &&
           ReadAnimatedCursor(source_, languages->front().offset, languages->front().size, cursor) == AnimationDamage::None;
}

std::optional<AnimatedCursor> PeResourceTree::ReadAnimation(int index) {
    if (!ReadTypes() && animated_.empty()) return std::nullopt;
    if (index < 0 || std::size_t(index) < groups_.size() || std::size_t(index) - groups_.size() >= animated_.size())
        return std::nullopt;
    AnimatedCursor cursor;
    if (!ReadAnimationOf(animated_[std::size_t(index) - groups_.size()], cursor)) return std::nullopt;
    return cursor;
}

// "#32512", or a named resource by its name (its characters outside ASCII as "?").
std::string PeResourceTree::ResourceName(int index) {
    ReadTypes();
    const std::size_t at = std::size_t(index);
    const DirEntry* entry = index < 0 ? nullptr
                            : at < groups_.size() ? &groups_[at]
                            : at - groups_.size() < animated_.size() ? &animated_[at - groups_.size()] : nullptr;
    if (!entry) return {};
    if (!(entry->name & kHighBit)) return "#" + std::to_string(entry->name & 0xFFFFu);
    std::vector<std::uint8_t> length, text;
    const std::uint32_t nameAt = entry->name & ~kHighBit;
    if (!ReadTreeBlock(nameAt, 2, length) || !ReadTreeBlock(nameAt, 2 + 2 * std::size_t(U16(length.data())), text))
        return {};
    std::string name;
    for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
        const std::uint16_t c = U16(text.data() + i);
        name += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    return name;
}

// Icon id's resource in language, or else in the first language the file holds it in; nullptr when
// the file has no such icon. Asked once per id for a group.
const ResourceData* PeResourceTree::IconImageIn(std::uint32_t id, std::uint32_t language) {
    const auto [known, fresh] = pickedImages_.try_emplace({id, language}, nullptr);
    if (!fresh) return known->second;
    const DirEntry* found = FindId(icons_, iconsNamed_, id);
    const std::vector<ResourceData>* images = found ? Languages(*found) : nullptr;
    if (!images) return nullptr;
    const auto same = std::find_if(images->begin(), images->end(), [&](const ResourceData& d) { return d.language == language; });
    return known->second = same != images->end() ? &*same : &images->front();
}

// The group in its first language; each image it names in the group's language, or else in the
// first language the file holds it in. An image is as large as its icon resource, whatever the
// group says: the system's loader goes by the resource too.
bool PeResourceTree::ReadTypes() {
    if (!haveIcons_) {
        bool haveIcons = false;
        haveIcons_ = ReadIconTypes(groups_, haveIcons) && haveIcons;
    }
    return *haveIcons_;
}

StoredIcon PeResourceTree::ReadGroupImages(int index) {
    std::vector<IconDirEntry> entries;
    const std::vector<ResourceData>* languages = nullptr;
    if (std::optional<AnimatedCursor> animation = ReadAnimation(index))
        return animation->frames.empty() ? StoredIcon{} : std::move(animation->frames.front());
    if (!ReadTypes() || index < 0 || std::size_t(index) >= groups_.size() ||
        !(languages = Languages(groups_[std::size_t(index)])) || !ReadGroupEntries(languages->front(), entries)) {
        return {};
    }
    const std::uint32_t language = languages->front().language;
    StoredImageCollector icon(source_);
    for (IconDirEntry e : entries) {
        const ResourceData* image = IconImageIn(e.location, language);
        if (!image) continue;
        std::uint64_t offset = image->offset, size = image->size;
        if (types_.hotspotBytes == 0 || TakeResourceHotspot(source_, offset, size, e)) icon.Add(e, offset, size);
    }
    return icon.Take();
}

}  // namespace

namespace {

class PeIconLayout : public StoredIconLayout {
public:
    PeIconLayout(ByteSource& source, ImageGroupKind kind) : tree_(source, kind) {}
    bool Open(std::uint32_t peOffset) { return tree_.Open(peOffset); }
    StoredIcon Read(int index) override { return tree_.ReadGroupImages(index); }
    std::optional<AnimatedCursor> Animation(int index) override { return tree_.ReadAnimation(index); }
    std::string ResourceName(int index) override { return tree_.ResourceName(index); }

private:
    PeResourceTree tree_;
};

}  // namespace

std::unique_ptr<StoredIconLayout> OpenPeIcons(ByteSource& source, std::uint32_t peOffset, ImageGroupKind kind) {
    auto layout = std::make_unique<PeIconLayout>(source, kind);
    return layout->Open(peOffset) ? std::move(layout) : nullptr;
}

int CountPeIcons(ByteSource& source, std::uint32_t peOffset, ImageGroupKind kind, std::vector<bool>& extractable) {
    PeResourceTree tree(source, kind);
    return tree.Open(peOffset) ? tree.CountGroupIcons(extractable) : 0;
}

}  // namespace icons::iconformat
