#pragma once
// Explorer's window of a file's folder, with the file selected.
#include <string>

// Opens the folder of `path` in the shell's file manager and selects the file there; raises the
// shell's error when the path cannot be named or the shell refuses.
void ShowFileInItsFolder(const std::string& path);
