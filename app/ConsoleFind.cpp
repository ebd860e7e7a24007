#include "app/ConsoleFind.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "app/ConsoleExport.h"
#include "app/ConsoleSources.h"
#include "icons/PathNames.h"
#include "export/IconPictureFinder.h"
#include "toolkit/DoubleByte.h"
#include "toolkit/ProgramTexts.h"

namespace console {

namespace {

using toolkit::TextId;

// The files of the sources, the missing ones reported.
std::vector<std::string> SourceFiles(const Options& options, ConsoleText& errors, bool& missing) {
    const toolkit::LeadByteTable& codePage = toolkit::SystemLeadBytes();
    std::vector<std::string> files;
    for (const std::string& source : options.sources) {
        const std::string path = FullPath(source);
        if (IsFolder(path)) {
            for (const std::string& name : FolderIconFiles(path, options.subFolders, options.multipleOnly, [] { return true; }))
                files.push_back(icons::DirYen(path, codePage) + name);
        } else if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            files.push_back(path);
        } else {
            errors.Line(toolkit::TextWith(TextId::DropNotFound, {path}));
            missing = true;
        }
    }
    return files;
}

std::string FoundLine(const iconexport::FoundIcon& found) {
    char likeness[8];
    std::snprintf(likeness, sizeof likeness, "%3d", found.likeness);
    std::string line = std::string(likeness) + "  " + found.icon.path + "," + std::to_string(found.icon.index);
    if (found.same) line += std::string("  ") + toolkit::Text(TextId::ConsoleFindSame);
    return line;
}

}  // namespace

int RunConsoleFind(const Options& options, ConsoleText& out, ConsoleText& errors) {
    iconexport::ImagePixels picture;
    try {
        const iconexport::WicImaging imaging;
        picture = iconexport::ReadPictureFile(imaging, FullPath(options.findPicture));
    } catch (const iconexport::EPictureUnreadable& error) {
        errors.Line(error.what());
        return kSomethingFailed;
    }
    bool missing = false;
    const std::vector<std::string> files = SourceFiles(options, errors, missing);
    const std::vector<iconexport::FoundIcon> found = iconexport::FindIconsByPicture(picture, files);
    if (found.empty()) {
        errors.Line(toolkit::Text(TextId::ConsoleFindNoIcons));
        return kSomethingFailed;
    }
    const std::size_t shown = std::min(found.size(), std::size_t(kIconsFound));
    for (std::size_t i = 0; i < shown; ++i) out.Line(FoundLine(found[i]));
    return missing ? kSomethingFailed : kAllDone;
}

}  // namespace console
