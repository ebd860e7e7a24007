#include "app/FolderWindow.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

#include "toolkit/Exceptions.h"

namespace {

struct IdListRelease {
    void operator()(ITEMIDLIST* list) const { ILFree(list); }
};

}  // namespace

void ShowFileInItsFolder(const std::string& path) {
    const std::unique_ptr<ITEMIDLIST, IdListRelease> item(ILCreateFromPathA(path.c_str()));
    if (!item) throw toolkit::EInOutError(ERROR_FILE_NOT_FOUND);
    const HRESULT result = SHOpenFolderAndSelectItems(item.get(), 0, nullptr, 0);
    if (FAILED(result)) throw toolkit::EInOutError(static_cast<unsigned long>(HRESULT_CODE(result)));
}
