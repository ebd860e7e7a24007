#pragma once
// Fills the catalogue from a folder: every entry of the folder is asked for its icon count, and
// those reaching the threshold (1, or 2 with the multiple-icons option) are kept.
#include <windows.h>

#include <string>

#include "app/IconCatalogue.h"

namespace app {

// Refills `catalogue` from `folder` (Count 0 first; the block is kept). The folder's enumeration
// is closed however the search ends. Does not sort.
void SearchFolder(IconCatalogue& catalogue, const std::string& folder, int threshold, HWND owner);

}  // namespace app
