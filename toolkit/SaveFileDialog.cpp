#include "toolkit/SaveFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "toolkit/ModalTestHook.h"

namespace toolkit {

bool AskSavePath(HWND owner, const SaveFileRequest& request, std::string& path) {
    std::string filter = request.filterName + '\0' + "*." + request.extension + '\0';
    filter += '\0';
    std::vector<char> file(MAX_PATH, '\0');
    request.name.copy(file.data(), file.size() - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = request.folder.c_str();
    dialog.lpstrDefExt = request.extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    ModalTestHook::ModalStarting(nullptr);
    if (!GetSaveFileNameA(&dialog)) return false;
    path = file.data();
    return true;
}

}  // namespace toolkit
