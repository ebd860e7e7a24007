#include "export/ImageDragOut.h"

#include "icons/PathNames.h"
#include "export/SafeFileReplace.h"
#include "foldertree/ComObject.h"
#include "foldertree/DropSource.h"
#include "foldertree/ShellItems.h"
#include "toolkit/DoubleByte.h"
#include "toolkit/Exceptions.h"
#include "toolkit/ProgramTexts.h"
#include "toolkit/WideArguments.h"

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
    // Wide: the ANSI call would give the user's folder through the best-fit conversion, the name
    // of another folder or none.
    wchar_t temporary[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    if (length == 0 || length > MAX_PATH) return {};
    const std::string ansi = toolkit::AnsiPathOf(std::wstring(temporary, length));
    if (ansi.empty()) return {};
    const std::string folder = icons::DirYen(ansi, toolkit::SystemLeadBytes()) + "Pictavo";
    CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? folder : std::string();
}

void DragPngFileOut(HWND window, const std::string& name, const std::vector<std::uint8_t>& png) {
    DragPngFilesOut(window, {{name, png}});
}

// The files share the drag folder, so one folder's data object offers them all.
void DragPngFilesOut(HWND window, const std::vector<PngFileToDrag>& files) {
    if (files.empty()) return;
    const std::string dragFolder = DragFolder();
    if (dragFolder.empty()) throw toolkit::Exception(toolkit::Text(toolkit::TextId::DragNoFolder));
    const std::string folderPath = icons::DirYen(dragFolder, toolkit::SystemLeadBytes());
    std::vector<foldertree::ItemIdList> absolutes;
    for (const PngFileToDrag& file : files) {
        ReplaceFileContents(folderPath + file.name, file.png);
        absolutes.push_back(foldertree::PathToIDList(folderPath + file.name));
        if (!absolutes.back()) return;
    }
    ComRef<IShellFolder> folder;
    foldertree::ItemIdList first;
    if (!foldertree::SplitIDList(absolutes.front().Get(), folder, first)) return;
    std::vector<LPCITEMIDLIST> items;
    for (const foldertree::ItemIdList& absolute : absolutes) items.push_back(ILFindLastID(absolute.Get()));
    ComRef<IDataObject> data;
    if (FAILED(folder->GetUIObjectOf(window, static_cast<UINT>(items.size()), items.data(), IID_IDataObject, nullptr,
                                     data.PutVoid())) || !data)
        return;
    const auto source = ComRef<IDropSource>::Adopt(new FileDragSource);
    // A target that moves by default (a folder on the same drive) may take the temporary file away.
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
}

}  // namespace iconexport
