#pragma once
// The console program's command line: PICTAVOX SOURCE... [/O FOLDER] [/ICO[:32]] [/BMP]
// [/PNG[:SIZE]] [/I N[-M]] [/CUR] [/S] [/M] [/Y] [/Q], or PICTAVOX SOURCE... /FIND PICTURE [/S] [/M].
// Switches in any letter case, with "/" or "-".
// Platform-free.
#include <optional>
#include <string>
#include <vector>

namespace console {

struct Options {
    std::vector<std::string> sources;
    std::string outputFolder;  // empty: the current folder
    bool wholeIcon = false;    // /ICO: the whole icon as the file stores it
    bool icon32 = false;       // /ICO:32: the 32-pixel 16-colour icon
    bool bitmap = false;       // /BMP
    bool png = false;          // /PNG
    int pngSize = 0;           // as the export dialog's size list: 0 the largest, -1 every size
    int firstIndex = 0;
    int lastIndex = -1;        // -1: up to the last icon
    bool cursors = false;      // /CUR: the cursors instead of the icons
    bool subFolders = false;   // /S
    bool multipleOnly = false; // /M
    bool replace = false;      // /Y
    bool quiet = false;        // /Q
    bool help = false;         // /?
    std::string findPicture;   // /FIND: the icons most like this picture file are listed, nothing written
};

// The options of arguments (without the program's name), or the usage error's text.
struct ParsedCommandLine {
    Options options;
    std::string error;  // empty when the command line is sound
};
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text /? prints.
std::string UsageText();

}  // namespace console
