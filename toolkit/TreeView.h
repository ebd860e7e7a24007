#pragma once
// The tree-view base class over the native tree control: TTreeNode objects (caption, image
// indexes, overlay, has-children, one data pointer) kept in the native items' parameters,
// insertion, sorting with a comparer, expand and collapse, top item, selection, hit test and
// label editing. The native notifications reach the typed hooks below.
#include <functional>
#include <string>

#include "toolkit/Control.h"

namespace toolkit {

class TCustomTreeView;

// What a node shows, given when it is inserted, in one step. An image index of I_IMAGECALLBACK
// is left to the tree view's NodeImage, and a deferred button to its NodeHasChildren, each asked
// when the node is first drawn or read.
struct TNodeLook {
    int imageIndex = 0;
    int selectedIndex = 0;
    int overlayIndex = -1;  // counted from 0; -1 for none
    bool hasChildren = false;
    bool childrenDeferred = false;  // hasChildren is then ignored
};

class TTreeNode {
public:
    TTreeNode(TCustomTreeView& owner, HTREEITEM item) : owner_(owner), item_(item) {}
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    HTREEITEM ItemId() const { return item_; }
    TCustomTreeView& TreeView() const { return owner_; }

    std::string Text() const;
    void SetText(const std::string& text);
    int ImageIndex() const;
    void SetImageIndex(int index);
    int SelectedIndex() const;
    void SetSelectedIndex(int index);
    // The overlay number counted from 0 (the image list's overlay image number + 1), -1 for none.
    // A node whose image is deferred gets its overlay with its image.
    int OverlayIndex() const;
    void SetOverlayIndex(int index);
    bool HasChildren() const;
    void SetHasChildren(bool hasChildren);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

    TTreeNode* Parent() const;
    TTreeNode* GetFirstChild() const;
    TTreeNode* GetNextSibling() const;
    // The next node in display order (depth first), collapsed branches included.
    TTreeNode* GetNext() const;
    int Level() const;
    int Count() const;

    bool Expanded() const;
    // Expands one level (every level with `recurse`), asking the tree's CanExpand first.
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetFocused(bool focused);
    void SetDropTarget(bool dropTarget);
    // All ancestors expanded: the tree can report the node's rectangle.
    bool IsVisible() const;
    // Starts editing the caption in place, also in a read-only tree.
    void EditText();
    void Delete();
    void DeleteChildren();

private:
    friend class TCustomTreeView;
    UINT State(UINT mask) const;
    void SetState(UINT state, UINT mask);
    // TVIF_IMAGE or TVIF_SELECTEDIMAGE; a deferred one is resolved and kept.
    int Image(UINT which) const;
    void SetImage(UINT which, int index) const;

    TCustomTreeView& owner_;
    HTREEITEM item_;
    void* data_ = nullptr;
};

class TCustomTreeView : public Control {
public:
    using Comparer = std::function<int(TTreeNode& a, TTreeNode& b)>;

    ~TCustomTreeView() override;

    TTreeNode* AddChild(TTreeNode* parent, const std::string& text, void* data = nullptr);
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text, void* data, const TNodeLook& look);
    TTreeNode* GetFirstNode() const;
    int NodeCount() const { return static_cast<int>(Send(TVM_GETCOUNT)); }
    void ClearNodes();
    void FullCollapse();
    // Sorts the children of `parent` (the top-level nodes for nullptr) with `compare`.
    void SortChildren(TTreeNode* parent, const Comparer& compare);

    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* node);
    TTreeNode* GetNodeAt(int x, int y) const;
    // The node of the row at (x, y), also beside its caption or in its indent; nullptr below the
    // last row.
    TTreeNode* HitTestNode(int x, int y) const;
    TTreeNode* NodeFromHandle(HTREEITEM item) const;
    // The node of a notification's item descriptor: its parameter when it carries one.
    TTreeNode* NodeFromItem(const TVITEMA& item) const;

    void SetImages(HIMAGELIST images) { Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images)); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // The indent in pixels as shown; set as designed (at 96 DPI).
    int Indent() const { return static_cast<int>(Send(TVM_GETINDENT)); }
    void SetIndent(int indent);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hide);
    HWND EditControl() const { return reinterpret_cast<HWND>(Send(TVM_GETEDITCONTROL)); }
    // Long changes of many nodes: the tree draws nothing, its scroll bars included, until
    // ResumeDrawing lays it out and has it drawn once. Pairs nest; only the outermost pair acts.
    void PauseDrawing();
    void ResumeDrawing();

    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void ApplyDpi(int previousDpi) override;

protected:
    friend class TTreeNode;
    void CreateTree(Window& parent, const Rect& bounds);
    // The nodes go (with their deletion hooks) before the native window does.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Typed hooks of the native notifications.
    virtual bool CanExpand(TTreeNode& /*node*/) { return true; }
    virtual void Change(TTreeNode* /*node*/) {}
    virtual void Click() {}
    virtual void DblClick() {}
    // The end of an in-place edit: `text` is nullptr when it was cancelled. The base takes a new
    // text as the caption.
    virtual void Edited(TTreeNode& node, const char* text);
    // A node is going; its TTreeNode object is deleted right after.
    virtual void Deletion(TTreeNode& /*node*/) {}
    // The image of a node inserted with I_IMAGECALLBACK: the normal one, or the one shown while
    // it is selected.
    virtual int NodeImage(TTreeNode& /*node*/, bool /*selected*/) { return 0; }
    // The button of a node inserted with its children deferred.
    virtual bool NodeHasChildren(TTreeNode& /*node*/) { return false; }

private:
    void ApplyIndent();
    static int CALLBACK CompareNodes(LPARAM a, LPARAM b, LPARAM compare);

    bool readOnly_ = false;
    bool hideSelection_ = true;
    int indent_ = -1;
    bool editRequested_ = false;
    int drawingPauses_ = 0;
    bool hiddenWhilePaused_ = false;
};

}  // namespace toolkit
