#pragma once
// The shell-level item operations the folder tree names, compares, parses, shows and splits its
// items with. Each obtains the desktop folder afresh and releases what it made on every way out;
// a shell failure becomes an empty result or false, never a message or an exception.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "foldertree/ComRef.h"
#include "foldertree/ItemIdList.h"

namespace foldertree {

// Every attribute the tree keeps per node: has sub-folders, file system, folder, file-system
// ancestor, removable, hidden, shared, shortcut.
constexpr ULONG kItemAttributeQuery = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER |
                                      SFGAO_FILESYSANCESTOR | SFGAO_REMOVABLE | SFGAO_HIDDEN |
                                      SFGAO_SHARE | SFGAO_LINK;

std::wstring ToWide(const std::string& text);
std::string ToAnsi(const wchar_t* text);

ComRef<IShellFolder> DesktopFolder();
// The folder `item` (relative to `folder`) stands for, or an empty reference.
ComRef<IShellFolder> BindToFolder(IShellFolder* folder, LPCITEMIDLIST item);
// The folder's answer for `query` about one item (0 when the call fails).
ULONG ItemAttributes(IShellFolder* folder, LPCITEMIDLIST item, ULONG query);

// Both relative lists name the same item of the folder.
bool SameItem(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b);
// The item's name of the kind `flags` asks for; false (and `name` untouched) unless the folder
// answers exactly S_OK with a string kind it knows.
bool ItemDisplayName(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags, std::string& name);
// The absolute list the desktop parses a path or parsing name into.
ItemIdList PathToIDList(const std::string& path);
bool PathIsParseable(const std::string& path);
// The item's parsing name parsed again from the desktop.
ItemIdList ItemAbsoluteID(IShellFolder* folder, LPCITEMIDLIST item);
// The item has a parsing name the desktop accepts again (file-system items, drives, items with a
// class-identifier path); items that fail cannot be reached from a path.
bool IsParseableItem(IShellFolder* folder, LPCITEMIDLIST item);
// The absolute lists of the items of one folder: an item without one is not listed (it cannot be
// reached from a path), and the list is its node's AbsoluteID. In a file-system folder the item's
// name within the folder (SHGDN_INFOLDER | SHGDN_FORPARSING), after the same trip through the ANSI
// code page, is parsed by the folder itself and follows the folder's own list: the list a parse of
// the full path from the desktop gives, without the desktop's walk down every component of it.
// Items of other folders (the computer folder, virtual folders), and those whose full path would
// reach MAX_PATH, are parsed from the desktop as ItemAbsoluteID does.
class FolderItemLists {
public:
    FolderItemLists(IShellFolder* folder, LPCITEMIDLIST folderAbsolute);
    // None when the item has no name by which it can be reached from a path.
    ItemIdList AbsoluteID(LPCITEMIDLIST item) const;

private:
    IShellFolder* folder_;
    LPCITEMIDLIST folderAbsolute_;
    std::string folderPath_;  // empty for a folder outside the file system
};

// The parsing name (the full path of a file-system item); empty when there is none.
std::string ItemParsingName(IShellFolder* folder, LPCITEMIDLIST item);
// The shell's display name of an absolute list (the caption of the tree's top node).
std::string ShellDisplayName(LPCITEMIDLIST absolute);
// Indexes into the system small-icon image list: the item's icon and its open icon.
int ItemIconIndex(LPCITEMIDLIST absolute, bool open);
void ItemIconIndexes(LPCITEMIDLIST absolute, int& normal, int& open);
// The small icon of a plain folder, asked by its attributes alone: nothing is read from disk.
int PlainFolderIconIndex();
// The item (relative to `folder`) is a folder below a drive's root that was listed with
// neither the read-only nor the system attribute: it cannot carry an icon of its own (a folder's
// desktop.ini counts only with one of them), so it shows PlainFolderIconIndex. The attributes are
// those the folder stored in the item's list when it listed it.
bool ShowsPlainFolderIcon(IShellFolder* folder, LPCITEMIDLIST item);
// The file-system path of an absolute list; empty for virtual items.
std::string IDListToPath(LPCITEMIDLIST absolute);
bool CanRenameItem(IShellFolder* folder, LPCITEMIDLIST item);
// The item's overlay counted from 0 (the shell counts from 1); false when the folder gives none.
bool ItemOverlayIndex(IShellFolder* folder, LPCITEMIDLIST item, int& index);
// The folder holding the last item of an absolute list of two or more items, and a copy of that
// item. False (both outputs empty) for shorter lists or when a folder on the way cannot be bound.
bool SplitIDList(LPCITEMIDLIST absolute, ComRef<IShellFolder>& folder, ItemIdList& lastItem);

// The folder that holds the last item of an absolute list, reached from the desktop item by item,
// and a copy of that item. The walk stops early at an item that cannot be bound as a folder: that
// item is then the result. Empty results only when the desktop or memory is missing.
struct ContainedItem {
    ComRef<IShellFolder> folder;
    ItemIdList item;
};
ContainedItem WalkToLastItem(LPCITEMIDLIST absolute);

}  // namespace foldertree
