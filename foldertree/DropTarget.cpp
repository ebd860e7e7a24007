#include "foldertree/DropTarget.h"

#include <utility>

#include "foldertree/DropOnItem.h"
#include "foldertree/DroppedFiles.h"
#include "foldertree/FTVEX_D3.h"
#include "foldertree/ShellItems.h"

namespace foldertree {

using toolkit::TTreeNode;

namespace {
constexpr DWORD kRestBeforeExpand = 1500;  // ms the pointer must rest before a folder opens
constexpr int kEdgeBand = 11;              // pixels
constexpr DWORD kScrollDelay = 50;         // ms in a zone before scrolling starts
constexpr DWORD kScrollPause = 200;        // ms after each line scrolled
constexpr DWORD kNoScroll = 0xFFFF;
constexpr DWORD kHorizontalZones = kZoneLeft | kZoneRight;
constexpr DWORD kVerticalZones = kZoneTop | kZoneBottom;

DWORD EffectFor(DWORD keys) { return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE; }
}  // namespace

TDropTargetObject::TDropTargetObject(TFolderTreeViewEx& tree)
    : ComObject(IID_IDropTarget),
      tree_(&tree),
      VScrollCode(kNoScroll),
      HScrollCode(kNoScroll),
      now_(GetTickCount),
      pause_(Sleep) {}

void TDropTargetObject::SetClock(std::function<DWORD()> now, std::function<void(DWORD)> pause) {
    now_ = std::move(now);
    pause_ = std::move(pause);
}

bool TDropTargetObject::Accepting() const { return tree_ && tree_->DragAndDrop(); }

HRESULT TDropTargetObject::DragEnter(IDataObject* data, DWORD keys, POINTL /*point*/, DWORD* effect) {
    HoverStart = 0;
    PointerMoving = true;
    *effect = DROPEFFECT_NONE;
    CanDrop = false;
    if (!Accepting()) return S_OK;
    DataObject.Reset();
    tree_->DropHighlightNode = nullptr;
    VScrollCode = HScrollCode = kNoScroll;
    std::string path;
    if (data && DroppedFiles(data).SinglePath(path)) CanDrop = PathIsParseable(path);
    if (!CanDrop) return S_OK;
    *effect = EffectFor(keys);
    DataObject = ComRef<IDataObject>::Share(data);
    BringWindowToTop(tree_->Handle());
    return S_OK;
}

HRESULT TDropTargetObject::DragOver(DWORD keys, POINTL screen, DWORD* effect) {
    *effect = DROPEFFECT_NONE;
    if (!Accepting()) return S_OK;
    POINT point{screen.x, screen.y};
    ScreenToClient(tree_->Handle(), &point);
    FollowRest(point);
    const DWORD zone = HitTestDropZone(point);
    if (zone && CanDrop) *effect = EffectFor(keys);
    if (!zone) {
        RemoveHighlight();
        VScrollCode = HScrollCode = kNoScroll;
    }
    ArmScrolling(zone);
    if (zone & (kHorizontalZones | kVerticalZones)) *effect |= DROPEFFECT_SCROLL;
    ScrollWhenDue();
    return S_OK;
}

// Resting starts at the first DragOver that finds the pointer where the previous one did; a
// folder rested on long enough opens (not a removable drive, which would wake the drive).
void TDropTargetObject::FollowRest(POINT point) {
    if (point.x != LastPoint.x || point.y != LastPoint.y) {
        HoverStart = 0;
        PointerMoving = true;
    } else if (PointerMoving) {
        HoverStart = now_();
        PointerMoving = false;
    }
    LastPoint = point;
    if (HoverStart == 0 || now_() - HoverStart <= kRestBeforeExpand) return;
    TTreeNode* node = tree_->HitTestNode(point.x, point.y);
    if (node && node->HasChildren() && !IsRemovableDriveNode(*node)) node->Expand(false);
}

// Entering a zone arms its axis (and restarts the delay, also when coming straight from the
// opposite zone); leaving it disarms that axis.
void TDropTargetObject::ArmScrolling(DWORD zone) {
    const DWORD old = std::exchange(EdgeZone, zone);
    const auto arm = [&](DWORD axis, DWORD lowSide, DWORD& code) {
        if (old & axis & ~zone) code = kNoScroll;
        if (zone & axis & ~old) {
            ScrollStart = now_();
            code = (zone & lowSide) ? SB_LINEUP : SB_LINEDOWN;  // SB_LINELEFT, SB_LINERIGHT alike
        }
    };
    arm(kHorizontalZones, kZoneLeft, HScrollCode);
    arm(kVerticalZones, kZoneTop, VScrollCode);
    if (HScrollCode == kNoScroll && VScrollCode == kNoScroll) ScrollStart = 0;
}

void TDropTargetObject::ScrollWhenDue() {
    if (ScrollStart == 0 || now_() - ScrollStart <= kScrollDelay) return;
    if (HScrollCode != kNoScroll) tree_->Send(WM_HSCROLL, HScrollCode, 0);
    if (VScrollCode != kNoScroll) tree_->Send(WM_VSCROLL, VScrollCode, 0);
    pause_(kScrollPause);
}

DWORD TDropTargetObject::HitTestDropZone(POINT point) {
    RECT client{};
    GetClientRect(tree_->Handle(), &client);
    TTreeNode* node = tree_->HitTestNode(point.x, point.y);
    if (!node) return 0;
    tree_->DropHighlightNode = node;
    node->SetDropTarget(true);
    DWORD zone = kZoneOverNode;
    if (point.x <= client.left + kEdgeBand)
        zone |= kZoneLeft;
    else if (point.x >= client.right - kEdgeBand)
        zone |= kZoneRight;
    if (point.y <= client.top + kEdgeBand)
        zone |= kZoneTop;
    else if (point.y >= client.bottom - kEdgeBand)
        zone |= kZoneBottom;
    return zone;
}

bool TDropTargetObject::IsRemovableDriveNode(const TTreeNode& node) {
    const TTVITEMDATA* record = TFolderTreeViewEx::RecordOf(&node);
    if (!record || ItemCount(record->AbsoluteID.Get()) != 2) return false;
    const std::string name = ItemParsingName(record->ParentFolder.Get(), record->RelativeID.Get());
    return !name.empty() && GetDriveTypeA(name.c_str()) == DRIVE_REMOVABLE;
}

void TDropTargetObject::RemoveHighlight() {
    if (tree_ && tree_->DropHighlightNode) tree_->DropHighlightNode->SetDropTarget(false);
}

HRESULT TDropTargetObject::DragLeave() {
    RemoveHighlight();
    return S_OK;
}

HRESULT TDropTargetObject::Drop(IDataObject* data, DWORD keys, POINTL screen, DWORD* effect) {
    *effect = DROPEFFECT_NONE;  // the shell moves; the source itself never deletes anything
    if (!Accepting()) return E_FAIL;
    POINT point{screen.x, screen.y};
    ScreenToClient(tree_->Handle(), &point);
    TTreeNode* node = tree_->HitTestNode(point.x, point.y);
    const TTVITEMDATA* target = TFolderTreeViewEx::RecordOf(node);
    if (!TaskAllocator().Available() || !DataObject || !data || !target) {
        DragLeave();
        return E_FAIL;
    }
    const DroppedFiles files(DataObject.Get());
    std::string path;
    if (!files.SinglePath(path)) return E_FAIL;
    // The shell's dialogs may let a refresh replace the node: the drop works on its own copy.
    TTVITEMDATA copy;
    copy.ParentFolder = target->ParentFolder;
    copy.RelativeID = CopyList(target->RelativeID.Get());
    copy.AbsoluteID = CopyList(target->AbsoluteID.Get());
    copy.Attributes = target->Attributes;
    const DropOutcome outcome = DropPathOnItem(tree_->Handle(), path, copy, (keys & MK_CONTROL) != 0);
    // A refused drop changed nothing; a refresh would only block the window and, under a special
    // root, close every branch.
    if (outcome != DropOutcome::Refused && tree_ && tree_->AutoUpDate() && (copy.Attributes & SFGAO_FOLDER))
        tree_->RefreshAfterDrop();
    return outcome == DropOutcome::Done ? kDropDone : E_FAIL;
}

}  // namespace foldertree
