#pragma once
// The program's messages: a small modal dialog centred on the screen, captioned with the
// application title, with the text and one "OK" button.
#include <windows.h>

#include <string>

namespace toolkit {

// A plain message, no icon.
void ShowMessage(const std::string& text);
// The error box for exceptions that escaped an event handler: the same dialog with the stop icon.
void ShowErrorMessage(const std::string& text);
// The platform's message box (used where a fixed caption and icon are wanted), answerable by tests.
int PlatformMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

}  // namespace toolkit
