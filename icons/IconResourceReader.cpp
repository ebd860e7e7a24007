#include "icons/IconResourceReader.h"

#include <cstring>

#include "icons/IconFormatReaders.h"
#include "icons/IconImageCheck.h"

namespace icons {

using namespace iconformat;

bool MemoryByteSource::Read(std::uint64_t offset, void* out, std::size_t count) {
    if (!Inside(offset, count, size_)) return false;
    if (count) std::memcpy(out, data_ + offset, count);
    return true;
}

namespace {

constexpr std::size_t kMzHeaderSize = 64;
constexpr std::size_t kNewHeaderPointer = 0x3C;

// The kind of an executable and the offset of its "PE" or "NE" header.
IconFileKind ExecutableKind(ByteSource& source, std::uint32_t& newHeader) {
    std::vector<std::uint8_t> mz, sig;
    if (!ReadBlock(source, 0, kMzHeaderSize, mz)) return IconFileKind::None;
    newHeader = U32(mz.data() + kNewHeaderPointer);
    if (!ReadBlock(source, newHeader, 4, sig)) return IconFileKind::None;
    if (std::memcmp(sig.data(), "PE\0\0", 4) == 0) return IconFileKind::PortableExecutable;
    if (std::memcmp(sig.data(), "NE", 2) == 0) return IconFileKind::NewExecutable;
    return IconFileKind::None;
}

// The kind of file, among those that may hold the groups asked for (a cursor file holds no icons).
IconFileKind KindOf(ByteSource& source, ImageGroupKind groups, std::uint32_t& newHeader) {
    std::vector<std::uint8_t> head;
    if (!ReadBlock(source, 0, kIconDirHeaderSize, head)) return IconFileKind::None;
    if (head[0] == 'M' && head[1] == 'Z') return ExecutableKind(source, newHeader);
    if (IsIconDirHeader(head.data(), kIconDirType)) return IconFileKind::IconFile;
    if (groups == ImageGroupKind::Icons) return IconFileKind::None;
    if (IsIconDirHeader(head.data(), kCursorDirType)) return IconFileKind::CursorFile;
    return std::memcmp(head.data(), "RIFF", 4) == 0 ? IconFileKind::AnimatedCursorFile : IconFileKind::None;
}

}  // namespace

GroupTypes iconformat::TypesOf(ImageGroupKind kind) {
    // RT_GROUP_ICON 14 of RT_ICON 3; RT_GROUP_CURSOR 12 of RT_CURSOR 1, and RT_ANICURSOR 21.
    return kind == ImageGroupKind::Icons ? GroupTypes{14, 3, 0, 0} : GroupTypes{12, 1, 21, kCursorHotspotSize};
}

IconFileSummary ReadIconSummary(ByteSource& source, ImageGroupKind groups) {
    std::uint32_t newHeader = 0;
    IconFileSummary summary;
    summary.kind = KindOf(source, groups, newHeader);
    const bool cursors = groups == ImageGroupKind::Cursors;
    switch (summary.kind) {
    case IconFileKind::IconFile:
        if (!cursors) summary.count = CountIconFileIcons(source, summary.extractable);
        break;
    case IconFileKind::CursorFile: summary.count = CountIconFileIcons(source, summary.extractable); break;
    case IconFileKind::AnimatedCursorFile: {
        AnimatedCursor cursor;
        summary.damage = ReadAnimatedCursor(source, 0, source.Size(), cursor);
        summary.count = summary.damage == AnimationDamage::None ? 1 : 0;
        summary.extractable.assign(std::size_t(summary.count), true);
        break;
    }
    case IconFileKind::NewExecutable: summary.count = CountNeIcons(source, newHeader, groups, summary.extractable); break;
    case IconFileKind::PortableExecutable:
        summary.count = CountPeIcons(source, newHeader, groups, summary.extractable);
        break;
    case IconFileKind::None: break;
    }
    return summary;
}

namespace {

// An icon or cursor file holds one icon, its own images.
class SingleIconFile : public StoredIconLayout {
public:
    explicit SingleIconFile(ByteSource& source) : source_(source) {}
    StoredIcon Read(int index) override { return index == 0 ? ReadIconFileImages(source_) : StoredIcon{}; }

private:
    ByteSource& source_;
};

// An animated cursor file holds one cursor, shown by its first frame.
class SingleAnimatedCursor : public StoredIconLayout {
public:
    explicit SingleAnimatedCursor(ByteSource& source) : source_(source) {}
    StoredIcon Read(int index) override {
        std::optional<AnimatedCursor> cursor = Animation(index);
        return cursor ? std::move(cursor->frames.front()) : StoredIcon{};
    }
    std::optional<AnimatedCursor> Animation(int index) override {
        AnimatedCursor cursor;
        if (index != 0 || ReadAnimatedCursor(source_, 0, source_.Size(), cursor) != AnimationDamage::None) return std::nullopt;
        return cursor;
    }

private:
    ByteSource& source_;
};

}  // namespace

StoredIconReader::StoredIconReader(ByteSource& source, ImageGroupKind groups) {
    std::uint32_t newHeader = 0;
    switch (KindOf(source, groups, newHeader)) {
    case IconFileKind::IconFile:
        if (groups == ImageGroupKind::Icons) layout_ = std::make_unique<SingleIconFile>(source);
        break;
    case IconFileKind::CursorFile: layout_ = std::make_unique<SingleIconFile>(source); break;
    case IconFileKind::AnimatedCursorFile: layout_ = std::make_unique<SingleAnimatedCursor>(source); break;
    case IconFileKind::NewExecutable: layout_ = OpenNeIcons(source, newHeader, groups); break;
    case IconFileKind::PortableExecutable: layout_ = OpenPeIcons(source, newHeader, groups); break;
    case IconFileKind::None: break;
    }
}

StoredIconReader::~StoredIconReader() = default;

StoredIcon StoredIconReader::Read(int index) { return layout_ ? layout_->Read(index) : StoredIcon{}; }

std::optional<AnimatedCursor> StoredIconReader::Animation(int index) {
    return layout_ ? layout_->Animation(index) : std::nullopt;
}

std::string StoredIconReader::ResourceName(int index) { return layout_ ? layout_->ResourceName(index) : std::string{}; }

StoredIcon ReadStoredIcon(ByteSource& source, int index) { return StoredIconReader(source).Read(index); }

}  // namespace icons
