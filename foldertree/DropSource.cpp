#include "foldertree/DropSource.h"

#include "foldertree/FTVEX_D3.h"
#include "foldertree/ItemUIObject.h"

namespace foldertree {

namespace {
// Copy, move and link: the target chooses.
constexpr DWORD kOfferedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
}  // namespace

TDropSourceObject::TDropSourceObject(TFolderTreeViewEx& tree) : ComObject(IID_IDropSource), Tree(tree) {}

HRESULT TDropSourceObject::QueryContinueDrag(BOOL escapePressed, DWORD keys) {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if (keys & (MK_LBUTTON | MK_RBUTTON)) return S_OK;
    // Another program's drop runs after this answer: the tree waits for it, then re-reads.
    if (PointerOverOtherProcess() && Tree.AutoUpDate()) Tree.DelayedRefresh();
    return DRAGDROP_S_DROP;
}

HRESULT TDropSourceObject::GiveFeedback(DWORD /*effect*/) { return DRAGDROP_S_USEDEFAULTCURSORS; }

ComRef<IDataObject> ItemDataObject(HWND window, IShellFolder* folder, LPCITEMIDLIST item) {
    return ItemUIObject<IDataObject>(window, folder, item, IID_IDataObject);
}

bool PointerOverOtherProcess() {
    POINT point{};
    GetCursorPos(&point);
    HWND window = WindowFromPoint(point);
    if (!window) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process != GetCurrentProcessId();
}

void TFolderTreeViewEx::BeginShellDrag(HWND window, IShellFolder* folder, LPCITEMIDLIST item) {
    const ComRef<IDataObject> data = ItemDataObject(window, folder, item);
    if (!data) return;
    const auto source = ComRef<IDropSource>::Adopt(new TDropSourceObject(*this));
    DWORD effect = DROPEFFECT_NONE;
    draggingOut_ = true;
    const HRESULT result = DoDragDrop(data.Get(), source.Get(), kOfferedEffects, &effect);
    draggingOut_ = false;
    if (FAILED(result)) return;
    if (PointerOverOtherProcess() && autoUpDate_) RefreshTree();
}

}  // namespace foldertree
