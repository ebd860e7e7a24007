#pragma once
// The names of the files an export run writes: the strip file's base name, the icon's index with
// at least four digits, and the format's extension, placed in the export folder. Platform-free.
#include <string>
#include <string_view>

#include "toolkit/DoubleByte.h"

namespace iconexport {

// The file's name without folders, everything before the last "." (README stays README, A.B.EXE
// gives A.B, .x gives ""), with every character a file name cannot hold as "_" (X?X.DLL gives X_X).
std::string ExportBaseName(std::string_view stripFileName, const toolkit::LeadByteTable& codePage);

// base + the index formatted "%.4d" + extension (".ICO" or ".BMP"): 3 gives SAMPLE0003.ICO,
// 12345 gives SAMPLE12345.ICO.
std::string ExportFileName(std::string_view baseName, int index, std::string_view extension);

// The same with the image's size in pixels after a "-": 3 at 256 gives SAMPLE0003-256.PNG.
std::string SizedExportFileName(std::string_view baseName, int index, int size, std::string_view extension);

// The longest path the platform's file calls take, in characters (MAX_PATH less the terminating
// zero): the ANSI calls convert to wide characters first, so a double-byte character counts once.
constexpr std::size_t kLongestPath = 259;

// The export folder joined with the file name. A path longer than the platform takes raises the
// file-creation error for it: the platform would otherwise refuse it at a later, less clear point.
std::string ExportFilePath(std::string_view saveDir, std::string_view fileName,
                           const toolkit::LeadByteTable& codePage);

}  // namespace iconexport
