#pragma once
// How settings values are read from their text: integers in decimal or hexadecimal ("$20", and
// "0x20" for values written by hand), booleans as any non-zero integer. Platform-free.
#include <cstdint>
#include <optional>
#include <string_view>

namespace toolkit {

// The integer the text stands for, or nothing when it is not a 32-bit number.
std::optional<std::int32_t> ParseSettingsInteger(std::string_view text);

std::int32_t SettingsIntegerOr(std::string_view text, std::int32_t fallback);
bool SettingsBoolOr(std::string_view text, bool fallback);

}  // namespace toolkit
