#include "export/ImageDragOut.h"

#include "icons/PathNames.h"
#include "export/SafeFileReplace.h"
#include "foldertree/ComObject.h"
#include "foldertree/DropSource.h"
#include "foldertree/ShellItems.h"
#include "toolkit/DoubleByte.h"

namespace iconexport {

namespace {

using foldertree::ComRef;

// Ends the drag with the left button's release, cancels it with Escape.
class FileDragSource : public foldertree::ComObject<IDropSource> {
public:
    FileDragSource() : ComObject(IID_IDropSource) {}
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override {
        if (escapePressed) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

std::string DragFolder() {
    char temporary[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temporary, temporary);
    const std::string folder = icons::DirYen(std::string(temporary, length <= MAX_PATH ? length : 0), toolkit::SystemLeadBytes()) + "Pictavo";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void DragPngFileOut(HWND window, const std::string& name, const std::vector<std::uint8_t>& png) {
    const std::string path = icons::DirYen(DragFolder(), toolkit::SystemLeadBytes()) + name;
    ReplaceFileContents(path, png);
    const foldertree::ItemIdList absolute = foldertree::PathToIDList(path);
    ComRef<IShellFolder> folder;
    foldertree::ItemIdList item;
    if (!absolute || !foldertree::SplitIDList(absolute.Get(), folder, item)) return;
    const ComRef<IDataObject> data = foldertree::ItemDataObject(window, folder.Get(), item.Get());
    if (!data) return;
    const auto source = ComRef<IDropSource>::Adopt(new FileDragSource);
    // A target that moves by default (a folder on the same drive) may take the temporary file away.
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
}

}  // namespace iconexport
