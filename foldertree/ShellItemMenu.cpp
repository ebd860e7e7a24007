#include "foldertree/ShellItemMenu.h"

#include "foldertree/ItemUIObject.h"
#include "toolkit/ModalTestHook.h"

namespace foldertree {

namespace {
constexpr UINT kCommandCreateShortcut = 17;
constexpr UINT kCommandDelete = 18;
constexpr UINT kCommandRename = 19;
constexpr UINT kCommandPaste = 27;
constexpr UINT kVerbBufferSize = 64;
}  // namespace

ComRef<IContextMenu> ItemMenuObject(HWND window, IShellFolder* folder, LPCITEMIDLIST item) {
    return ItemUIObject<IContextMenu>(window, folder, item, IID_IContextMenu);
}

bool FillMenu(IContextMenu* object, HMENU menu) {
    return SUCCEEDED(object->QueryContextMenu(menu, 0, kFirstMenuCommand, kLastMenuCommand, CMF_EXPLORE));
}

std::string CommandVerb(IContextMenu* object, UINT command) {
    if (command < kFirstMenuCommand || command > kLastMenuCommand) return {};
    char verb[kVerbBufferSize] = {};
    if (FAILED(object->GetCommandString(command - kFirstMenuCommand, GCS_VERBA, nullptr, verb, sizeof verb)))
        return {};
    verb[sizeof verb - 1] = '\0';
    return verb;
}

bool CommandUsable(HMENU menu, UINT command) {
    const UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_SEPARATOR | MF_DISABLED | MF_GRAYED));
}

HRESULT InvokeMenuCommand(IContextMenu* object, HWND window, UINT command) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = window;
    info.lpVerb = MAKEINTRESOURCEA(command - kFirstMenuCommand);
    info.nShow = SW_SHOWNORMAL;
    toolkit::ModalTestHook::ModalStarting(nullptr);  // the shell may ask (delete) or show (properties)
    return object->InvokeCommand(&info);
}

MenuReaction ReactionTo(IContextMenu* object, UINT command) {
    const std::string verb = CommandVerb(object, command);
    if (!verb.empty()) {
        if (lstrcmpiA(verb.c_str(), "delete") == 0) return MenuReaction::RemoveNode;
        if (lstrcmpiA(verb.c_str(), "link") == 0 || lstrcmpiA(verb.c_str(), "paste") == 0) return MenuReaction::Refresh;
        if (lstrcmpiA(verb.c_str(), "rename") == 0) return MenuReaction::Rename;
        return MenuReaction::None;
    }
    switch (command) {
    case kCommandDelete: return MenuReaction::RemoveNode;
    case kCommandCreateShortcut:
    case kCommandPaste: return MenuReaction::Refresh;
    case kCommandRename: return MenuReaction::Rename;
    default: return MenuReaction::None;
    }
}

}  // namespace foldertree
