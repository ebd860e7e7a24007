// Filling the folder tree from the shell: the root, lazy enumeration of each folder on its first
// expansion, which items are listed, their images and overlays, and their order.
#include <memory>

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

// First expansion of a node: its folder is enumerated now, once.
bool TFolderTreeViewEx::CanExpand(TTreeNode& node) {
    const TTVITEMDATA* record = RecordOf(&node);
    if (record && node.HasChildren() && !node.GetFirstChild())
        AddChildren(record->ParentFolder.Get(), record->RelativeID.Get(), &node, record->AbsoluteID.Get());
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
    if (enumerated->EnumObjects(Handle(), flags, items.Put()) == S_OK && items) {
        while (const ItemIdList item = NextEnumerated(items.Get())) {
            const ULONG attributes = ItemAttributes(enumerated.Get(), item.Get(), kItemAttributeQuery);
            ItemIdList absolute;
            if (ShouldAdd(lists, enumerated.Get(), item.Get(), attributes, absolute))
                AddItem(enumerated.Get(), item.Get(), attributes, std::move(absolute), node, parentAbsolute);
        }
    }
    SortNodes(node);
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

void TFolderTreeViewEx::AddItem(IShellFolder* folder, LPCITEMIDLIST item, ULONG attributes, ItemIdList absolute,
                                TTreeNode* parent, LPCITEMIDLIST parentAbsolute) {
    std::string caption;
    if (!ItemDisplayName(folder, item, SHGDN_INFOLDER, caption)) return;
    auto record = std::make_unique<TTVITEMDATA>();
    record->ParentFolder = ComRef<IShellFolder>::Share(folder);
    // The parsed name when the desktop accepts it again (parsed by the listing test already,
    // except under a special root); else the enumerated folder's own list and the item.
    record->AbsoluteID = absolute ? std::move(absolute) : ItemAbsoluteID(folder, item);
    if (!record->AbsoluteID) record->AbsoluteID = ConcatLists(parentAbsolute, item);
    record->RelativeID = CopyFirstItem(item);
    record->Attributes = attributes;

    // The icons are asked of the shell when the node is first drawn or read (NodeImage).
    toolkit::TNodeLook look;
    look.imageIndex = I_IMAGECALLBACK;
    look.selectedIndex = I_IMAGECALLBACK;
    int overlay = 0;
    const bool shellOverlay = ItemOverlayIndex(folder, item, overlay);
    if (shellOverlay)
        look.overlayIndex = overlay;
    else if (attributes & SFGAO_SHARE)
        look.overlayIndex = 0;  // the shell's shared-item overlay
    if (showFile_) {
        if (!shellOverlay && (attributes & SFGAO_LINK)) look.overlayIndex = 1;  // shortcut arrow
        look.hasChildren = (attributes & SFGAO_HASSUBFOLDER) ||
                           ((attributes & SFGAO_FOLDER) &&
                            FolderHasMatchingFiles(folder, item, specialRoot_ ? nullptr : record->AbsoluteID.Get()));
    } else {
        look.hasChildren = (attributes & SFGAO_HASSUBFOLDER) != 0;
    }
    if (AddChild(parent, caption, record.get(), look)) record.release();
}

// With files shown a file looks the same selected; otherwise the selected image is the open one.
int TFolderTreeViewEx::NodeImage(TTreeNode& node, bool selected) {
    const TTVITEMDATA* record = RecordOf(&node);
    if (!record) return 0;
    const bool open = selected && (!showFile_ || (record->Attributes & SFGAO_FOLDER));
    return ItemIconIndex(record->AbsoluteID.Get(), open);
}

void TFolderTreeViewEx::SortNodes(TTreeNode* parent) {
    const bool filesFirst = infoViewSort_ && showFile_;
    const Comparer compare = [filesFirst](TTreeNode& a, TTreeNode& b) {
        const TTVITEMDATA* ra = RecordOf(&a);
        const TTVITEMDATA* rb = RecordOf(&b);
        if (!ra || !rb) return 0;
        return filesFirst ? CompareFilesFirst(*ra, *rb) : CompareShellOrder(*ra, *rb);
    };
    SortChildren(parent, compare);
    if (parent) return;
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext())
        if (node->HasChildren()) SortChildren(node, compare);
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
