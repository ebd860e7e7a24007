#pragma once
// The files the console program's sources name: a file as it is, a folder as the window's search
// lists it.
#include <functional>
#include <string>
#include <vector>

#include "icons/IconResourceReader.h"

namespace console {

// The path made absolute against the current folder (as it is when that fails).
std::string FullPath(const std::string& path);
bool IsFolder(const std::string& path);

// The files of `folder` that hold icons (or cursors: `groups`; two or more with multipleOnly),
// sorted by name, each named relative to the folder; with subFolders the folders below too, while
// goOn says so.
std::vector<std::string> FolderIconFiles(const std::string& folder, bool subFolders, bool multipleOnly,
                                         const std::function<bool()>& goOn,
                                         icons::ImageGroupKind groups = icons::ImageGroupKind::Icons);

}  // namespace console
