#pragma once
// Fills the catalogue from a folder: every entry of the folder is asked for its icon count, and
// those reaching the threshold (1, or 2 with the multiple-icons option) are kept.
#include <windows.h>

#include <functional>
#include <string>

#include "icons/IconCatalogue.h"
#include "icons/IconResourceReader.h"

namespace icons {

// Refills `catalogue` from `folder` (Count 0 first; the block is kept). The folder's enumeration
// is closed however the search ends. Does not sort.
// With groups Cursors, files are counted and kept by their cursors instead (here and below).
void SearchFolder(IconCatalogue& catalogue, const std::string& folder, int threshold, HWND owner,
                  ImageGroupKind groups = ImageGroupKind::Icons);

// Asked now and then during a sub-folder search with the files found so far and the folder being
// read (every folder and every file, so it must be cheap); false stops the search.
using SearchProgress = std::function<bool(int found, const std::string& folder)>;

// Refills `catalogue` from `folder` and every folder below it, each file listed under its path
// relative to `folder` ("sub\\file.dll") and counted as the one-folder search counts it. Folders
// that cannot be entered are passed over. Returns false when progress stopped it; what was found
// until then stays. Does not sort.
bool SearchTree(IconCatalogue& catalogue, const std::string& folder, int threshold, HWND owner,
                const SearchProgress& progress, ImageGroupKind groups = ImageGroupKind::Icons);

}  // namespace icons
