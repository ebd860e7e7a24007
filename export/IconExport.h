#pragma once
// The export of one file's icons, shared by the export dialog and the console program: the chosen
// formats of each icon written into a folder under the export's names, a file that exists decided
// by the caller's policy (asked, kept or replaced), and the counts. Files are replaced safely.
#include <functional>
#include <string>

#include "icons/IconHolder.h"
#include "icons/IconSource.h"

namespace iconexport {

struct ExportFormats {
    bool icon = false;       // NAME0000.ICO: the 32-pixel 16-colour icon
    bool wholeIcon = false;  // NAME0000.ICO: the whole icon as the file stores it
    bool bitmap = false;     // NAME0000.BMP: the 32 x 32 bitmap
    bool png = false;        // NAME0000.PNG, or NAME0000-SIZE.PNG for every size
    int pngSize = 0;         // pixels, kLargestPngSize or kEveryPngSize
};

// What becomes of a file that exists already.
enum class ExistingFile { Write, Skip, Stop };
// Decides for the file `name` at `path`: the dialog asks, the console program keeps or replaces.
using ExistingFilePolicy = std::function<ExistingFile(const std::string& name, const std::string& path)>;

struct ExportCounts {
    int icons = 0, bitmaps = 0, pngs = 0;
    int skipped = 0;  // existing files kept
    int Written() const { return icons + bitmaps + pngs; }
};

class IconExporter {
public:
    // baseName: the exported files' names before the index; folder: where they go.
    IconExporter(icons::IconFile& source, std::string baseName, std::string folder, ExportFormats formats,
                 ExistingFilePolicy existing);

    // Writes the chosen formats of icon `index`; false when the policy stopped the export. Errors
    // (a file that cannot be written, an icon that cannot be had) are thrown: files written stay.
    bool ExportIndex(int index);
    const ExportCounts& Counts() const { return counts_; }

private:
    enum class Outcome { Written, Skipped, Stopped };
    // Writes one file through write unless the policy keeps or stops; counts it in `count`.
    template <typename Write>
    Outcome WriteFile(const std::string& name, int& count, Write write);
    const icons::StoredIcon& StoredOf(int index);
    bool ExportPngFiles(int index);

    icons::IconFile& source_;
    const std::string baseName_;
    const std::string folder_;
    const ExportFormats formats_;
    const ExistingFilePolicy existing_;
    ExportCounts counts_;
    icons::IconHolder icon_;  // one holder for the export: each icon releases the one before
    icons::StoredIcon stored_;
    int storedIndex_ = -1;
};

}  // namespace iconexport
