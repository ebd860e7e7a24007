#pragma once
// The export of one file's icons, shared by the export dialog and the console program: the chosen
// formats of each icon written into a folder under the export's names, a file that exists decided
// by the caller's policy (asked, kept or replaced), and the counts. Files are replaced safely.
#include <functional>
#include <memory>
#include <string>

#include "icons/IconHolder.h"
#include "icons/IconSource.h"
#include "export/WicImaging.h"

namespace iconexport {

struct ExportFormats {
    bool icon = false;       // NAME0000.ICO: the 32-pixel 16-colour icon
    bool wholeIcon = false;  // NAME0000.ICO: the whole icon as the file stores it
                             // (cursors: either is NAME0000.CUR, or NAME0000.ANI for an animated one)
    bool bitmap = false;     // NAME0000.BMP: the 32 x 32 bitmap
    bool png = false;        // NAME0000.PNG, or NAME0000-SIZE.PNG for every size
    int pngSize = 0;         // pixels, kLargestPngSize or kEveryPngSize
};

// What becomes of a file that exists already.
enum class ExistingFile { Write, Skip, Stop };
// Decides for the file `name` at `path`: the dialog asks, the console program keeps or replaces.
using ExistingFilePolicy = std::function<ExistingFile(const std::string& name, const std::string& path)>;

// One icon the export could not write: the source file, the icon's number and why.
struct ExportError {
    std::string file;
    int index = 0;
    std::string reason;
};
// What the export does after an error: the dialog's run ends with it (the error goes on to the
// error box), the console program reports it and goes on with the next file.
enum class AfterError { Stop, GoOn };
using ExportErrorPolicy = std::function<AfterError(const ExportError& error)>;

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

    // Errors of the files of `file` (named so in the report) go to `policy`; without one, each
    // error is thrown and ends the export.
    void ReportErrors(std::string file, ExportErrorPolicy policy);

    // Writes the chosen formats of icon `index`; false when the policy stopped the export. Errors
    // (a file that cannot be written, an icon or image that cannot be had or read) go to the error
    // policy, one per file: files written stay.
    bool ExportIndex(int index);
    const ExportCounts& Counts() const { return counts_; }

private:
    enum class Outcome { Written, Skipped, Stopped, Failed };
    // Writes one file through write unless the policy keeps or stops; counts it in `count`.
    template <typename Write>
    Outcome WriteFile(const std::string& name, int& count, Write write);
    // Runs one file's step; an error goes to the policy (Outcome::Failed when it goes on).
    template <typename Step>
    Outcome Guarded(int index, Step step);
    const WicImaging& Imaging();
    const icons::StoredIcon& StoredOf(int index);
    bool ExportPngFiles(int index);
    Outcome WriteWholeCursor(int index);

    icons::IconFile& source_;
    const std::string baseName_;
    const std::string folder_;
    const ExportFormats formats_;
    const ExistingFilePolicy existing_;
    ExportCounts counts_;
    icons::IconHolder icon_;  // one holder for the export: each icon releases the one before
    icons::StoredIcon stored_;
    int storedIndex_ = -1;
    std::string errorFile_;
    ExportErrorPolicy onError_;
    std::unique_ptr<WicImaging> imaging_;  // made for the first image that needs it
};

}  // namespace iconexport
