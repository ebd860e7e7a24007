#pragma once
// Clearing the fill bits after the last pixel of each row, so that files do not carry whatever
// the conversion left there. Platform-free.
#include <cstdint>
#include <vector>

namespace iconexport {

// `rows` holds rows of `rowBytes` bytes with `usedBits` meaningful bits each, leftmost bit first.
void ClearRowPadding(std::vector<std::uint8_t>& rows, std::uint32_t rowBytes, std::uint32_t usedBits);

}  // namespace iconexport
