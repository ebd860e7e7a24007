// Re-reading the folder tree after shell work (its own renames, and later its menu commands and
// drops), keeping the open branches, the selection and the top node by their file-system paths.
#include "foldertree/FTVEX_D3.h"
#include "foldertree/ShellItems.h"
#include "toolkit/Application.h"

namespace foldertree {

using toolkit::TTreeNode;

namespace {
// Larger trees are not reloaded at all: restoring them would take too long.
constexpr int kMaxReloadNodes = 10240;
// Time the shell gets to finish the file operation that asked for the refresh.
constexpr DWORD kSettleMilliseconds = 1000;
constexpr DWORD kDelayedSettleMilliseconds = 1500;
// Posted to the tree itself: a refresh that must not run inside a native notification.
constexpr UINT kRefreshMessage = WM_APP + 0x3D0;

std::string NodePath(const TTreeNode* node) {
    const TTVITEMDATA* record = TFolderTreeViewEx::RecordOf(node);
    return record ? IDListToPath(record->AbsoluteID.Get()) : std::string();
}
}  // namespace

void TFolderTreeViewEx::RefreshTree() {
    if (GetFirstNode()) ReloadTree(Selected());
}

void TFolderTreeViewEx::DelayedRefresh() {
    auto& application = toolkit::Application::Instance();
    application.ProcessMessages();
    Sleep(kDelayedSettleMilliseconds);
    application.ProcessMessages();
    RefreshTree();
}

// The native tree must be done with the item a rename was typed into before its node goes.
void TFolderTreeViewEx::PostRefresh() { PostMessageA(Handle(), kRefreshMessage, 0, 0); }

void TFolderTreeViewEx::RefreshAfterDrop() {
    if (draggingOut_)
        PostRefresh();
    else
        RefreshTree();
}

bool TFolderTreeViewEx::HandleRefreshMessage(UINT message) {
    if (message != kRefreshMessage) return false;
    RefreshTree();
    return true;
}

void TFolderTreeViewEx::ReloadTree(TTreeNode* selected) {
    BusyScope busy(*this);
    const int count = NodeCount();
    if (specialRoot_) {
        PopulateSpecialRoot();
        return;
    }
    if (count > kMaxReloadNodes) return;

    const std::string topPath = NodePath(TopItem());
    const std::string selPath = NodePath(selected);
    // The paths of the nodes the user can see (all ancestors open), in display order.
    std::vector<std::string> paths;
    paths.reserve(count);
    for (TTreeNode* node = GetFirstNode()->GetNext(); node; node = node->GetNext())
        paths.push_back(node->IsVisible() ? NodePath(node) : std::string());

    toolkit::Application::Instance().ProcessMessages();
    Sleep(kSettleMilliseconds);

    TTreeNode* first = GetFirstNode();
    if (!first) return;
    first->DeleteChildren();
    if (const TTVITEMDATA* record = RecordOf(first))
        AddChildren(record->ParentFolder.Get(), record->RelativeID.Get(), first, record->AbsoluteID.Get());
    first->Expand(false);
    RestoreState(paths, selPath, topPath);
}

void TFolderTreeViewEx::RestoreState(const std::vector<std::string>& paths, const std::string& selPath,
                                     const std::string& topPath) {
    for (const std::string& path : paths)
        if (!path.empty()) LocatePath(path, false, false);  // re-opens the branch holding it
    if (!selPath.empty()) LocatePath(selPath, false, true);
    if (!topPath.empty()) LocatePath(topPath, true, false);
}

}  // namespace foldertree
