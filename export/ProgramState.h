#pragma once
// The program-wide state the main window keeps for the whole run and hands to the export run and
// the dialogs: the folders, the export's formats and the settings file they are remembered in.
#include <memory>
#include <string>

#include "icons/IconResourceReader.h"
#include "toolkit/SettingsFile.h"

namespace iconexport {

struct ProgramState {
    std::string WindowsDir;
    std::string SearchDir;
    std::string SaveDir;
    bool IcoOut = true;
    bool BmpOut = false;
    // .ICO files hold the whole icon as the file stores it, every size and colour depth.
    bool IcoAllSizes = false;
    // PNG files wanted, and their size: pixels, 0 for the largest image, -1 for every stored size.
    bool PngOut = false;
    int PngSize = 0;
    std::unique_ptr<toolkit::SettingsFile> Settings;
    // The list and the strip show cursors rather than icons (the main window's "Cursors" box).
    bool ShowCursors = false;
    icons::ImageGroupKind Groups() const {
        return ShowCursors ? icons::ImageGroupKind::Cursors : icons::ImageGroupKind::Icons;
    }
};

}  // namespace iconexport
