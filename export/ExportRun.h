#pragma once
// The export run, started by the export button and by a double click on the strip: the export
// dialog, then an .ICO, a .BMP and/or .PNG files per icon, asking before an existing file is replaced.
#include <windows.h>

#include <string>
#include <vector>

#include "export/ProgramState.h"

namespace iconexport {

// Writes icons first ... last of `fileName` (relative to the state's SearchDir) after the export
// dialog, and remembers the dialog's choices in `state`.
void RunExport(ProgramState& state, HWND owner, const std::string& fileName, int first, int last);

// One icon to write without the dialog: the file's full path, its name as listed (the exported
// files are named after it) and the icon's number.
struct IconToExport {
    std::string path;
    std::string fileName;
    int index = 0;
};

// Writes `icons` in the export dialog's remembered formats into the state's SaveDir, asking before
// an existing file is replaced, and ends with the summary.
void ExportIcons(ProgramState& state, HWND owner, const std::vector<IconToExport>& icons);

// Fills the overwrite question for the file `name` in `saveDir`.
void FillOverwriteQuestion(const std::string& saveDir, const std::string& name);

}  // namespace iconexport
