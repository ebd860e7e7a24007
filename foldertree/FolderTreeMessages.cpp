#include "foldertree/FolderTreeMessages.h"

#include "toolkit/MessageDialog.h"

namespace foldertree {

namespace {
constexpr char kCaption[] = " FolderTreeViewEx component version 2.11";

void Show(HWND owner, const char* text) {
    toolkit::PlatformMessageBox(owner, text, kCaption, MB_OK | MB_ICONINFORMATION);
}
}  // namespace

void ShowInvokeCommandFailed(HWND owner) { Show(owner, "InvokeCommand failed!"); }

void ShowSpecialFolderMessage(HWND owner) {
    Show(owner, "This Folder is SpecialFolder \r   Can not Copy or Paste!");
}

}  // namespace foldertree
