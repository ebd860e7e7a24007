#pragma once
// Answers to a tracked popup menu for ModalTestHook handlers (which receive the menu's window):
// the menu shown, choosing one of its commands as the keyboard would, dismissing it.
#include <windows.h>

namespace toolkit {

// The menu a popup menu window shows, or nullptr.
HMENU TrackedMenu(HWND menuWindow);
// Moves the highlight to the item of `command` with the arrow keys and presses Enter; false
// (nothing pressed) when the menu has no such item.
bool ChooseTrackedMenuCommand(HWND menuWindow, UINT command);
// Escape: the menu closes with no command.
void DismissTrackedMenu(HWND menuWindow);

}  // namespace toolkit
