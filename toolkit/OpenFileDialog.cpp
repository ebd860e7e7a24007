#include "toolkit/OpenFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "toolkit/ModalTestHook.h"

namespace toolkit {

bool AskOpenPath(HWND owner, const OpenFileRequest& request, std::string& path) {
    std::string filter = request.filterName + '\0' + request.patterns + '\0';
    filter += '\0';
    std::vector<char> file(MAX_PATH, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrTitle = request.title.c_str();
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    ModalTestHook::ModalStarting(nullptr);
    if (!GetOpenFileNameA(&dialog)) return false;
    path = file.data();
    return true;
}

}  // namespace toolkit
