#include "export/ClipboardDibs.h"

#include "export/DibHeader.h"

namespace iconexport {

namespace {

constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kSrgbSpace = 0x73524742;  // 'sRGB'
constexpr std::uint32_t kImagesIntent = 4;        // LCS_GM_IMAGES
constexpr int kEndpointsAndGammaBytes = 36 + 12;

std::uint8_t OverWhite(std::uint8_t colour, std::uint8_t alpha) {
    return static_cast<std::uint8_t>((colour * alpha + 255 * (255 - alpha) + 127) / 255);
}

}  // namespace

std::vector<std::uint8_t> BuildDibV5(const ImagePixels& pixels) {
    std::vector<std::uint8_t> dib;
    ByteWriter out(dib);
    const std::uint32_t imageSize = DibImageBytes(pixels.width, pixels.height, 32);
    DibHeader header;
    header.size = kV5HeaderSize;
    header.width = pixels.width;
    header.height = pixels.height;
    header.bitCount = 32;
    header.compression = kCompressionBitFields;
    header.sizeImage = imageSize;
    WriteDibHeader(out, header);
    for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) out.U32(mask);
    out.U32(kSrgbSpace);
    for (int i = 0; i < kEndpointsAndGammaBytes; ++i) out.U8(0);
    out.U32(kImagesIntent);
    for (int i = 0; i < 3; ++i) out.U32(0);  // no profile, reserved
    for (int y = pixels.height - 1; y >= 0; --y) {
        const auto row = pixels.bgra.begin() + std::ptrdiff_t(y) * pixels.Stride();
        dib.insert(dib.end(), row, row + pixels.Stride());
    }
    return dib;
}

std::vector<std::uint8_t> BuildDibOverWhite(const ImagePixels& pixels) {
    std::vector<std::uint8_t> dib;
    ByteWriter out(dib);
    DibHeader header;
    header.width = pixels.width;
    header.height = pixels.height;
    header.bitCount = 24;
    header.sizeImage = DibImageBytes(pixels.width, pixels.height, 24);
    WriteDibHeader(out, header);
    const std::uint32_t padding = DibRowBytes(pixels.width, 24) - std::uint32_t(pixels.width) * 3;
    for (int y = pixels.height - 1; y >= 0; --y) {
        const std::uint8_t* row = &pixels.bgra[std::size_t(y) * pixels.Stride()];
        for (int x = 0; x < pixels.width; ++x)
            for (int c = 0; c < 3; ++c) out.U8(OverWhite(row[x * 4 + c], row[x * 4 + 3]));
        for (std::uint32_t i = 0; i < padding; ++i) out.U8(0);
    }
    return dib;
}

std::vector<std::uint8_t> BitmapFileOfDib(const std::vector<std::uint8_t>& dib) {
    constexpr std::size_t kFileHeaderSize = 14;
    const auto u16 = [&](std::size_t at) { return std::uint32_t(dib[at] | (dib[at + 1] << 8)); };
    const auto u32 = [&](std::size_t at) { return u16(at) | (u16(at + 2) << 16); };
    if (dib.size() < kDibHeaderSize) return {};
    const std::uint32_t headerSize = u32(0), bitCount = u16(14), compression = u32(16), coloursUsed = u32(32);
    if (headerSize < kDibHeaderSize || headerSize > dib.size()) return {};
    std::uint64_t rowsAt = headerSize;
    // A 40-byte header keeps its three colour masks after it; larger headers hold them.
    if (headerSize == kDibHeaderSize && compression == kCompressionBitFields) rowsAt += 12;
    const std::uint64_t colours = coloursUsed != 0 ? coloursUsed : bitCount <= 8 ? (std::uint64_t(1) << bitCount) : 0;
    rowsAt += colours * 4;
    if (rowsAt > dib.size() || dib.size() > 0xffffffffu - kFileHeaderSize) return {};
    std::vector<std::uint8_t> file;
    file.reserve(kFileHeaderSize + dib.size());
    ByteWriter out(file);
    out.U8('B'), out.U8('M');
    out.U32(static_cast<std::uint32_t>(kFileHeaderSize + dib.size()));
    out.U32(0);  // reserved
    out.U32(static_cast<std::uint32_t>(kFileHeaderSize + rowsAt));
    out.Bytes(dib);
    return file;
}

}  // namespace iconexport
