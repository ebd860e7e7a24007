#include "icons/PathNames.h"

namespace icons {

namespace {
constexpr std::string_view kDelimiters = "\\:";
}

std::string DirYen(std::string_view folder, const toolkit::LeadByteTable& codePage) {
    std::string joined(folder);
    const bool endsInYen = !folder.empty() && folder.back() == '\\' &&
                           !codePage.IsTrailByRun(folder, folder.size() - 1);
    if (!endsInYen) joined += '\\';
    return joined;
}

std::string FolderPart(std::string_view path, const toolkit::LeadByteTable& codePage) {
    const auto at = codePage.LastDelimiter(path, kDelimiters);
    if (at == std::string_view::npos) return {};
    // A root keeps its "\" (C:\, \\); a trail byte 0x5C before it is no "\".
    const bool keepYen = path[at] == '\\' && at > 0 &&
                         (path[at - 1] == ':' || path[at - 1] == '\\') &&
                         !codePage.IsTrailByRun(path, at - 1);
    const bool isColon = path[at] == ':';
    return std::string(path.substr(0, (keepYen || isColon) ? at + 1 : at));
}

std::string FileNamePart(std::string_view path, const toolkit::LeadByteTable& codePage) {
    const auto at = codePage.LastDelimiter(path, kDelimiters);
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

bool IsFullPath(std::string_view path) {
    const bool driveRoot = path.size() >= 3 && path[1] == ':' && path[2] == '\\';
    const bool share = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
    return driveRoot || share;
}

std::string ChangeFileExt(std::string_view path, std::string_view extension,
                          const toolkit::LeadByteTable& codePage) {
    const auto dot = codePage.LastDelimiter(path, std::string_view(".\\:", 3));
    const bool hasExtension = dot != std::string_view::npos && path[dot] == '.';
    std::string result(hasExtension ? path.substr(0, dot) : path);
    result += extension;
    return result;
}

}  // namespace icons
