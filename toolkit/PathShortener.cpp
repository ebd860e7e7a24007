#include "toolkit/PathShortener.h"

namespace toolkit {

std::string CutFirstFolder(std::string s, const toolkit::LeadByteTable& codePage) {
    if (s == "\\") return {};
    const bool rooted = !s.empty() && s[0] == '\\';
    if (rooted) s.erase(0, 1);
    // What an earlier cut left in front ("...\"), or a short folder beginning with ".", goes too.
    if (!s.empty() && s[0] == '.') s.erase(0, 4);
    const auto yen = codePage.FirstDelimiter(s, "\\");
    s = yen == std::string::npos ? std::string() : "...\\" + s.substr(yen + 1);
    if (rooted) s.insert(0, "\\");
    return s;
}

std::string ShortenPath(const std::string& path, const TextWidthFunction& textWidth, int maxWidth,
                        const toolkit::LeadByteTable& codePage) {
    const auto split = codePage.LastDelimiter(path, "\\:");
    std::string dir = split == std::string::npos ? std::string() : path.substr(0, split + 1);
    const std::string name = split == std::string::npos ? path : path.substr(split + 1);
    std::string drive;
    if (dir.size() >= 2 && dir[1] == ':') {
        drive = dir.substr(0, 2);
        dir.erase(0, 2);
    }
    std::string result = path;
    while ((!dir.empty() || !drive.empty()) && textWidth(result) > maxWidth) {
        if (dir == "\\...\\") {
            drive.clear();
            dir = "...\\";
        } else if (dir.empty()) {
            drive.clear();
        } else {
            dir = CutFirstFolder(dir, codePage);
        }
        result = drive + dir + name;
    }
    return result;
}

}  // namespace toolkit
