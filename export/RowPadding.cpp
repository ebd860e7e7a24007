#include "export/RowPadding.h"

namespace iconexport {

void ClearRowPadding(std::vector<std::uint8_t>& rows, std::uint32_t rowBytes, std::uint32_t usedBits) {
    if (rowBytes == 0 || usedBits >= rowBytes * 8) return;
    const std::uint32_t fullBytes = usedBits / 8;
    const std::uint32_t partBits = usedBits % 8;
    for (std::size_t row = 0; row + rowBytes <= rows.size(); row += rowBytes) {
        std::uint32_t at = fullBytes;
        if (partBits != 0) {
            // Bit 7 is the leftmost pixel: keep the top partBits bits.
            rows[row + at] &= static_cast<std::uint8_t>(0xFF00u >> partBits);
            ++at;
        }
        for (; at < rowBytes; ++at) rows[row + at] = 0;
    }
}

}  // namespace iconexport
