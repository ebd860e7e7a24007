#include "export/IconExport.h"

#include <windows.h>

#include <utility>

#include "export/BitmapFileWriter.h"
#include "export/ExportFileNames.h"
#include "export/IconBitmapRenderer.h"
#include "export/IconFileWriter.h"
#include "export/PngFileWriter.h"
#include "export/PngSizeChoice.h"
#include "export/ShellIconImage.h"
#include "export/WriterErrors.h"
#include "toolkit/DoubleByte.h"

namespace iconexport {

namespace {

// A folder of the file's name does not count: the policy is not asked, and the write then fails.
bool IsExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

IconExporter::IconExporter(icons::IconFile& source, std::string baseName, std::string folder, ExportFormats formats,
                           ExistingFilePolicy existing)
    : source_(source), baseName_(std::move(baseName)), folder_(std::move(folder)), formats_(formats),
      existing_(std::move(existing)) {}

template <typename Write>
IconExporter::Outcome IconExporter::WriteFile(const std::string& name, int& count, Write write) {
    const std::string path = ExportFilePath(folder_, name, toolkit::SystemLeadBytes());
    if (IsExistingFile(path)) {
        switch (existing_(name, path)) {
        case ExistingFile::Write: break;
        case ExistingFile::Skip: ++counts_.skipped; return Outcome::Skipped;
        case ExistingFile::Stop: return Outcome::Stopped;
        }
    }
    write(path);
    ++count;
    return Outcome::Written;
}

bool IconExporter::ExportIndex(int index) {
    // Whole icons and PNG files come from the file's images: the shell's 32-pixel icon is needed
    // only for the other formats.
    icon_.Assign(formats_.icon || formats_.bitmap ? source_.Extract(index) : nullptr);
    if (formats_.icon || formats_.wholeIcon) {
        const auto write = [&](const std::string& path) {
            if (formats_.wholeIcon) WriteWholeIconFile(StoredOf(index), path);
            else WriteIconFile(icon_.Handle(), path);
        };
        if (WriteFile(ExportFileName(baseName_, index, ".ICO"), counts_.icons, write) == Outcome::Stopped) return false;
    }
    if (formats_.bitmap) {
        // Rendered before the policy is asked; released however it decides.
        const Picture picture = RenderIconBitmap(icon_.Handle());
        const auto write = [&](const std::string& path) { WriteBitmapFile(picture, path); };
        if (WriteFile(ExportFileName(baseName_, index, ".BMP"), counts_.bitmaps, write) == Outcome::Stopped) return false;
    }
    return !formats_.png || ExportPngFiles(index);
}

// The icon's stored images, read once per index.
const icons::StoredIcon& IconExporter::StoredOf(int index) {
    if (storedIndex_ != index) {
        stored_ = source_.Stored(index);
        storedIndex_ = index;
    }
    return stored_;
}

// One file for the chosen size, or one per stored size; an icon whose file holds no readable image
// gives the shell's icon.
bool IconExporter::ExportPngFiles(int index) {
    const icons::StoredIcon& stored = StoredOf(index);
    const icons::StoredIcon shellIcon = stored.empty() ? ShellIconAsImages([&] { return source_.Extract(index); }) : icons::StoredIcon{};
    const icons::StoredIcon& images = stored.empty() ? shellIcon : stored;
    if (images.empty()) throw EInvalidGraphic::NoIcon();
    for (const PngChoice& choice : ChoosePngImages(FactsOf(images), formats_.pngSize)) {
        const std::string name = formats_.pngSize == kEveryPngSize ? SizedExportFileName(baseName_, index, choice.width, ".PNG")
                                                                   : ExportFileName(baseName_, index, ".PNG");
        const auto write = [&](const std::string& path) { WritePngFile(images, choice, path); };
        if (WriteFile(name, counts_.pngs, write) == Outcome::Stopped) return false;
    }
    return true;
}

}  // namespace iconexport
