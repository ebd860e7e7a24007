#pragma once
// TFolderTreeViewEx: a tree of one branch of the shell namespace (the root chosen by RootFolder),
// its folders and optionally its files, each folder enumerated the first time it is expanded.
// The windows that embed it learn the chosen folder from OnChange and steer it with SelectPath.
#include <windows.h>
#include <shlobj.h>
#include <oleidl.h>

#include <functional>
#include <string>
#include <vector>

#include "foldertree/ComRef.h"
#include "foldertree/ItemIdList.h"
#include "foldertree/NodeRecord.h"
#include "foldertree/RootFolders.h"
#include "foldertree/ShellItemMenu.h"
#include "toolkit/TreeView.h"

namespace foldertree {

class TDropTargetObject;
class FolderItemLists;

class TFolderTreeViewEx : public toolkit::TCustomTreeView {
public:
    // Sender and the folder's file-system path (empty for virtual folders).
    using TFolderExEvent = std::function<void(TFolderTreeViewEx& sender, const std::string& folderName)>;

    TFolderTreeViewEx();
    ~TFolderTreeViewEx() override;

    // Creates the window in `parent` and fills it from the shell. A width or height of 0 takes the
    // control's default size (153 x 185).
    void Create(toolkit::Window& parent, const toolkit::Rect& bounds);

    // Properties. Setters that change what is shown rebuild the tree at once (or when the window
    // is created, if it does not exist yet).
    bool AutoUpDate() const { return autoUpDate_; }
    void SetAutoUpDate(bool value) { autoUpDate_ = value; }
    bool ContextMenu() const { return contextMenu_; }
    void SetContextMenu(bool value) { contextMenu_ = value; }
    bool DragAndDrop() const { return dragAndDrop_; }
    void SetDragAndDrop(bool value) { dragAndDrop_ = value; }
    const std::vector<std::string>& FileMask() const { return fileMask_; }
    virtual void SetFileMask(const std::vector<std::string>& lines);
    bool InfoViewSort() const { return infoViewSort_; }
    void SetInfoViewSort(bool value);
    TRootFolder RootFolder() const { return rootFolder_; }
    virtual void SetRootFolder(TRootFolder value);
    const std::string& RootFolderName() const { return rootFolderName_; }
    void SetRootFolderName(const std::string& value);
    TSelectedDir SelectedDir() const { return selectedDir_; }
    void SetSelectedDir(TSelectedDir value);
    bool ShellRun() const { return shellRun_; }
    void SetShellRun(bool value) { SetOption(Option::ShellRun, value); }
    bool ShowFile() const { return showFile_; }
    void SetShowFile(bool value) { SetOption(Option::ShowFile, value); }
    bool ShowRootFolder() const { return showRootFolder_; }
    void SetShowRootFolder(bool value) { SetOption(Option::ShowRootFolder, value); }
    bool ShowIncludeHidden() const { return showIncludeHidden_; }
    void SetShowIncludeHidden(bool value) { SetOption(Option::ShowIncludeHidden, value); }
    bool SpecialRoot() const { return specialRoot_; }
    bool Busy() const { return busy_; }

    TFolderExEvent OnChange;
    TFolderExEvent OnClick;
    TFolderExEvent OnDblClick;

    // Selects the node of a path (walking down and expanding from the root); false, with the
    // selection unchanged, when the path is not in the tree.
    bool SelectPath(const std::string& path);
    // Re-reads the tree from the shell, keeping open branches, selection and top node as far as
    // their file-system paths allow. Waits a second for the shell to settle first.
    void RefreshTree();
    // RefreshTree after a longer wait, for shell work another program finishes.
    void DelayedRefresh();
    // The folder the events report: the selected node's path, or its caption when it has none
    // the desktop can parse; the previous answer when nothing is selected.
    virtual std::string GetFolderName();
    // The node record of a node (nullptr for none).
    static TTVITEMDATA* RecordOf(const toolkit::TTreeNode* node);

    // Shows the shell's menu of one item at a screen point and carries out the choice. `command`
    // is the chosen command (0: dismissed); true when the shell carried it out.
    bool ShowShellContextMenu(HWND window, IShellFolder* folder, LPCITEMIDLIST item, POINT screen, UINT& command);
    // The shell's menu object of the last menu shown.
    IContextMenu2* ShellMenu() const { return ShellMenu2.Get(); }
    // Drags one item out with the shell's data object; re-reads the tree afterwards when the
    // drop went to another program.
    void BeginShellDrag(HWND window, IShellFolder* folder, LPCITEMIDLIST item);
    // The drop target registered for the tree window (none before the window exists).
    TDropTargetObject* DropTargetObject() const;

    bool OnNotify(NMHDR& header, LRESULT& result) override;

protected:
    virtual bool LocatePath(const std::string& path, bool scrollToTop, bool select);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool CanExpand(toolkit::TTreeNode& node) override;
    void Change(toolkit::TTreeNode* node) override;
    void Click() override;
    void DblClick() override;
    void Edited(toolkit::TTreeNode& node, const char* text) override;
    void Deletion(toolkit::TTreeNode& node) override;
    int NodeImage(toolkit::TTreeNode& node, bool selected) override;
    bool NodeHasChildren(toolkit::TTreeNode& node) override;

private:
    enum class Option { ShellRun, ShowFile, ShowRootFolder, ShowIncludeHidden };
    void SetOption(Option option, bool value);

    // Window life.
    void CreateWnd();
    void DestroyWnd();
    void RegisterDropTarget();
    void RevokeDropTarget();

    // Population (FolderTreePopulation.cpp).
    void BeginBusy();
    void EndBusy();
    // BeginBusy .. EndBusy however the scope ends.
    class BusyScope {
    public:
        explicit BusyScope(TFolderTreeViewEx& tree) : tree_(tree) { tree_.BeginBusy(); }
        ~BusyScope() { tree_.EndBusy(); }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        TFolderTreeViewEx& tree_;
    };
    class RedrawPause;
    void Rebuild();
    void Populate();
    void PopulateStandardRoot();
    void PopulateSpecialRoot();
    ItemIdList GetRootID(IShellFolder* desktop);
    ItemIdList ReadyRoot(ComRef<IShellFolder>& desktop);
    bool RootQualifies(LPCITEMIDLIST root);
    // Lists what `folder` binds `relative` to under `node`; `parentAbsolute` is the list of the
    // folder enumerated (node's AbsoluteID), which items without a parsing name extend.
    void AddChildren(IShellFolder* folder, LPCITEMIDLIST relative, toolkit::TTreeNode* node,
                     LPCITEMIDLIST parentAbsolute);
    struct PendingNode;
    PendingNode ReadItem(IShellFolder* folder, LPCITEMIDLIST item, ULONG attributes, ItemIdList absolute,
                         LPCITEMIDLIST parentAbsolute);
    bool ShouldAdd(const FolderItemLists& lists, IShellFolder* folder, LPCITEMIDLIST item, ULONG attributes,
                   ItemIdList& absolute);
    void SortPending(std::vector<PendingNode>& pending) const;
    void InsertPending(std::vector<PendingNode>& pending, toolkit::TTreeNode* parent);
    void ApplyOverlay(toolkit::TTreeNode& node, const TTVITEMDATA& record);
    // `itemAbsolute` is the item's own list (none under a special root: its files are then
    // parsed from the desktop).
    bool FolderHasMatchingFiles(IShellFolder* folder, LPCITEMIDLIST item, LPCITEMIDLIST itemAbsolute);
    bool MatchesFileMask(IShellFolder* folder, LPCITEMIDLIST item);
    void SelectStartDrive();

    // Selection, events and rename (FolderTreeSelection.cpp).
    toolkit::TTreeNode* FindSiblingNode(toolkit::TTreeNode* node, LPCITEMIDLIST item);
    void OpenDeepestFirst(const std::vector<toolkit::TTreeNode*>& path);
    toolkit::TTreeNode* LocateRootPrefix(LPCITEMIDLIST root, LPCITEMIDLIST target,
                                         LPCITEMIDLIST& rest, bool& complete);
    void RunSelected();
    void CommitRename(toolkit::TTreeNode& node, const std::string& text);

    // Refresh (FolderTreeRefresh.cpp).
    void ReloadTree(toolkit::TTreeNode* selected);
    void PostRefresh();
    // After a drop onto the tree: at once, or posted while the tree's own drag runs (the native
    // tree is still inside its begin-drag notification, and its items must stay).
    void RefreshAfterDrop();
    bool HandleRefreshMessage(UINT message);
    void RestoreState(const std::vector<std::string>& paths, const std::string& selPath,
                      const std::string& topPath);

    // Context menu (ShellContextMenu.cpp) and drag and drop: the right button and begin-drag
    // reach these.
    void RightButtonDown(int x, int y);
    void ReactToMenuCommand(MenuReaction reaction);
    static LRESULT CALLBACK OwnerWndProcStub(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OwnerMenuWndProc(UINT message, WPARAM wParam, LPARAM lParam);
    void BeginDrag(toolkit::TTreeNode& node);
    friend class TDropTargetObject;  // keeps DropHighlightNode

    ComRef<IContextMenu2> ShellMenu2;
    bool autoUpDate_ = true;
    bool dragAndDrop_ = true;
    bool draggingOut_ = false;  // inside BeginShellDrag's drag loop
    toolkit::TTreeNode* DropHighlightNode = nullptr;
    ComRef<IDropTarget> DropTarget;
    bool contextMenu_ = true;
    bool busy_ = false;
    std::string LastFolderName;
    bool infoViewSort_ = false;
    std::string rootFolderName_;
    TRootFolder rootFolder_ = rfDrives;
    TSelectedDir selectedDir_ = sdNone;
    bool shellRun_ = false;
    bool showFile_ = false;
    bool showRootFolder_ = true;
    bool specialRoot_ = false;
    bool showIncludeHidden_ = true;
    std::vector<std::string> fileMask_;
    WNDPROC SavedOwnerWndProc = nullptr;  // the owner's procedure while a shell menu is tracked
    HWND OwnerWindow = nullptr;
};

}  // namespace foldertree
