#pragma once
// Dragging a node's item out of the folder tree: the shell's own data object for the item is
// offered to any OLE drop target, the tree's own included.
#include <windows.h>
#include <oleidl.h>
#include <shlobj.h>

#include "foldertree/ComObject.h"
#include "foldertree/ComRef.h"

namespace foldertree {

class TFolderTreeViewEx;

class TDropSourceObject : public ComObject<IDropSource> {
public:
    explicit TDropSourceObject(TFolderTreeViewEx& tree);

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    TFolderTreeViewEx& Tree;
};

// The shell's data object of one item (what a drag of its node offers), or an empty reference.
ComRef<IDataObject> ItemDataObject(HWND window, IShellFolder* folder, LPCITEMIDLIST item);
// The window under the pointer belongs to another program (a drop there is that program's work,
// which the tree can only follow by refreshing).
bool PointerOverOtherProcess();

}  // namespace foldertree
