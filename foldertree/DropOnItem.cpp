#include "foldertree/DropOnItem.h"

#include <shellapi.h>

#include "foldertree/FolderTreeMessages.h"
#include "foldertree/ShellItems.h"
#include "foldertree/ShellVerbs.h"
#include "toolkit/ModalTestHook.h"

namespace foldertree {

namespace {

enum class FileOperationOutcome { Done, Declined, Failed };

bool IsFolderPath(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The shell's own move or copy (with undo, its questions owned by `window`). The shell moves by
// copying first where it must, and removes the source only once the copy succeeded.
FileOperationOutcome ShellMoveOrCopy(HWND window, const std::string& source, const std::string& folder, bool copy) {
    // Both lists end in two zeros.
    const std::string from = source + '\0';
    const std::string to = folder + '\0';
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = window;
    operation.wFunc = copy ? FO_COPY : FO_MOVE;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO;
    toolkit::ModalTestHook::ModalStarting(nullptr);  // the shell may ask before replacing a file
    const int result = SHFileOperationA(&operation);
    if (operation.fAnyOperationsAborted) return FileOperationOutcome::Declined;
    return result == 0 ? FileOperationOutcome::Done : FileOperationOutcome::Failed;
}

}  // namespace

DropOutcome DropPathOnItem(HWND window, const std::string& path, const TTVITEMDATA& target, bool copyKey) {
    IShellFolder* folder = target.ParentFolder.Get();
    LPCITEMIDLIST item = target.RelativeID.Get();
    if (!IsParseableItem(folder, item)) {
        ShowSpecialFolderMessage(window);
        return DropOutcome::Refused;
    }
    const bool isFolder = (target.Attributes & SFGAO_FOLDER) != 0;
    const bool copy = !isFolder || copyKey;
    if (!InvokeShellVerbOnPath(window, path, copy ? svCopy : svCut)) return DropOutcome::Refused;
    switch (CarryOutShellVerb(window, folder, item, svPaste)) {
    case VerbOutcome::Done:
        return DropOutcome::Done;
    case VerbOutcome::NotOffered:
        break;
    case VerbOutcome::Failed:
        return DropOutcome::Failed;
    default:
        return DropOutcome::Refused;
    }
    // Nothing to paste into: the item stays on the clipboard.
    const std::string folderPath = isFolder ? IDListToPath(target.AbsoluteID.Get()) : std::string();
    if (folderPath.empty() || !IsFolderPath(folderPath)) return DropOutcome::Refused;
    switch (ShellMoveOrCopy(window, path, folderPath, copy)) {
    case FileOperationOutcome::Done:
        return DropOutcome::Done;
    case FileOperationOutcome::Failed:
        ShowInvokeCommandFailed(window);
        return DropOutcome::Failed;
    case FileOperationOutcome::Declined:
        return DropOutcome::Failed;
    }
    return DropOutcome::Failed;
}

}  // namespace foldertree
