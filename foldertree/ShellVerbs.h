#pragma once
// Carrying out one standard verb of an item's shell menu without showing the menu: create a
// shortcut, delete, cut, copy, paste. Drops are made of these (cut or copy, then paste).
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace foldertree {

enum TShellVerb { svLink, svDelete, svCut, svCopy, svPaste };

// Asked of an item before a verb is tried; holds every attribute a verb requires.
constexpr ULONG kShellVerbAttributeQuery = 0x800F0177;

enum class VerbOutcome {
    Done,        // the shell accepted the command
    Refused,     // quietly not tried: bad arguments, attribute missing, no menu, verb not in it
    NotOffered,  // Paste only: the item's menu offers no usable Paste now
    Failed,      // the shell refused the command; "InvokeCommand failed!" was shown
};

VerbOutcome CarryOutShellVerb(HWND window, IShellFolder* folder, LPCITEMIDLIST item, TShellVerb verb);
// True when the shell accepted the command.
bool InvokeShellVerb(HWND window, IShellFolder* folder, LPCITEMIDLIST item, TShellVerb verb);
// The same for the item named by a path or any parsing name the desktop accepts.
bool InvokeShellVerbOnPath(HWND window, const std::string& path, TShellVerb verb);

}  // namespace foldertree
