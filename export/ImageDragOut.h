#pragma once
// Dragging an image out of the program: its PNG file, written to a temporary folder of the
// program, offered through the shell's own data object for that file, so that Explorer, the
// desktop and any program that takes dropped files receive the file.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace iconexport {

// The program's temporary folder (made when missing): "Pictavo" in the user's temporary folder,
// through its short name where the long one has no ANSI form. Empty when there is none to have.
std::string DragFolder();

// Writes `png` as `name` into DragFolder() and runs the drag until the drop or its cancelling.
// Errors are those of writing the file, or the refusal when there is no folder to write it to; a
// file the shell cannot offer ends the drag quietly.
void DragPngFileOut(HWND window, const std::string& name, const std::vector<std::uint8_t>& png);

struct PngFileToDrag {
    std::string name;
    std::vector<std::uint8_t> png;
};
// The same for several files at once (a selection of icons), offered as one drag.
void DragPngFilesOut(HWND window, const std::vector<PngFileToDrag>& files);

}  // namespace iconexport
