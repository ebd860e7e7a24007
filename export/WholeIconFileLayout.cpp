#include "export/WholeIconFileLayout.h"

#include "export/ByteWriter.h"
#include "export/WriterErrors.h"

namespace iconexport {

namespace {
constexpr std::uint32_t kHeaderSize = 6;
constexpr std::uint32_t kEntrySize = 16;
}  // namespace

std::vector<std::uint8_t> BuildWholeIconFile(const icons::StoredIcon& icon) {
    if (icon.empty()) throw EInvalidGraphic::NoIcon();
    std::uint64_t total = kHeaderSize + kEntrySize * icon.size();
    for (const icons::StoredIconImage& image : icon) total += image.bytes.size();
    if (total > UINT32_MAX) throw EInvalidGraphic::BadImages();  // beyond what the directory's offsets reach
    std::vector<std::uint8_t> file;
    file.reserve(static_cast<std::size_t>(total));
    ByteWriter out(file);
    out.U16(0);
    out.U16(1);
    out.U16(static_cast<std::uint16_t>(icon.size()));
    auto offset = static_cast<std::uint32_t>(kHeaderSize + kEntrySize * icon.size());
    for (const icons::StoredIconImage& image : icon) {
        for (std::uint8_t field : image.fields) out.U8(field);
        out.U32(static_cast<std::uint32_t>(image.bytes.size()));
        out.U32(offset);
        offset += static_cast<std::uint32_t>(image.bytes.size());
    }
    for (const icons::StoredIconImage& image : icon) out.Bytes(image.bytes);
    return file;
}

}  // namespace iconexport
