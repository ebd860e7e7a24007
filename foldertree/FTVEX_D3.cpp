#include "foldertree/FTVEX_D3.h"

#include <memory>

#include "foldertree/DropTarget.h"
#include "toolkit/Form.h"

namespace foldertree {

namespace {
constexpr int kDefaultWidth = 153;
constexpr int kDefaultHeight = 185;
}  // namespace

TFolderTreeViewEx::TFolderTreeViewEx() {
    SetReadOnly(true);  // a caption is edited only when a rename is asked for
}

TFolderTreeViewEx::~TFolderTreeViewEx() { DestroyWnd(); }

void TFolderTreeViewEx::Create(toolkit::Window& parent, const toolkit::Rect& bounds) {
    toolkit::Rect size = bounds;
    if (size.width == 0) size.width = kDefaultWidth;
    if (size.height == 0) size.height = kDefaultHeight;
    const toolkit::Form* owner = toolkit::Form::FormOf(parent);
    OwnerWindow = owner ? owner->Handle() : parent.Handle();
    CreateTree(parent, size);
    CreateWnd();
}

// The shell's small-icon list is the tree's image list (it belongs to the shell, which keeps it
// for the whole process); every window creation reads the tree afresh.
void TFolderTreeViewEx::CreateWnd() {
    SHFILEINFOA info{};
    const auto images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (images) SetImages(images);
    RegisterDropTarget();
    Rebuild();
}

void TFolderTreeViewEx::DestroyWnd() {
    if (!Handle()) return;
    ClearNodes();
    RevokeDropTarget();
}

LRESULT TFolderTreeViewEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandleRefreshMessage(message)) return 0;
    switch (message) {
    case WM_DESTROY:
        DestroyWnd();
        break;
    case WM_RBUTTONDOWN:
        RightButtonDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    default:
        break;
    }
    return TCustomTreeView::HandleMessage(message, wParam, lParam);
}

// Every window gets a new drop target, registered whatever DragAndDrop says: the target reads
// the property at each drag, and refuses every drag while it is off.
void TFolderTreeViewEx::RegisterDropTarget() {
    DropTarget = ComRef<IDropTarget>::Adopt(new TDropTargetObject(*this));
    CoLockObjectExternal(DropTarget.Get(), TRUE, FALSE);
    RegisterDragDrop(Handle(), DropTarget.Get());
}

void TFolderTreeViewEx::RevokeDropTarget() {
    if (!DropTarget) return;
    RevokeDragDrop(Handle());
    CoLockObjectExternal(DropTarget.Get(), FALSE, TRUE);
    DropTargetObject()->Detach();
    DropTarget.Reset();  // revoked once only, however often the window's end is reported
}

TDropTargetObject* TFolderTreeViewEx::DropTargetObject() const {
    return static_cast<TDropTargetObject*>(DropTarget.Get());
}

// The native tree's own dragging never starts; with DragAndDrop on, the shell drags the item.
void TFolderTreeViewEx::BeginDrag(toolkit::TTreeNode& node) {
    const TTVITEMDATA* record = RecordOf(&node);
    if (!dragAndDrop_ || !record) return;
    node.SetFocused(true);
    // The drop may re-read the tree and take the node's record with it.
    const ComRef<IShellFolder> folder = record->ParentFolder;
    const ItemIdList item = CopyFirstItem(record->RelativeID.Get());
    BeginShellDrag(OwnerWindow, folder.Get(), item.Get());
}

TTVITEMDATA* TFolderTreeViewEx::RecordOf(const toolkit::TTreeNode* node) {
    return node ? static_cast<TTVITEMDATA*>(node->Data()) : nullptr;
}

bool TFolderTreeViewEx::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.code == TVN_BEGINDRAGA) {
        toolkit::TTreeNode* node = NodeFromItem(reinterpret_cast<NMTREEVIEWA&>(header).itemNew);
        if (!node) return TCustomTreeView::OnNotify(header, result);
        BeginDrag(*node);
        result = 0;
        return true;
    }
    return TCustomTreeView::OnNotify(header, result);
}

// The node's record goes with the node: its lists through the task allocator, then its folder.
void TFolderTreeViewEx::Deletion(toolkit::TTreeNode& node) {
    std::unique_ptr<TTVITEMDATA> record(RecordOf(&node));
    node.SetData(nullptr);
    if (DropHighlightNode == &node) DropHighlightNode = nullptr;
}

// ---- Properties

void TFolderTreeViewEx::SetFileMask(const std::vector<std::string>& lines) {
    fileMask_ = lines;
    Rebuild();
}

void TFolderTreeViewEx::SetInfoViewSort(bool value) {
    if (value == infoViewSort_) return;
    infoViewSort_ = value;
    if (!specialRoot_) Rebuild();
}

void TFolderTreeViewEx::SetRootFolder(TRootFolder value) {
    if (value == rootFolder_) return;
    rootFolder_ = value;
    specialRoot_ = IsSpecialRoot(value);
    if (specialRoot_) showRootFolder_ = true;  // a special root is always shown whole
    Rebuild();
}

void TFolderTreeViewEx::SetRootFolderName(const std::string& value) {
    if (value == rootFolderName_) return;
    rootFolderName_ = value;
    if (rootFolder_ == rfManual) Rebuild();
}

void TFolderTreeViewEx::SetSelectedDir(TSelectedDir value) {
    if (value == selectedDir_) return;
    selectedDir_ = value;
    if (rootFolder_ == rfDrives) Rebuild();
}

void TFolderTreeViewEx::SetOption(Option option, bool value) {
    switch (option) {
    case Option::ShellRun:
        shellRun_ = value;
        return;
    case Option::ShowFile:
        if (value == showFile_) return;
        if (specialRoot_ && !value) return;  // a special root keeps listing its files
        showFile_ = value;
        break;
    case Option::ShowRootFolder:
        if (value == showRootFolder_) return;
        // A special root, or a manual root listing files, keeps its top node.
        if (!value && ((rootFolder_ == rfManual && showFile_) || specialRoot_)) return;
        showRootFolder_ = value;
        break;
    case Option::ShowIncludeHidden:
        if (value == showIncludeHidden_) return;
        showIncludeHidden_ = value;
        break;
    }
    Rebuild();
}

}  // namespace foldertree
