#pragma once
// The folder tree's only two messages of its own, in the platform's message box with the
// information icon and the control's fixed caption.
#include <windows.h>

namespace foldertree {

// A command the shell refused.
void ShowInvokeCommandFailed(HWND owner);
// A drop onto an item the desktop cannot reach by name again (a special folder).
void ShowSpecialFolderMessage(HWND owner);

}  // namespace foldertree
