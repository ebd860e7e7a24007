#pragma once
// Finding a menu item by a piece of its text, the way the folder tree recognises the shell's
// Paste command by its wording.
#include <windows.h>

#include <string>

namespace foldertree {

// The 1-based position of the first usable item (no separator, not disabled or grayed) whose text
// holds `text` first at byte `position` (1-based; a double-byte character counts two), or -1.
int FindMenuItemByText(HMENU menu, const std::string& text, int position);

}  // namespace foldertree
