#include "export/ExportFileNames.h"

#include <cstdio>
#include <string>

#include "icons/PathNames.h"
#include "toolkit/Exceptions.h"

namespace iconexport {

// "." (0x2E) is below every trail byte of a double-byte code page, so a plain search is exact.
// A file found in a sub-folder is named by its own name, without the folders.
// A file listed under a name without an ANSI form carries "?" or the like: each single-byte
// character a file name cannot hold becomes "_" (a trail byte is part of its character).
std::string ExportBaseName(std::string_view stripFileName, const toolkit::LeadByteTable& codePage) {
    std::string name = icons::FileNamePart(stripFileName, codePage);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (codePage.IsLead(c)) ++i;
        else if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(char(c)) != std::string_view::npos) name[i] = '_';
    }
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExportFileName(std::string_view baseName, int index, std::string_view extension) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.4d", index);
    std::string name(baseName);
    name += digits;
    name += extension;
    return name;
}

std::string SizedExportFileName(std::string_view baseName, int index, int size, std::string_view extension) {
    return ExportFileName(baseName, index, "-" + std::to_string(size) + std::string(extension));
}

std::string ExportFilePath(std::string_view saveDir, std::string_view fileName,
                           const toolkit::LeadByteTable& codePage) {
    std::string path = icons::DirYen(saveDir, codePage);
    path += fileName;
    if (codePage.CharacterCount(path) > kLongestPath) throw toolkit::EFCreateError(path);
    return path;
}

}  // namespace iconexport
