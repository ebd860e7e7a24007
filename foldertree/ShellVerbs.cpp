#include "foldertree/ShellVerbs.h"

#include "foldertree/FolderTreeMessages.h"
#include "foldertree/MenuItemText.h"
#include "foldertree/ShellItemMenu.h"
#include "foldertree/ShellItems.h"

namespace foldertree {

namespace {

struct VerbTraits {
    const char* canonical;   // what the shell's GetCommandString answers for it
    UINT standardCommand;    // its number in the standard item menu, for shells that name no verbs
    ULONG requiredAttribute; // 0: none (Paste is recognised in the menu instead)
};

constexpr VerbTraits kVerbs[] = {
    {"link", 17, SFGAO_CANLINK},
    {"delete", 18, SFGAO_CANDELETE},
    {"cut", 25, SFGAO_CANMOVE},
    {"copy", 26, SFGAO_CANCOPY},
    {"paste", 27, 0},
};

// The Japanese shell words Paste "貼り付け(&P)": its accelerator at the ninth byte tells it from
// Properties "プロパティ(&P)".
constexpr char kPasteAccelerator[] = "(&P)";
constexpr int kPasteAcceleratorPosition = 9;

// The command of `verb` in a filled menu, 0 when it is not there or cannot be chosen. A command
// is known by the verb the shell names for it; the standard number counts only for a command the
// shell names no verb for.
UINT VerbCommand(IContextMenu* object, HMENU menu, TShellVerb verb) {
    const VerbTraits& traits = kVerbs[verb];
    const int count = GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        const UINT command = GetMenuItemID(menu, index);
        if (command == static_cast<UINT>(-1) || command == 0) continue;  // submenu or separator
        if (lstrcmpiA(CommandVerb(object, command).c_str(), traits.canonical) == 0)
            return CommandUsable(menu, command) ? command : 0;
    }
    if (verb == svPaste) {
        const int position = FindMenuItemByText(menu, kPasteAccelerator, kPasteAcceleratorPosition);
        const UINT command = position == -1 ? 0 : GetMenuItemID(menu, position - 1);
        return command == static_cast<UINT>(-1) ? 0 : command;  // a submenu is no command
    }
    const UINT standard = traits.standardCommand;
    return CommandUsable(menu, standard) && CommandVerb(object, standard).empty() ? standard : 0;
}

}  // namespace

VerbOutcome CarryOutShellVerb(HWND window, IShellFolder* folder, LPCITEMIDLIST item, TShellVerb verb) {
    if (!window || !folder || !item || verb < svLink || verb > svPaste) return VerbOutcome::Refused;
    LPCITEMIDLIST items[] = {item};
    ULONG attributes = kShellVerbAttributeQuery;
    if (folder->GetAttributesOf(1, items, &attributes) != S_OK) return VerbOutcome::Refused;
    const ULONG required = kVerbs[verb].requiredAttribute;
    if (required && !(attributes & required)) return VerbOutcome::Refused;

    const ComRef<IContextMenu> object = ItemMenuObject(window, folder, item);
    if (!object) return VerbOutcome::Refused;
    const PopupMenuHandle menu;
    if (!menu || !FillMenu(object.Get(), menu.Get())) return VerbOutcome::Refused;
    const UINT command = VerbCommand(object.Get(), menu.Get(), verb);
    if (!command) return verb == svPaste ? VerbOutcome::NotOffered : VerbOutcome::Refused;
    if (SUCCEEDED(InvokeMenuCommand(object.Get(), window, command))) return VerbOutcome::Done;
    ShowInvokeCommandFailed(window);
    return VerbOutcome::Failed;
}

bool InvokeShellVerb(HWND window, IShellFolder* folder, LPCITEMIDLIST item, TShellVerb verb) {
    return CarryOutShellVerb(window, folder, item, verb) == VerbOutcome::Done;
}

bool InvokeShellVerbOnPath(HWND window, const std::string& path, TShellVerb verb) {
    if (!window || !TaskAllocator().Available()) return false;
    const ItemIdList absolute = PathToIDList(path);
    if (!absolute) return false;
    ComRef<IShellFolder> folder;
    ItemIdList last;
    if (!SplitIDList(absolute.Get(), folder, last)) return false;
    return InvokeShellVerb(window, folder.Get(), last.Get(), verb);
}

}  // namespace foldertree
