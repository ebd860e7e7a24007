// The folder tree's public face: the folder the events report, selecting the node of a path,
// double-click running a file, and committing an in-place rename to the shell.
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "foldertree/FTVEX_D3.h"
#include "foldertree/ShellItems.h"

namespace foldertree {

using toolkit::TTreeNode;

namespace {
// The name flags a typed name goes to SetNameOf with; no display-name combination, so the shell
// decides how to read it (it takes it as the new name within the item's folder).
constexpr SHGDNF kRenameNameFlags = 0x60;

// The list itself, or nullptr for the empty list (nothing left to walk).
LPCITEMIDLIST FirstItem(LPCITEMIDLIST list) { return list && list->mkid.cb ? list : nullptr; }
}  // namespace

std::string TFolderTreeViewEx::GetFolderName() {
    std::string result = LastFolderName;
    TTreeNode* node = Selected();
    if (node && TaskAllocator().Available()) {
        const TTVITEMDATA* record = RecordOf(node);
        if (record && IsParseableItem(record->ParentFolder.Get(), record->RelativeID.Get()))
            result = IDListToPath(record->AbsoluteID.Get());
        else
            result = node->Text();
        LastFolderName = result;
    }
    return result;
}

void TFolderTreeViewEx::Change(TTreeNode* /*node*/) {
    if (OnChange) OnChange(*this, GetFolderName());
}

void TFolderTreeViewEx::Click() {
    if (OnClick) OnClick(*this, GetFolderName());
    TCustomTreeView::Click();
}

void TFolderTreeViewEx::DblClick() {
    TCustomTreeView::DblClick();
    if (!Selected()) return;
    if (OnDblClick) OnDblClick(*this, GetFolderName());
    RunSelected();
}

// A file (neither folder nor holding folders) opens with its default verb when files are shown.
void TFolderTreeViewEx::RunSelected() {
    const TTVITEMDATA* record = RecordOf(Selected());
    if (!shellRun_ || !showFile_ || !record) return;
    if (record->Attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER)) return;
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_INVOKEIDLIST;
    run.hwnd = Handle();
    run.lpVerb = "";
    run.lpParameters = "";
    run.lpDirectory = "";
    run.nShow = SW_SHOWNORMAL;
    run.hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(-1));
    run.lpIDList = record->AbsoluteID.Get();
    ShellExecuteExA(&run);
}

bool TFolderTreeViewEx::SelectPath(const std::string& path) {
    BusyScope busy(*this);
    return LocatePath(path, false, true);
}

bool TFolderTreeViewEx::LocatePath(const std::string& path, bool scrollToTop, bool select) {
    if (specialRoot_) return false;
    const ComRef<IShellFolder> desktop = DesktopFolder();
    if (!desktop || !TaskAllocator().Available()) return false;
    TTreeNode* first = GetFirstNode();
    if (!first) return false;
    const ItemIdList target = PathToIDList(path);
    if (!target) return false;
    const TTVITEMDATA* firstRecord = RecordOf(first);
    const ItemIdList root = showRootFolder_ ? CopyList(firstRecord ? firstRecord->AbsoluteID.Get() : nullptr)
                                            : GetRootID(desktop.Get());
    if (!root) return false;

    LPCITEMIDLIST rest = nullptr;
    bool complete = false;
    TTreeNode* node = LocateRootPrefix(root.Get(), target.Get(), rest, complete);
    // Down the tree, one item of the path per level, each level enumerated on the way and the
    // branch opened once the walk ends.
    std::vector<TTreeNode*> walked;
    while (node && !complete) {
        const ItemIdList item = CopyFirstItem(rest);
        node = FindSiblingNode(node, item.Get());
        if (!node) break;
        rest = NextItem(rest);
        complete = rest == nullptr;
        if (complete) break;
        if (node->HasChildren()) CanExpand(*node);
        walked.push_back(node);
        node = node->GetFirstChild();
    }
    OpenDeepestFirst(walked);
    if (!node || !complete) return false;
    if (scrollToTop) SetTopItem(node);
    if (select) SetSelected(node);
    return true;
}

// The root must begin the path: item by item from the desktop. Gives the node the walk down
// starts at (or the found node when the path names the root) and the path's remaining items.
TTreeNode* TFolderTreeViewEx::LocateRootPrefix(LPCITEMIDLIST root, LPCITEMIDLIST target,
                                               LPCITEMIDLIST& rest, bool& complete) {
    ComRef<IShellFolder> current = DesktopFolder();
    LPCITEMIDLIST r = FirstItem(root);
    LPCITEMIDLIST t = FirstItem(target);
    while (r && t) {
        const ItemIdList rootItem = CopyFirstItem(r);
        const ItemIdList targetItem = CopyFirstItem(t);
        if (!SameItem(current.Get(), rootItem.Get(), targetItem.Get())) return nullptr;
        ComRef<IShellFolder> bound = BindToFolder(current.Get(), rootItem.Get());
        if (!bound) return nullptr;
        current = std::move(bound);
        r = NextItem(r);
        t = NextItem(t);
    }
    TTreeNode* first = GetFirstNode();
    if (r) return nullptr;  // the path lies above the root
    if (!t) {
        complete = showRootFolder_;  // the root itself, found only when it has a node
        return complete ? first : nullptr;
    }
    rest = t;
    return showRootFolder_ ? first->GetFirstChild() : first;
}

// Opening a node whose row is shown makes the native tree lay out the rows below it and its
// scroll bars again; a node inside a closed branch has no rows shown. Opened from the deepest up,
// the path's rows are laid out once. Open nodes are left as they are.
void TFolderTreeViewEx::OpenDeepestFirst(const std::vector<TTreeNode*>& path) {
    for (auto node = path.rbegin(); node != path.rend(); ++node)
        if (!(*node)->Expanded()) (*node)->Expand(false);
}

TTreeNode* TFolderTreeViewEx::FindSiblingNode(TTreeNode* node, LPCITEMIDLIST item) {
    for (; node; node = node->GetNextSibling()) {
        const TTVITEMDATA* record = RecordOf(node);
        if (record && SameItem(record->ParentFolder.Get(), record->RelativeID.Get(), item)) return node;
    }
    return nullptr;
}

// The end of an in-place rename: committed through the shell only while the control follows
// up its own shell work.
void TFolderTreeViewEx::Edited(TTreeNode& node, const char* text) {
    if (!autoUpDate_) return;
    TCustomTreeView::Edited(node, text);
    if (!text || specialRoot_) return;
    if (node.Level() == 0 && rootFolder_ == rfDrives) return;  // the computer folder keeps its name
    if (!TaskAllocator().Available()) return;
    CommitRename(node, text);
}

void TFolderTreeViewEx::CommitRename(TTreeNode& node, const std::string& text) {
    const TTVITEMDATA* record = RecordOf(&node);
    if (!record) return;
    IShellFolder* folder = record->ParentFolder.Get();
    if (!IsParseableItem(folder, record->RelativeID.Get())) {
        PostRefresh();  // back to the shell's names
        return;
    }
    if (!CanRenameItem(folder, record->RelativeID.Get())) return;
    const std::wstring name = ToWide(text);
    ItemIdList renamed;
    if (SUCCEEDED(folder->SetNameOf(Handle(), record->RelativeID.Get(), name.c_str(), kRenameNameFlags, renamed.Put())))
        PostRefresh();
    else
        node.SetText(text);
}

}  // namespace foldertree
