#include "export/IconFileLayout.h"

#include <stdexcept>

#include "export/ByteWriter.h"
#include "export/RowPadding.h"

namespace iconexport {

std::uint32_t IconColourPixelBytes(std::int32_t width, std::int32_t height) {
    return DibImageBytes(width, height, kIconColourBits);
}

std::uint32_t IconMaskPixelBytes(std::int32_t width, std::int32_t height) {
    return DibImageBytes(width, height, 1);
}

std::uint32_t IconBytesInImage(std::int32_t width, std::int32_t height) {
    return kDibHeaderSize + kIconColourTableBytes + IconColourPixelBytes(width, height) +
           IconMaskPixelBytes(width, height);
}

std::uint32_t IconFileSize(std::int32_t width, std::int32_t height) {
    return kIconImageOffset + IconBytesInImage(width, height);
}

DibHeader IconColourDescription(std::int32_t width, std::int32_t height) {
    DibHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = kIconColourBits;
    header.sizeImage = IconColourPixelBytes(width, height);
    header.clrUsed = kIconColourCount;
    return header;
}

DibHeader IconMaskDescription(std::int32_t width, std::int32_t height) {
    DibHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = 1;
    header.sizeImage = IconMaskPixelBytes(width, height);
    return header;
}

namespace {

void WriteFileHeaderAndEntry(ByteWriter& out, std::int32_t width, std::int32_t height) {
    out.U16(0);  // reserved
    out.U16(1);  // resource type: icon
    out.U16(1);  // one image
    // The directory entry holds the size of one image in a byte each (256 and more wrap).
    out.U8(static_cast<std::uint8_t>(width));
    out.U8(static_cast<std::uint8_t>(height));
    out.U8(kIconColourCount);
    out.U8(0);
    out.U16(0);  // planes
    out.U16(0);  // bits per pixel
    out.U32(IconBytesInImage(width, height));
    out.U32(kIconImageOffset);
}

}  // namespace

std::vector<std::uint8_t> BuildIconFile(const IconImageData& image) {
    const std::int32_t width = image.width;
    const std::int32_t height = image.height;
    if (width <= 0 || height <= 0 || image.colourRows.size() != IconColourPixelBytes(width, height) ||
        image.maskRows.size() != IconMaskPixelBytes(width, height))
        throw std::invalid_argument("icon rows do not match the icon size");

    std::vector<std::uint8_t> colourRows = image.colourRows;
    ClearRowPadding(colourRows, DibRowBytes(width, kIconColourBits), width * kIconColourBits);
    std::vector<std::uint8_t> maskRows = image.maskRows;
    ClearRowPadding(maskRows, DibRowBytes(width, 1), width);

    // The info header covers colour rows and mask rows together, so its height is doubled.
    DibHeader header = IconColourDescription(width, height);
    header.height = 2 * height;

    std::vector<std::uint8_t> file;
    file.reserve(IconFileSize(width, height));
    ByteWriter out(file);
    WriteFileHeaderAndEntry(out, width, height);
    WriteDibHeader(out, header);
    out.Bytes({image.colourTable.begin(), image.colourTable.end()});
    out.Bytes(colourRows);
    out.Bytes(maskRows);
    return file;
}

}  // namespace iconexport
