#pragma once
// Reading the generated fixtures in native tests.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fixturefiles {

inline std::filesystem::path Dir() { return PICTAVO_FIXTURE_DIR; }

inline std::vector<std::uint8_t> Load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace fixturefiles
