#pragma once
// The folder tree as an OLE drop target: one file or folder dragged over a node may be dropped
// into it. While a drag is over the tree the node under the pointer is highlighted, a folder the
// pointer rests on for more than 1.5 s opens, and the tree scrolls near its edges.
#include <windows.h>
#include <oleidl.h>

#include <functional>

#include "foldertree/ComObject.h"
#include "foldertree/ComRef.h"

namespace toolkit {
class TTreeNode;
}

namespace foldertree {

class TFolderTreeViewEx;

// Edge-zone flags of a point over the tree.
enum : DWORD {
    kZoneOverNode = 0x01,
    kZoneLeft = 0x02,
    kZoneRight = 0x04,
    kZoneTop = 0x08,
    kZoneBottom = 0x10,
};

class TDropTargetObject : public ComObject<IDropTarget> {
public:
    explicit TDropTargetObject(TFolderTreeViewEx& tree);

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

    // The zone flags of a client point; 0 when no node is under it. The node found gets the
    // drop highlight.
    DWORD HitTestDropZone(POINT point);
    // A drive two levels below the desktop whose drive type is removable (a floppy): resting on
    // it does not open it.
    static bool IsRemovableDriveNode(const toolkit::TTreeNode& node);

    // The tree is going: the object answers no more drags (OLE may still hold it a while).
    void Detach() { tree_ = nullptr; }
    // The clock and the pause of the scrolling, for tests (the tick count and Sleep otherwise).
    void SetClock(std::function<DWORD()> now, std::function<void(DWORD)> pause);

private:
    bool Accepting() const;
    void RemoveHighlight();
    void FollowRest(POINT point);
    void ArmScrolling(DWORD zone);
    void ScrollWhenDue();

    POINT LastPoint{0, 0};
    bool CanDrop = false;
    bool PointerMoving = false;
    ComRef<IDataObject> DataObject;
    TFolderTreeViewEx* tree_;
    DWORD VScrollCode;
    DWORD HScrollCode;
    DWORD EdgeZone = 0;
    DWORD HoverStart = 0;
    DWORD ScrollStart = 0;
    std::function<DWORD()> now_;
    std::function<void(DWORD)> pause_;
};

}  // namespace foldertree
