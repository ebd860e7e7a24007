#pragma once
// Carrying out a drop of one path onto a node's item, the way the shell's own commands would:
// the dropped item is cut (moved) or copied, then pasted into the target.
#include <windows.h>

#include <string>

#include "foldertree/NodeRecord.h"

namespace foldertree {

// What Drop answers when the shell took the dropped item.
constexpr HRESULT kDropDone = 0x00100000;

// What became of a drop.
enum class DropOutcome {
    Done,     // the shell took the dropped item
    Failed,   // the shell's paste, move or copy ran without completing: something may have changed
    Refused,  // nothing was carried out (the dropped item may be left on the clipboard)
};

// Onto a folder the item moves, or is copied while Ctrl (`copyKey`) is held; onto any other item
// it is copied. A target the desktop cannot reach by name again (a special folder) gets the
// special-folder message and nothing is done. Where the folder's menu offers no Paste, the shell's
// file operation moves or copies the item into the folder instead, so a drop never silently does
// nothing; but only into a real folder: a folder item backed by a file (a .zip) is no place to
// move a file to, it would become the file's new name.
DropOutcome DropPathOnItem(HWND window, const std::string& path, const TTVITEMDATA& target, bool copyKey);

}  // namespace foldertree
