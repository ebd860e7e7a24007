#pragma once
// Path pieces as the program composes them: the join of a folder and a name, the folder and name
// parts of a path, and the settings file's name beside the executable. Platform-free.
#include <string>
#include <string_view>

#include "toolkit/DoubleByte.h"

namespace icons {

// The folder followed by one "\" unless it already ends in a single-byte "\" ("" gives "\").
std::string DirYen(std::string_view folder, const toolkit::LeadByteTable& codePage);

// The path up to its last "\" or ":", without that "\" unless the character before it is ":"
// or "\" (C:\TOOLS\X.EXE -> C:\TOOLS, C:\X.EXE -> C:\). Empty when there is no delimiter.
std::string FolderPart(std::string_view path, const toolkit::LeadByteTable& codePage);

// What follows the last "\" or ":".
std::string FileNamePart(std::string_view path, const toolkit::LeadByteTable& codePage);

// True for a path from a drive's root (C:\...) or a network share (\\server\...), the only kind
// of path the shell reports for a folder; false for names of virtual folders and relative paths.
bool IsFullPath(std::string_view path);

// The path with its extension (from the last "." after the last "\" or ":") replaced by
// `extension`; a name without extension gets it appended.
std::string ChangeFileExt(std::string_view path, std::string_view extension,
                          const toolkit::LeadByteTable& codePage);

}  // namespace icons
