#include "export/WholeIconFileLayout.h"

#include <algorithm>

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
    const bool cursor = std::all_of(icon.begin(), icon.end(), [](const icons::StoredIconImage& image) { return image.hotspot.has_value(); });
    out.U16(0);
    out.U16(cursor ? 2 : 1);
    out.U16(static_cast<std::uint16_t>(icon.size()));
    auto offset = static_cast<std::uint32_t>(kHeaderSize + kEntrySize * icon.size());
    for (const icons::StoredIconImage& image : icon) {
        if (cursor) {
            for (std::size_t i = 0; i < 4; ++i) out.U8(image.fields[i]);
            out.U16(static_cast<std::uint16_t>(image.hotspot->x));
            out.U16(static_cast<std::uint16_t>(image.hotspot->y));
        } else {
            for (std::uint8_t field : image.fields) out.U8(field);
        }
        out.U32(static_cast<std::uint32_t>(image.bytes.size()));
        out.U32(offset);
        offset += static_cast<std::uint32_t>(image.bytes.size());
    }
    for (const icons::StoredIconImage& image : icon) out.Bytes(image.bytes);
    return file;
}

}  // namespace iconexport
