// Filling the folder tree from the shell: the root, lazy enumeration of each folder on its first
// expansion, which items are listed, their images and overlays, and their order.
#include <algorithm>
#include <memory>
#include <vector>

#include "foldertree/FTVEX_D3.h"
#include "foldertree/FileExtension.h"
#include "foldertree/NodeComparers.h"
#include "foldertree/ShellItems.h"
#include "toolkit/Application.h"

namespace foldertree {

using toolkit::TTreeNode;

// ---- Busy state: redrawing off and the hourglass over long shell work, once for nested work.

void TFolderTreeViewEx::BeginBusy() {
    busy_ = true;
    toolkit::Application::Instance().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
    PauseDrawing();
}

void TFolderTreeViewEx::EndBusy() {
    ResumeDrawing();
    toolkit::Application::Instance().SetScreenCursor(nullptr);
    busy_ = false;
}

// The same settings for one enumeration, unless a busy bracket already holds them.
class TFolderTreeViewEx::RedrawPause {
public:
    explicit RedrawPause(TFolderTreeViewEx& tree) : tree_(tree), active_(!tree.busy_) {
        if (!active_) return;
        toolkit::Application::Instance().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
        tree_.PauseDrawing();
    }
    ~RedrawPause() {
        if (!active_) return;
        tree_.ResumeDrawing();
        toolkit::Application::Instance().SetScreenCursor(nullptr);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    TFolderTreeViewEx& tree_;
    bool active_;
};

// Before the window exists there is nothing to fill: its creation rebuilds.
void TFolderTreeViewEx::Rebuild() {
    if (!Handle()) return;
    BusyScope busy(*this);
    Populate();
}

void TFolderTreeViewEx::Populate() {
    if (specialRoot_)
        PopulateSpecialRoot();
    else
        PopulateStandardRoot();
}

ItemIdList TFolderTreeViewEx::GetRootID(IShellFolder* desktop) {
    if (rootFolder_ == rfManual && !rootFolderName_.empty() && desktop) {
        std::wstring name = ToWide(rootFolderName_);
        ItemIdList parsed;
        ULONG eaten = 0;
        ULONG attributes = 0;
        if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, name.data(), &eaten, parsed.Put(), &attributes)) &&
            RootQualifies(parsed.Get()))
            return parsed;
    }
    ItemIdList root;
    if (FAILED(SHGetSpecialFolderLocation(Handle(), kRootFolderCsidl[rootFolder_], root.Put()))) root.Reset();
    return root;
}

// A root worth showing has sub-folders, or is a folder shown as the top node, or holds files
// the tree would list.
bool TFolderTreeViewEx::RootQualifies(LPCITEMIDLIST root) {
    const ContainedItem last = WalkToLastItem(root);
    if (!last.folder) return false;
    const ULONG attributes =
        ItemAttributes(last.folder.Get(), last.item.Get(), SFGAO_HASSUBFOLDER | SFGAO_FOLDER);
    if (attributes & SFGAO_HASSUBFOLDER) return true;
    if (showRootFolder_ && (attributes & SFGAO_FOLDER)) return true;
    return showFile_ && FolderHasMatchingFiles(last.folder.Get(), last.item.Get(), root);
}

// The root's item-ID list, once the desktop, the task allocator and the root's name can be had;
// an empty list when any cannot, and the tree is left as it is.
ItemIdList TFolderTreeViewEx::ReadyRoot(ComRef<IShellFolder>& desktop) {
    desktop = DesktopFolder();
    if (!desktop || !TaskAllocator().Available()) return {};
    ItemIdList root = GetRootID(desktop.Get());
    std::string name;
    if (!root || !ItemDisplayName(desktop.Get(), root.Get(), SHGDN_INFOLDER, name)) return {};
    return root;
}

void TFolderTreeViewEx::PopulateStandardRoot() {
    ComRef<IShellFolder> desktop;
    const ItemIdList root = ReadyRoot(desktop);
    if (!root) return;
    ClearNodes();

    ContainedItem last = WalkToLastItem(root.Get());
    auto record = std::make_unique<TTVITEMDATA>();
    record->ParentFolder = std::move(last.folder);
    record->RelativeID = CopyFirstItem(last.item.Get());
    record->AbsoluteID = CopyList(root.Get());
    record->Attributes = ItemAttributes(record->ParentFolder.Get(), record->RelativeID.Get(), kItemAttributeQuery);
    int normal = 0, open = 0;
    ItemIconIndexes(root.Get(), normal, open);

    // Without a top node the root's record serves only to enumerate its children.
    TTreeNode* top = nullptr;
    const TTVITEMDATA& rootRecord = *record;
    std::unique_ptr<TTVITEMDATA> unattached;
    if (showRootFolder_) {
        top = AddChild(nullptr, ShellDisplayName(root.Get()));
        if (!top) return;
        top->SetData(record.release());
        top->SetImageIndex(normal);
        top->SetSelectedIndex(open);
    } else {
        unattached = std::move(record);
    }
    AddChildren(rootRecord.ParentFolder.Get(), rootRecord.RelativeID.Get(), top, rootRecord.AbsoluteID.Get());

    FullCollapse();
    if (showRootFolder_)
        if (TTreeNode* first = GetFirstNode()) first->Expand(false);
    if (rootFolder_ == rfDrives) SelectStartDrive();
}

// After a rebuild of the computer folder: the drive of the system directory, or of the current
// directory, selected and opened.
void TFolderTreeViewEx::SelectStartDrive() {
    char folder[MAX_PATH + 1] = {};
    if (selectedDir_ == sdSystem)
        GetSystemDirectoryA(folder, MAX_PATH);
    else if (selectedDir_ == sdCurrent)
        GetCurrentDirectoryA(MAX_PATH, folder);
    else
        return;
    SelectPath(std::string(folder).substr(0, 3));
    if (TTreeNode* selected = Selected()) selected->Expand(false);
}

void TFolderTreeViewEx::PopulateSpecialRoot() {
    ComRef<IShellFolder> desktop;
    const ItemIdList root = ReadyRoot(desktop);
    if (!root) return;
    auto record = std::make_unique<TTVITEMDATA>();
    ClearNodes();

    if (rootFolder_ == rf_Bitbucket) {
        record->ParentFolder = desktop;
        record->RelativeID = CopyList(root.Get());
    } else {
        // Control panel and printers lie in the computer folder: two items.
        const ItemIdList computer = CopyFirstItem(root.Get());
        record->ParentFolder = BindToFolder(desktop.Get(), computer.Get());
        if (!record->ParentFolder) return;
        record->RelativeID = CopyFirstItem(NextItem(root.Get()));
    }
    record->AbsoluteID = CopyList(root.Get());
    record->Attributes = ItemAttributes(record->ParentFolder.Get(), record->RelativeID.Get(), kItemAttributeQuery);
    int normal = 0, open = 0;
    ItemIconIndexes(root.Get(), normal, open);
    const LPCITEMIDLIST absolute = record->AbsoluteID.Get();
    TTreeNode* top = AddChild(nullptr, ShellDisplayName(root.Get()));
    if (!top) return;
    top->SetData(record.release());
    top->SetImageIndex(normal);
    top->SetSelectedIndex(open);
    AddChildren(desktop.Get(), absolute, top, absolute);
    FullCollapse();
    if (TTreeNode* first = GetFirstNode()) first->Expand(false);
}

// First expansion of a node: its folder is enumerated now, once. A button shown before the
// children were counted goes when there are none.
bool TFolderTreeViewEx::CanExpand(TTreeNode& node) {
    const TTVITEMDATA* record = RecordOf(&node);
    if (record && node.HasChildren() && !node.GetFirstChild()) {
        AddChildren(record->ParentFolder.Get(), record->RelativeID.Get(), &node, record->AbsoluteID.Get());
        if (!node.GetFirstChild()) node.SetHasChildren(false);
    }
    return true;
}

namespace {
// One enumerated item, freed however the loop goes on.
ItemIdList NextEnumerated(IEnumIDList* items) {
    ItemIdList item;
    ULONG fetched = 0;
    if (items->Next(1, item.Put(), &fetched) != S_OK || fetched != 1) item.Reset();
    return item;
}
}  // namespace

// One item read from the folder, waiting for its place among its siblings.
struct TFolderTreeViewEx::PendingNode {
    std::string caption;
    std::unique_ptr<TTVITEMDATA> record;
};

void TFolderTreeViewEx::AddChildren(IShellFolder* folder, LPCITEMIDLIST relative, TTreeNode* node,
                                    LPCITEMIDLIST parentAbsolute) {
    if (!TaskAllocator().Available()) return;
    RedrawPause pause(*this);
    const ComRef<IShellFolder> enumerated = BindToFolder(folder, relative);
    if (!enumerated) return;

    DWORD flags = SHCONTF_FOLDERS;
    if (specialRoot_ || showIncludeHidden_) flags |= SHCONTF_INCLUDEHIDDEN;
    if (showFile_) flags |= SHCONTF_NONFOLDERS;
    ComRef<IEnumIDList> items;
    const FolderItemLists lists(enumerated.Get(), parentAbsolute);
    std::vector<PendingNode> pending;
    if (enumerated->EnumObjects(Handle(), flags, items.Put()) == S_OK && items) {
        while (const ItemIdList item = NextEnumerated(items.Get())) {
            const ULONG attributes = ItemAttributes(enumerated.Get(), item.Get(), kItemAttributeQuery);
            ItemIdList absolute;
            if (!ShouldAdd(lists, enumerated.Get(), item.Get(), attributes, absolute)) continue;
            PendingNode entry = ReadItem(enumerated.Get(), item.Get(), attributes, std::move(absolute), parentAbsolute);
            if (entry.record) pending.push_back(std::move(entry));
        }
    }
    SortPending(pending);
    InsertPending(pending, node);
}

// Under a standard root only items reachable from a path, and only folders, or files matching
// the mask when files are shown. The list the path test parsed is kept: it is the item's
// AbsoluteID.
bool TFolderTreeViewEx::ShouldAdd(const FolderItemLists& lists, IShellFolder* folder, LPCITEMIDLIST item,
                                  ULONG attributes, ItemIdList& absolute) {
    if (specialRoot_) return true;
    absolute = lists.AbsoluteID(item);
    if (!absolute) return false;
    if (attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER)) return true;
    if (!showFile_ || !(attributes & SFGAO_FILESYSTEM)) return false;
    return fileMask_.empty() || MatchesFileMask(folder, item);
}

// The item's caption and record; no record when the folder gives no caption.
TFolderTreeViewEx::PendingNode TFolderTreeViewEx::ReadItem(IShellFolder* folder, LPCITEMIDLIST item, ULONG attributes,
                                                           ItemIdList absolute, LPCITEMIDLIST parentAbsolute) {
    PendingNode entry;
    if (!ItemDisplayName(folder, item, SHGDN_INFOLDER, entry.caption)) return entry;
    entry.record = std::make_unique<TTVITEMDATA>();
    TTVITEMDATA& record = *entry.record;
    record.ParentFolder = ComRef<IShellFolder>::Share(folder);
    // The parsed name when the desktop accepts it again (parsed by the listing test already,
    // except under a special root); else the enumerated folder's own list and the item.
    record.AbsoluteID = absolute ? std::move(absolute) : ItemAbsoluteID(folder, item);
    if (!record.AbsoluteID) record.AbsoluteID = ConcatLists(parentAbsolute, item);
    record.RelativeID = CopyFirstItem(item);
    record.Attributes = attributes;
    return entry;
}

// The siblings are put in order once, before any is inserted: the tree's own sort would ask the
// folder again at every comparison of nodes. Stable, so items the folder calls equal keep the
// order it listed them in.
void TFolderTreeViewEx::SortPending(std::vector<PendingNode>& pending) const {
    const bool filesFirst = infoViewSort_ && showFile_;
    std::stable_sort(pending.begin(), pending.end(), [filesFirst](const PendingNode& a, const PendingNode& b) {
        return (filesFirst ? CompareFilesFirst(*a.record, *b.record) : CompareShellOrder(*a.record, *b.record)) < 0;
    });
}

// Each node goes in with its caption and record only: its images, overlay and button are asked
// of the shell when it is first drawn or read (NodeImage, NodeHasChildren), so only the rows
// someone sees cost that.
void TFolderTreeViewEx::InsertPending(std::vector<PendingNode>& pending, TTreeNode* parent) {
    toolkit::TNodeLook look;
    look.imageIndex = I_IMAGECALLBACK;
    look.selectedIndex = I_IMAGECALLBACK;
    look.childrenDeferred = true;
    for (PendingNode& entry : pending)
        if (AddChild(parent, entry.caption, entry.record.get(), look)) entry.record.release();
}

// The normal image comes with the overlay: a shared item shows the shell's shared overlay, and
// with files shown a shortcut its arrow, when the shell gives none of its own.
int TFolderTreeViewEx::NodeImage(TTreeNode& node, bool selected) {
    const TTVITEMDATA* record = RecordOf(&node);
    if (!record) return 0;
    if (!selected) ApplyOverlay(node, *record);
    const bool open = selected && (!showFile_ || (record->Attributes & SFGAO_FOLDER));
    // The shell's full lookup costs tens of milliseconds a row under Wine, more the larger the
    // folder; a plain folder's closed icon is known without it. The open icon is asked for the
    // selected row alone.
    if (!open && (record->Attributes & SFGAO_FILESYSTEM) && (record->Attributes & SFGAO_FOLDER) &&
        ShowsPlainFolderIcon(record->ParentFolder.Get(), record->RelativeID.Get()))
        return PlainFolderIconIndex();
    return ItemIconIndex(record->AbsoluteID.Get(), open);
}

void TFolderTreeViewEx::ApplyOverlay(TTreeNode& node, const TTVITEMDATA& record) {
    int overlay = -1;
    if (!ItemOverlayIndex(record.ParentFolder.Get(), record.RelativeID.Get(), overlay)) {
        overlay = -1;
        if (record.Attributes & SFGAO_SHARE) overlay = 0;  // the shell's shared-item overlay
        if (showFile_ && (record.Attributes & SFGAO_LINK)) overlay = 1;  // shortcut arrow
    }
    if (overlay >= 0) node.SetOverlayIndex(overlay);
}

// A folder with sub-folders has a button; with files shown, also one holding a file that would
// be listed.
bool TFolderTreeViewEx::NodeHasChildren(TTreeNode& node) {
    const TTVITEMDATA* record = RecordOf(&node);
    if (!record) return false;
    if (record->Attributes & SFGAO_HASSUBFOLDER) return true;
    if (!showFile_ || !(record->Attributes & SFGAO_FOLDER)) return false;
    // The item's folder is its node's record's folder; its own list unless under a special root.
    return FolderHasMatchingFiles(record->ParentFolder.Get(), record->RelativeID.Get(),
                                  specialRoot_ ? nullptr : record->AbsoluteID.Get());
}

bool TFolderTreeViewEx::FolderHasMatchingFiles(IShellFolder* folder, LPCITEMIDLIST item,
                                               LPCITEMIDLIST itemAbsolute) {
    const ComRef<IShellFolder> inner = BindToFolder(folder, item);
    if (!inner) return false;
    const FolderItemLists lists(inner.Get(), itemAbsolute);
    const DWORD flags = showIncludeHidden_ ? SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN : SHCONTF_NONFOLDERS;
    ComRef<IEnumIDList> files;
    if (inner->EnumObjects(Handle(), flags, files.Put()) != S_OK || !files) return false;
    while (const ItemIdList file = NextEnumerated(files.Get())) {
        const ULONG attributes = ItemAttributes(inner.Get(), file.Get(), SFGAO_FILESYSTEM | SFGAO_FOLDER);
        if (!(attributes & SFGAO_FILESYSTEM)) continue;
        const bool candidate = fileMask_.empty() || (attributes & SFGAO_FOLDER) ||
                               MatchesFileMask(inner.Get(), file.Get());
        if (candidate && lists.AbsoluteID(file.Get())) return true;
    }
    return false;
}

namespace {
std::string UpperCase(std::string text) {
    if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}
}  // namespace

// Mask lines are extensions with their dot (".ico"), compared without regard to letter case.
bool TFolderTreeViewEx::MatchesFileMask(IShellFolder* folder, LPCITEMIDLIST item) {
    const std::string name = ItemParsingName(folder, item);
    if (name.empty()) return false;
    const std::string extension = FileExtension(name, toolkit::SystemLeadBytes());
    if (extension.empty()) return false;
    const std::string upper = UpperCase(extension);
    for (const std::string& line : fileMask_)
        if (UpperCase(line) == upper) return true;
    return false;
}

}  // namespace foldertree
