#pragma once
// The shell's own menu of one item: its menu object, a popup menu it has filled, what each
// command is (the shell's canonical verb), and carrying a command out.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "foldertree/ComRef.h"

namespace foldertree {

// Every menu is numbered from command 1 to 0x7FFF, filled for an explorer-style window.
constexpr UINT kFirstMenuCommand = 1;
constexpr UINT kLastMenuCommand = 0x7FFF;

// The item's menu object (IContextMenu), or an empty reference.
ComRef<IContextMenu> ItemMenuObject(HWND window, IShellFolder* folder, LPCITEMIDLIST item);

// A popup menu destroyed when the holder goes.
class PopupMenuHandle {
public:
    PopupMenuHandle() : menu_(CreatePopupMenu()) {}
    ~PopupMenuHandle() {
        if (menu_) DestroyMenu(menu_);
    }
    PopupMenuHandle(const PopupMenuHandle&) = delete;
    PopupMenuHandle& operator=(const PopupMenuHandle&) = delete;
    HMENU Get() const { return menu_; }
    explicit operator bool() const { return menu_ != nullptr; }

private:
    HMENU menu_;
};

// Lets the menu object put its commands into `menu`.
bool FillMenu(IContextMenu* object, HMENU menu);
// The shell's canonical verb for a command ("delete", "link", "paste"...), empty when the menu
// object does not tell.
std::string CommandVerb(IContextMenu* object, UINT command);
// The command is in the menu (at any depth) and can be chosen.
bool CommandUsable(HMENU menu, UINT command);
// Carries a command out (given to the shell by its offset, not by a verb string).
HRESULT InvokeMenuCommand(IContextMenu* object, HWND window, UINT command);

// What the tree does after the user chose a command of an item's menu.
enum class MenuReaction { None, RemoveNode, Refresh, Rename };
// Decided by the command's canonical verb where the shell answers one, by the standard menu's
// numbers (17 create shortcut, 18 delete, 19 rename, 27 paste) only where it does not.
MenuReaction ReactionTo(IContextMenu* object, UINT command);

}  // namespace foldertree
