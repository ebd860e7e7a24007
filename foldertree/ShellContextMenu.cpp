// The shell's own context menu for a node: shown on the right button, carried out by the shell,
// and the tree kept in step afterwards (a deleted item's node goes, a new shortcut or a paste
// re-reads the tree, rename starts editing the caption).
#include <stdexcept>

#include "foldertree/FTVEX_D3.h"
#include "foldertree/FolderTreeMessages.h"
#include "toolkit/ProgramTexts.h"
#include "foldertree/ShellItemMenu.h"
#include "foldertree/ShellItems.h"
#include "toolkit/ModalTestHook.h"

namespace foldertree {

using toolkit::TTreeNode;

namespace {

// The owner window's property that leads its stand-in procedure back to the tree.
constexpr char kMenuTreeProperty[] = "Pictavo.ShellMenuTree";

// Puts a stand-in procedure in front of the owner window for one scope, and puts the owner's
// own procedure back however the scope ends.
class OwnerProcedureSwap {
public:
    OwnerProcedureSwap(HWND owner, void* tree, WNDPROC standIn, WNDPROC& saved) : owner_(owner), saved_(saved) {
        SetPropA(owner_, kMenuTreeProperty, tree);
        saved_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(standIn)));
    }
    ~OwnerProcedureSwap() {
        SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved_));
        saved_ = nullptr;
        RemovePropA(owner_, kMenuTreeProperty);
    }
    OwnerProcedureSwap(const OwnerProcedureSwap&) = delete;
    OwnerProcedureSwap& operator=(const OwnerProcedureSwap&) = delete;

private:
    HWND owner_;
    WNDPROC& saved_;
};

// Messages the shell's menu object draws and fills its own owner-drawn submenus with.
bool IsShellMenuMessage(UINT message, LPARAM lParam) {
    switch (message) {
    case WM_INITMENUPOPUP: return true;
    case WM_DRAWITEM: return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
    case WM_MEASUREITEM: return reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
    default: return false;
    }
}

}  // namespace

void TFolderTreeViewEx::RightButtonDown(int x, int y) {
    TTreeNode* node = HitTestNode(x, y);
    if (!contextMenu_) {
        if (node) SetSelected(node);
        return;
    }
    const TTVITEMDATA* record = RecordOf(node);
    if (!record) return;
    SetSelected(node);  // the window sees the new folder before the menu opens
    // The menu's loop may let a refresh replace the node; the menu works on its own references.
    const ComRef<IShellFolder> folder = record->ParentFolder;
    const ItemIdList item = CopyFirstItem(record->RelativeID.Get());
    POINT screen{x, y};
    ClientToScreen(Handle(), &screen);
    UINT command = 0;
    if (!ShowShellContextMenu(OwnerWindow, folder.Get(), item.Get(), screen, command) || !autoUpDate_) return;
    ReactToMenuCommand(ReactionTo(ShellMenu2.Get(), command));
}

void TFolderTreeViewEx::ReactToMenuCommand(MenuReaction reaction) {
    TTreeNode* selected = Selected();
    switch (reaction) {
    case MenuReaction::RemoveNode: {
        // Only when the item is really gone: a deletion the user declined keeps its node.
        const TTVITEMDATA* record = RecordOf(selected);
        if (record && !IsParseableItem(record->ParentFolder.Get(), record->RelativeID.Get())) selected->Delete();
        break;
    }
    case MenuReaction::Refresh:
        RefreshTree();
        break;
    case MenuReaction::Rename:
        if (selected) selected->EditText();
        break;
    case MenuReaction::None:
        break;
    }
}

bool TFolderTreeViewEx::ShowShellContextMenu(HWND window, IShellFolder* folder, LPCITEMIDLIST item,
                                             POINT screen, UINT& command) {
    command = 0;
    if (!window || !folder || !item) return false;
    if (!DesktopFolder() || !TaskAllocator().Available()) return false;
    const ComRef<IContextMenu> object = ItemMenuObject(window, folder, item);
    if (!object) return false;
    const PopupMenuHandle menu;
    if (!menu) return false;
    ShellMenu2.Reset();
    ShellMenu2 = object.Query<IContextMenu2>(IID_IContextMenu2);
    if (!ShellMenu2) throw std::runtime_error(toolkit::Text(toolkit::TextId::ErrorNoInterface));
    if (!FillMenu(ShellMenu2.Get(), menu.Get())) return false;
    {
        const OwnerProcedureSwap swap(OwnerWindow, this, &TFolderTreeViewEx::OwnerWndProcStub, SavedOwnerWndProc);
        toolkit::ModalTestHook::ModalStarting(nullptr);
        command = static_cast<UINT>(
            TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window, nullptr));
    }
    if (!command) return false;
    if (SUCCEEDED(InvokeMenuCommand(ShellMenu2.Get(), window, command))) return true;
    // The tree starts editing the caption itself, whatever the shell made of a rename.
    if (ReactionTo(ShellMenu2.Get(), command) == MenuReaction::Rename) return true;
    ShowInvokeCommandFailed(window);
    return false;
}

LRESULT CALLBACK TFolderTreeViewEx::OwnerWndProcStub(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tree = static_cast<TFolderTreeViewEx*>(GetPropA(window, kMenuTreeProperty));
    return tree ? tree->OwnerMenuWndProc(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

// The shell fills and draws its owner-drawn submenus through these messages; anything it does
// not take (and every other message) goes on to the owner's own procedure.
LRESULT TFolderTreeViewEx::OwnerMenuWndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (ShellMenu2 && IsShellMenuMessage(message, lParam)) {
        const HRESULT handled = ShellMenu2->HandleMenuMsg(message, wParam, lParam);
        if (SUCCEEDED(handled)) return handled;
    }
    return CallWindowProcA(SavedOwnerWndProc, OwnerWindow, message, wParam, lParam);
}

}  // namespace foldertree
