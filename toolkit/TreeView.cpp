#include "toolkit/TreeView.h"

#include <climits>
#include <cstring>

namespace toolkit {

// ---- TTreeNode: every property but the data pointer lives in the native item.

namespace {
TVITEMA ItemQuery(HTREEITEM item, UINT mask) {
    TVITEMA query{};
    query.mask = mask | TVIF_HANDLE;
    query.hItem = item;
    return query;
}
}  // namespace

std::string TTreeNode::Text() const {
    char text[1024] = {};
    TVITEMA item = ItemQuery(item_, TVIF_TEXT);
    item.pszText = text;
    item.cchTextMax = sizeof text;
    owner_.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

void TTreeNode::SetText(const std::string& text) {
    std::string copy = text;
    TVITEMA item = ItemQuery(item_, TVIF_TEXT);
    item.pszText = copy.data();
    owner_.Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int TTreeNode::ImageIndex() const { return Image(TVIF_IMAGE); }
void TTreeNode::SetImageIndex(int index) { SetImage(TVIF_IMAGE, index); }
int TTreeNode::SelectedIndex() const { return Image(TVIF_SELECTEDIMAGE); }
void TTreeNode::SetSelectedIndex(int index) { SetImage(TVIF_SELECTEDIMAGE, index); }

// A deferred image is resolved by whoever reads it first, the drawing or the program, and kept:
// both see the same index.
int TTreeNode::Image(UINT which) const {
    TVITEMA item = ItemQuery(item_, which);
    owner_.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    int index = which == TVIF_IMAGE ? item.iImage : item.iSelectedImage;
    if (index != I_IMAGECALLBACK) return index;
    index = owner_.NodeImage(const_cast<TTreeNode&>(*this), which == TVIF_SELECTEDIMAGE);
    SetImage(which, index);
    return index;
}

void TTreeNode::SetImage(UINT which, int index) const {
    TVITEMA item = ItemQuery(item_, which);
    (which == TVIF_IMAGE ? item.iImage : item.iSelectedImage) = index;
    owner_.Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int TTreeNode::OverlayIndex() const {
    Image(TVIF_IMAGE);
    return static_cast<int>((State(TVIS_OVERLAYMASK) & TVIS_OVERLAYMASK) >> 8) - 1;
}

void TTreeNode::SetOverlayIndex(int index) {
    SetState(index < 0 ? 0 : INDEXTOOVERLAYMASK(index + 1), TVIS_OVERLAYMASK);
}

// A deferred button is decided by whoever asks first, the drawing or the program, and kept.
bool TTreeNode::HasChildren() const {
    TVITEMA item = ItemQuery(item_, TVIF_CHILDREN);
    owner_.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (item.cChildren != I_CHILDRENCALLBACK) return item.cChildren != 0;
    const bool hasChildren = owner_.NodeHasChildren(const_cast<TTreeNode&>(*this));
    const_cast<TTreeNode&>(*this).SetHasChildren(hasChildren);
    return hasChildren;
}

void TTreeNode::SetHasChildren(bool hasChildren) {
    TVITEMA item = ItemQuery(item_, TVIF_CHILDREN);
    item.cChildren = hasChildren ? 1 : 0;
    owner_.Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

UINT TTreeNode::State(UINT mask) const {
    return static_cast<UINT>(owner_.Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), mask));
}

void TTreeNode::SetState(UINT state, UINT mask) {
    TVITEMA item = ItemQuery(item_, TVIF_STATE);
    item.state = state;
    item.stateMask = mask;
    owner_.Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

namespace {
HTREEITEM NextItem(const TCustomTreeView& tree, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(
        tree.Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}
}  // namespace

TTreeNode* TTreeNode::Parent() const { return owner_.NodeFromHandle(NextItem(owner_, item_, TVGN_PARENT)); }
TTreeNode* TTreeNode::GetFirstChild() const { return owner_.NodeFromHandle(NextItem(owner_, item_, TVGN_CHILD)); }
TTreeNode* TTreeNode::GetNextSibling() const { return owner_.NodeFromHandle(NextItem(owner_, item_, TVGN_NEXT)); }

TTreeNode* TTreeNode::GetNext() const {
    if (TTreeNode* child = GetFirstChild()) return child;
    for (const TTreeNode* node = this; node; node = node->Parent())
        if (TTreeNode* sibling = node->GetNextSibling()) return sibling;
    return nullptr;
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* parent = Parent(); parent; parent = parent->Parent()) ++level;
    return level;
}

int TTreeNode::Count() const {
    int count = 0;
    for (TTreeNode* child = GetFirstChild(); child; child = child->GetNextSibling()) ++count;
    return count;
}

bool TTreeNode::Expanded() const { return (State(TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }

void TTreeNode::Expand(bool recurse) {
    if (HasChildren() && owner_.CanExpand(*this))
        owner_.Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
    if (!recurse) return;
    for (TTreeNode* child = GetFirstChild(); child; child = child->GetNextSibling()) child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    owner_.Send(TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
    if (!recurse) return;
    for (TTreeNode* child = GetFirstChild(); child; child = child->GetNextSibling()) child->Collapse(true);
}

bool TTreeNode::Selected() const { return owner_.Selected() == this; }

// The item state bit the native tree draws a focus frame for (not named by the platform headers).
constexpr UINT kFocusedState = 0x0001;

void TTreeNode::SetFocused(bool focused) { SetState(focused ? kFocusedState : 0, kFocusedState); }

void TTreeNode::SetDropTarget(bool dropTarget) {
    owner_.Send(TVM_SELECTITEM, TVGN_DROPHILITE, dropTarget ? reinterpret_cast<LPARAM>(item_) : 0);
}

bool TTreeNode::IsVisible() const {
    RECT r{};
    std::memcpy(&r, &item_, sizeof item_);  // the message takes the item in the rectangle's place
    return owner_.Send(TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&r)) != FALSE;
}

void TTreeNode::EditText() {
    owner_.editRequested_ = true;
    owner_.Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item_));
    owner_.editRequested_ = false;
}

void TTreeNode::Delete() { owner_.Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item_)); }

void TTreeNode::DeleteChildren() {
    while (TTreeNode* child = GetFirstChild()) child->Delete();
}

// ---- TCustomTreeView

TCustomTreeView::~TCustomTreeView() {
    if (Handle()) ClearNodes();  // the deletion notifications still reach this object
}

void TCustomTreeView::CreateTree(Window& parent, const Rect& bounds) {
    DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | WS_TABSTOP;
    if (!hideSelection_) style |= TVS_SHOWSELALWAYS;
    CreateControl(parent, WC_TREEVIEWA, style, WS_EX_CLIENTEDGE, bounds);
    ApplyIndent();
}

void TCustomTreeView::ApplyDpi(int previousDpi) {
    Control::ApplyDpi(previousDpi);
    ApplyIndent();
}

LRESULT TCustomTreeView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ClearNodes();
    return Control::HandleMessage(message, wParam, lParam);
}

TTreeNode* TCustomTreeView::AddChild(TTreeNode* parent, const std::string& text, void* data) {
    return AddChild(parent, text, data, TNodeLook{});
}

TTreeNode* TCustomTreeView::AddChild(TTreeNode* parent, const std::string& text, void* data,
                                     const TNodeLook& look) {
    std::string caption = text;
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent->ItemId() : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    insert.item.pszText = caption.data();
    insert.item.iImage = look.imageIndex;
    insert.item.iSelectedImage = look.selectedIndex;
    insert.item.cChildren = look.childrenDeferred ? I_CHILDRENCALLBACK : look.hasChildren ? 1 : 0;
    insert.item.state = look.overlayIndex < 0 ? 0 : INDEXTOOVERLAYMASK(look.overlayIndex + 1);
    insert.item.stateMask = TVIS_OVERLAYMASK;
    auto* node = new TTreeNode(*this, nullptr);
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    auto item = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!item) {
        delete node;
        return nullptr;
    }
    node->item_ = item;
    node->SetData(data);
    return node;
}

TTreeNode* TCustomTreeView::GetFirstNode() const { return NodeFromHandle(NextItem(*this, nullptr, TVGN_ROOT)); }

void TCustomTreeView::ClearNodes() { Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

void TCustomTreeView::FullCollapse() {
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNextSibling()) node->Collapse(true);
}

int CALLBACK TCustomTreeView::CompareNodes(LPARAM a, LPARAM b, LPARAM compare) {
    return (*reinterpret_cast<const Comparer*>(compare))(*reinterpret_cast<TTreeNode*>(a),
                                                         *reinterpret_cast<TTreeNode*>(b));
}

void TCustomTreeView::SortChildren(TTreeNode* parent, const Comparer& compare) {
    TVSORTCB sort{};
    sort.hParent = parent ? parent->ItemId() : TVI_ROOT;
    sort.lpfnCompare = &TCustomTreeView::CompareNodes;
    sort.lParam = reinterpret_cast<LPARAM>(&compare);
    Send(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

TTreeNode* TCustomTreeView::Selected() const { return NodeFromHandle(NextItem(*this, nullptr, TVGN_CARET)); }

void TCustomTreeView::SetSelected(TTreeNode* node) {
    Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->ItemId() : nullptr));
}

TTreeNode* TCustomTreeView::TopItem() const { return NodeFromHandle(NextItem(*this, nullptr, TVGN_FIRSTVISIBLE)); }

void TCustomTreeView::SetTopItem(TTreeNode* node) {
    if (!node) return;
    const auto item = reinterpret_cast<LPARAM>(node->ItemId());
    Send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, item);
    if (TopItem() == node) return;
    // Wine's tree ignores the request for its selected node: it is scrolled to by its row instead.
    // Near the end either way stops short, as every tree keeps its last page full.
    Send(TVM_ENSUREVISIBLE, 0, item);
    int row = 0;
    for (HTREEITEM at = NextItem(*this, nullptr, TVGN_ROOT); at && at != node->ItemId();
         at = NextItem(*this, at, TVGN_NEXTVISIBLE))
        ++row;
    if (row <= SHRT_MAX) Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, row));
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const {
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    auto item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (!(hit.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON))) return nullptr;
    return NodeFromHandle(item);
}

TTreeNode* TCustomTreeView::HitTestNode(int x, int y) const {
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    return NodeFromHandle(reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
}

TTreeNode* TCustomTreeView::NodeFromHandle(HTREEITEM item) const {
    if (!item) return nullptr;
    TVITEMA query = ItemQuery(item, TVIF_PARAM);
    if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
    return reinterpret_cast<TTreeNode*>(query.lParam);
}

TTreeNode* TCustomTreeView::NodeFromItem(const TVITEMA& item) const {
    if (item.mask & TVIF_PARAM) return reinterpret_cast<TTreeNode*>(item.lParam);
    return NodeFromHandle(item.hItem);
}

void TCustomTreeView::SetIndent(int indent) {
    indent_ = indent;
    ApplyIndent();
}

void TCustomTreeView::ApplyIndent() {
    if (Handle() && indent_ >= 0) Send(TVM_SETINDENT, Scale(indent_));
}

// With only the native tree's own redraw switch off, Wine's tree still lays out and draws its
// scroll bars at every change (some 8 ms a draw there). A window marked not visible as well draws
// nothing; on resuming, the tree lays itself out unseen and is then drawn once, frame and all.
void TCustomTreeView::PauseDrawing() {
    if (drawingPauses_++ > 0 || !Handle()) return;
    Send(WM_SETREDRAW, FALSE);
    hiddenWhilePaused_ = (GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (hiddenWhilePaused_) DefWindowProcA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TCustomTreeView::ResumeDrawing() {
    if (drawingPauses_ == 0 || --drawingPauses_ > 0 || !Handle()) return;
    Send(WM_SETREDRAW, TRUE);
    if (!hiddenWhilePaused_) return;
    hiddenWhilePaused_ = false;
    DefWindowProcA(Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TCustomTreeView::SetHideSelection(bool hide) {
    hideSelection_ = hide;
    if (!Handle()) return;
    LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    style = hide ? (style & ~TVS_SHOWSELALWAYS) : (style | TVS_SHOWSELALWAYS);
    SetWindowLongPtrA(Handle(), GWL_STYLE, style);
}

void TCustomTreeView::Edited(TTreeNode& node, const char* text) {
    if (text) node.SetText(text);
}

bool TCustomTreeView::OnNotify(NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case TVN_ITEMEXPANDINGA: {
        auto& view = reinterpret_cast<NMTREEVIEWA&>(header);
        TTreeNode* node = NodeFromItem(view.itemNew);
        result = (view.action & TVE_EXPAND) && node && !CanExpand(*node) ? TRUE : FALSE;
        return true;
    }
    case TVN_SELCHANGEDA:
        Change(NodeFromItem(reinterpret_cast<NMTREEVIEWA&>(header).itemNew));
        return true;
    case NM_CLICK:
        Click();
        return true;
    case NM_DBLCLK:
        DblClick();
        return false;  // the native tree still toggles the node
    case TVN_BEGINLABELEDITA:
        result = readOnly_ && !editRequested_ ? TRUE : FALSE;
        return true;
    case TVN_ENDLABELEDITA: {
        auto& info = reinterpret_cast<NMTVDISPINFOA&>(header);
        if (TTreeNode* node = NodeFromItem(info.item)) Edited(*node, info.item.pszText);
        result = FALSE;  // the caption was set above, not by the native tree after this returns
        return true;
    }
    case TVN_GETDISPINFOA: {
        TVITEMA& item = reinterpret_cast<NMTVDISPINFOA&>(header).item;
        TTreeNode* node = item.lParam ? reinterpret_cast<TTreeNode*>(item.lParam) : NodeFromHandle(item.hItem);
        if (!node) return false;
        if (item.mask & TVIF_IMAGE) item.iImage = NodeImage(*node, false);
        if (item.mask & TVIF_CHILDREN) item.cChildren = NodeHasChildren(*node) ? 1 : 0;
        // Some native trees ask for both images of every row they draw, though only the selected
        // row shows its selected image: the others leave it to be asked again when selected.
        if ((item.mask & TVIF_SELECTEDIMAGE) && node->Selected()) {
            item.iSelectedImage = NodeImage(*node, true);
        } else if (item.mask & TVIF_SELECTEDIMAGE) {
            item.iSelectedImage = I_IMAGECALLBACK;
            item.mask &= ~TVIF_SELECTEDIMAGE;
        }
        item.mask |= TVIF_DI_SETITEM;  // what was answered is kept by the tree
        return true;
    }
    case TVN_DELETEITEMA: {
        TTreeNode* node = NodeFromItem(reinterpret_cast<NMTREEVIEWA&>(header).itemOld);
        if (node) {
            Deletion(*node);
            delete node;
        }
        return true;
    }
    default:
        return false;
    }
}

}  // namespace toolkit
