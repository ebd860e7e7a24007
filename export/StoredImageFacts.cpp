#include "export/StoredImageFacts.h"

#include <cstdlib>

namespace iconexport {

namespace {

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kPngHeaderEnd = 26;  // signature, IHDR length and type, width .. colour type
constexpr std::size_t kDibFieldsEnd = 16;  // header size, width, height, planes, bits per pixel

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::int32_t LittleEndian32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                                     (std::uint32_t(p[3]) << 24));
}

// Samples per pixel of each PNG colour type: grey, -, RGB, palette, grey + alpha, -, RGBA.
int PngChannels(std::uint8_t colourType) {
    static const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    return colourType < 7 ? channels[colourType] : 0;
}

}  // namespace

bool IsPngImage(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < sizeof kPngSignature) return false;
    for (std::size_t i = 0; i < sizeof kPngSignature; ++i)
        if (bytes[i] != kPngSignature[i]) return false;
    return true;
}

StoredImageFacts FactsOf(const icons::StoredIconImage& image) {
    const std::vector<std::uint8_t>& b = image.bytes;
    StoredImageFacts facts;
    if (IsPngImage(b)) {
        facts.png = true;
        if (b.size() < kPngHeaderEnd) return facts;
        facts.width = static_cast<int>(BigEndian32(&b[16]));
        facts.height = static_cast<int>(BigEndian32(&b[20]));
        // The depth the icon's directory gives, as the system takes it (icons' PNG images count as
        // 32-bit whatever their own encoding); the PNG's own only when the directory gives none.
        const int listed = image.fields[6] | (image.fields[7] << 8);
        facts.bitsPerPixel = listed ? listed : b[24] * PngChannels(b[25]);
        return facts;
    }
    if (b.size() < kDibFieldsEnd) return facts;
    facts.width = LittleEndian32(&b[4]);
    facts.height = std::abs(LittleEndian32(&b[8])) / 2;  // colour rows and mask rows together
    facts.bitsPerPixel = b[14] | (b[15] << 8);
    return facts;
}

std::vector<StoredImageFacts> FactsOf(const icons::StoredIcon& icon) {
    std::vector<StoredImageFacts> facts;
    for (const icons::StoredIconImage& image : icon) facts.push_back(FactsOf(image));
    return facts;
}

}  // namespace iconexport
