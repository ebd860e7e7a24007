#include "app/CommandLine.h"

#include <cctype>
#include <cstdlib>

#include "toolkit/ProgramTexts.h"

namespace console {

namespace {

constexpr int kPngSizes[] = {256, 128, 96, 64, 48, 32, 24, 16};

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool IsSwitch(const std::string& argument) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

// A whole decimal number of at most nine digits.
bool ReadNumber(const std::string& text, int& number) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    number = std::atoi(text.c_str());
    return true;
}

// "N" or "N-M" with N <= M.
bool ReadRange(const std::string& text, int& first, int& last) {
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos) return ReadNumber(text, first) && (last = first, true);
    return ReadNumber(text.substr(0, dash), first) && ReadNumber(text.substr(dash + 1), last) && first <= last;
}

bool ReadPngSize(const std::string& size, int& pngSize) {
    if (size.empty() || size == "MAX") return pngSize = 0, true;
    if (size == "ALL") return pngSize = -1, true;
    for (int known : kPngSizes)
        if (size == std::to_string(known)) return pngSize = known, true;
    return false;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    Options& o = parsed.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!IsSwitch(argument)) {
            o.sources.push_back(argument);
            continue;
        }
        const std::string name = Upper(argument.substr(1));
        const auto needsValue = [&](std::string& value) {
            if (i + 1 >= arguments.size()) return false;
            value = arguments[++i];
            return true;
        };
        std::string value;
        bool sound = true;
        if (name == "?") o.help = true;
        else if (name == "ICO") o.wholeIcon = true;
        else if (name == "ICO:32") o.icon32 = true;
        else if (name == "BMP") o.bitmap = true;
        else if (name == "PNG" || name.rfind("PNG:", 0) == 0) o.png = true, sound = ReadPngSize(name.substr(name.size() > 3 ? 4 : 3), o.pngSize);
        else if (name == "O") sound = needsValue(o.outputFolder) && !o.outputFolder.empty();
        else if (name == "I") sound = needsValue(value) && ReadRange(value, o.firstIndex, o.lastIndex);
        else if (name == "CUR") o.cursors = true;
        else if (name == "S") o.subFolders = true;
        else if (name == "M") o.multipleOnly = true;
        else if (name == "Y") o.replace = true;
        else if (name == "Q") o.quiet = true;
        else if (name == "FIND") sound = needsValue(o.findPicture) && !o.findPicture.empty();
        else sound = false;
        if (!sound) {
            parsed.error = toolkit::TextWith(toolkit::TextId::ConsoleBadSwitch, {argument});
            return parsed;
        }
    }
    if (!o.help && o.sources.empty()) parsed.error = toolkit::Text(toolkit::TextId::ConsoleNoSource);
    // Both write NAME0000.ICO: one would take the other's place.
    if (o.wholeIcon && o.icon32) parsed.error = toolkit::Text(toolkit::TextId::ConsoleIcoTwice);
    if (!o.wholeIcon && !o.icon32 && !o.bitmap && !o.png) o.wholeIcon = true;
    return parsed;
}

std::string UsageText() { return toolkit::Text(toolkit::TextId::ConsoleUsage); }

}  // namespace console
