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

IconFileKind KindOf(ByteSource& source, std::uint32_t& newHeader) {
    std::vector<std::uint8_t> head;
    if (!ReadBlock(source, 0, kIconDirHeaderSize, head)) return IconFileKind::None;
    if (head[0] == 'M' && head[1] == 'Z') return ExecutableKind(source, newHeader);
    return IsIconDirHeader(head.data()) ? IconFileKind::IconFile : IconFileKind::None;
}

}  // namespace

IconFileSummary ReadIconSummary(ByteSource& source) {
    std::uint32_t newHeader = 0;
    IconFileSummary summary;
    summary.kind = KindOf(source, newHeader);
    switch (summary.kind) {
    case IconFileKind::IconFile: summary.count = CountIconFileIcons(source, summary.extractable); break;
    case IconFileKind::NewExecutable: summary.count = CountNeIcons(source, newHeader, summary.extractable); break;
    case IconFileKind::PortableExecutable: summary.count = CountPeIcons(source, newHeader, summary.extractable); break;
    case IconFileKind::None: break;
    }
    return summary;
}

namespace {

// An icon file holds one icon, its own images.
class SingleIconFile : public StoredIconLayout {
public:
    explicit SingleIconFile(ByteSource& source) : source_(source) {}
    StoredIcon Read(int index) override { return index == 0 ? ReadIconFileImages(source_) : StoredIcon{}; }

private:
    ByteSource& source_;
};

}  // namespace

StoredIconReader::StoredIconReader(ByteSource& source) {
    std::uint32_t newHeader = 0;
    switch (KindOf(source, newHeader)) {
    case IconFileKind::IconFile: layout_ = std::make_unique<SingleIconFile>(source); break;
    case IconFileKind::NewExecutable: layout_ = OpenNeIcons(source, newHeader); break;
    case IconFileKind::PortableExecutable: layout_ = OpenPeIcons(source, newHeader); break;
    case IconFileKind::None: break;
    }
}

StoredIconReader::~StoredIconReader() = default;

StoredIcon StoredIconReader::Read(int index) { return layout_ ? layout_->Read(index) : StoredIcon{}; }

StoredIcon ReadStoredIcon(ByteSource& source, int index) { return StoredIconReader(source).Read(index); }

}  // namespace icons
