#include "export/BitmapFileLayout.h"

#include <stdexcept>

#include "export/ByteWriter.h"

namespace iconexport {

std::uint32_t BitmapPixelBytes(const DibHeader& description) {
    return DibImageBytes(description.width, description.height, description.bitCount);
}

namespace {

bool HasColourTable(const DibHeader& description) { return description.bitCount <= 8; }

bool HasBitFields(const DibHeader& description) {
    return !HasColourTable(description) && description.compression == kCompressionBitFields;
}

// A platform that reports bit-field coding without masks means the usual ones: 5-6-5 at 16 bits,
// 8-8-8 at 32 bits.
std::array<std::uint32_t, 3> EffectiveMasks(const BitmapImageData& image) {
    if (image.masks[0] != 0) return image.masks;
    if (image.description.bitCount == 16) return {0xF800, 0x07E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

std::uint32_t ColourTableEntries(const BitmapImageData& image) {
    if (!HasColourTable(image.description)) return 0;
    const std::uint32_t entries = static_cast<std::uint32_t>(image.colourTable.size() / 4);
    if (image.colourTable.size() % 4 != 0 || entries == 0 ||
        entries > (1u << image.description.bitCount))
        throw std::invalid_argument("colour table does not fit the bitmap depth");
    return entries;
}

std::uint32_t HeaderBytes(const BitmapImageData& image, std::uint32_t tableEntries) {
    return kDibHeaderSize + (HasBitFields(image.description) ? 12 : 0) + 4 * tableEntries;
}

void WriteFileHeader(ByteWriter& out, std::uint32_t fileSize, std::uint32_t rowsOffset) {
    out.U8('B');
    out.U8('M');
    out.U32(fileSize);
    out.U16(0);
    out.U16(0);
    out.U32(rowsOffset);
}

}  // namespace

std::vector<std::uint8_t> BuildBitmapFile(const BitmapImageData& image) {
    const std::uint32_t imageBytes = BitmapPixelBytes(image.description);
    if (image.description.width <= 0 || image.description.height == 0 || imageBytes == 0 ||
        image.rows.size() != imageBytes)
        throw std::invalid_argument("bitmap rows do not match the description");

    // The header counts exactly the table entries that are written, so the rows always start
    // where the header says, also when the platform reports fewer colours than the depth allows.
    const std::uint32_t tableEntries = ColourTableEntries(image);
    const std::uint32_t rowsOffset = kBitmapFileHeaderSize + HeaderBytes(image, tableEntries);
    DibHeader header = image.description;
    header.size = kDibHeaderSize;
    header.sizeImage = imageBytes;
    if (tableEntries != 0) header.clrUsed = tableEntries;

    std::vector<std::uint8_t> file;
    file.reserve(rowsOffset + imageBytes);
    ByteWriter out(file);
    WriteFileHeader(out, rowsOffset + imageBytes, rowsOffset);
    WriteDibHeader(out, header);
    if (HasBitFields(header))
        for (std::uint32_t mask : EffectiveMasks(image)) out.U32(mask);
    if (tableEntries != 0) out.Bytes(image.colourTable);
    out.Bytes(image.rows);
    return file;
}

}  // namespace iconexport
