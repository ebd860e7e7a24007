#include "toolkit/SettingsValues.h"

#include <string>

namespace toolkit {

namespace {

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Leading blanks, an optional sign, then "$" + hexadecimal digits or decimal digits, nothing after.
// Hexadecimal takes up to 32 bits (so $FFFFFFFF is -1); decimal must fit a signed 32-bit integer.
std::optional<std::int32_t> ParseNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    std::uint64_t value = 0;
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) return std::nullopt;
        value = value * base + static_cast<unsigned>(digit);
        if (value > limit) return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(negative ? (0 - value) : value);
    return static_cast<std::int32_t>(bits);
}

}  // namespace

std::optional<std::int32_t> ParseSettingsInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string dollar = "$" + std::string(text.substr(2));
        return ParseNumber(dollar);
    }
    return ParseNumber(text);
}

std::int32_t SettingsIntegerOr(std::string_view text, std::int32_t fallback) {
    return ParseSettingsInteger(text).value_or(fallback);
}

bool SettingsBoolOr(std::string_view text, bool fallback) {
    return SettingsIntegerOr(text, fallback ? 1 : 0) != 0;
}

}  // namespace toolkit
