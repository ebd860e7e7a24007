#pragma once
// Reading little-endian fields back out of a written file image, for the layout tests.
#include <cstddef>
#include <cstdint>
#include <vector>

inline std::uint32_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8);
}

inline std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16At(b, at) | (U16At(b, at + 2) << 16);
}

inline std::vector<std::uint8_t> BytesAt(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n) {
    return {b.begin() + at, b.begin() + at + n};
}
