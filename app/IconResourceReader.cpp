#include "app/IconResourceReader.h"

#include <cstring>

#include "app/IconFormatReaders.h"
#include "app/IconImageCheck.h"

namespace app {

using namespace iconformat;

bool MemoryByteSource::Read(std::uint64_t offset, void* out, std::size_t count) {
    if (!Inside(offset, count, size_)) return false;
    if (count) std::memcpy(out, data_ + offset, count);
    return true;
}

namespace {

constexpr std::size_t kMzHeaderSize = 64;
constexpr std::size_t kNewHeaderPointer = 0x3C;

IconFileSummary ReadExecutable(ByteSource& source) {
    std::vector<std::uint8_t> mz, sig;
    if (!ReadBlock(source, 0, kMzHeaderSize, mz)) return {};
    const std::uint32_t newHeader = U32(mz.data() + kNewHeaderPointer);
    if (!ReadBlock(source, newHeader, 4, sig)) return {};
    IconFileSummary summary;
    if (std::memcmp(sig.data(), "PE\0\0", 4) == 0) {
        summary.kind = IconFileKind::PortableExecutable;
        summary.count = CountPeIcons(source, newHeader, summary.extractable);
    } else if (std::memcmp(sig.data(), "NE", 2) == 0) {
        summary.kind = IconFileKind::NewExecutable;
        summary.count = CountNeIcons(source, newHeader, summary.extractable);
    }
    return summary;
}

}  // namespace

IconFileSummary ReadIconSummary(ByteSource& source) {
    std::vector<std::uint8_t> head;
    if (!ReadBlock(source, 0, kIconDirHeaderSize, head)) return {};
    if (head[0] == 'M' && head[1] == 'Z') return ReadExecutable(source);
    IconFileSummary summary;
    if (IsIconDirHeader(head.data())) {
        summary.kind = IconFileKind::IconFile;
        summary.count = CountIconFileIcons(source, summary.extractable);
    }
    return summary;
}

}  // namespace app
