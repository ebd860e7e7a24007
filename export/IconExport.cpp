#include "export/IconExport.h"

#include <windows.h>

#include <utility>

#include "export/BitmapFileWriter.h"
#include "export/ExportFileNames.h"
#include "export/IconBitmapRenderer.h"
#include "export/IconFileWriter.h"
#include "export/PngFileWriter.h"
#include "export/PngSizeChoice.h"
#include "export/SafeFileReplace.h"
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

void IconExporter::ReportErrors(std::string file, ExportErrorPolicy policy) {
    errorFile_ = std::move(file);
    onError_ = std::move(policy);
}

template <typename Step>
IconExporter::Outcome IconExporter::Guarded(int index, Step step) {
    try {
        return step();
    } catch (const std::exception& error) {
        if (!onError_ || onError_({errorFile_, index, error.what()}) == AfterError::Stop) throw;
        return Outcome::Failed;
    }
}

const WicImaging& IconExporter::Imaging() {
    if (!imaging_) imaging_ = std::make_unique<WicImaging>();
    return *imaging_;
}

bool IconExporter::ExportIndex(int index) {
    // Whole icons and PNG files come from the file's images: the shell's 32-pixel icon is needed
    // only for the other formats.
    const bool cursors = source_.Groups() == icons::ImageGroupKind::Cursors;
    icon_.Assign((formats_.icon && !cursors) || formats_.bitmap ? source_.Extract(index) : nullptr);
    if (cursors && (formats_.icon || formats_.wholeIcon)) {
        if (Guarded(index, [&] { return WriteWholeCursor(index); }) == Outcome::Stopped) return false;
    } else if (formats_.icon || formats_.wholeIcon) {
        const auto write = [&](const std::string& path) {
            if (formats_.wholeIcon) WriteWholeIconFile(StoredOf(index), path);
            else WriteIconFile(icon_.Handle(), path);
        };
        const auto step = [&] { return WriteFile(ExportFileName(baseName_, index, ".ICO"), counts_.icons, write); };
        if (Guarded(index, step) == Outcome::Stopped) return false;
    }
    if (formats_.bitmap) {
        const auto step = [&] {
            // An icon the reader refused is an error, never a blank bitmap. The picture is rendered
            // before the policy is asked and released however it decides.
            if (!icon_.Handle()) throw EInvalidGraphic::NoIcon();
            const Picture picture = RenderIconBitmap(icon_.Handle());
            const auto write = [&](const std::string& path) { WriteBitmapFile(picture, path); };
            return WriteFile(ExportFileName(baseName_, index, ".BMP"), counts_.bitmaps, write);
        };
        if (Guarded(index, step) == Outcome::Stopped) return false;
    }
    return !formats_.png || ExportPngFiles(index);
}

// A cursor is written whole: an animated one as its file stores it (.ANI), any other as a cursor
// file of every image with its hotspot (.CUR). Counted with the icons.
IconExporter::Outcome IconExporter::WriteWholeCursor(int index) {
    if (const std::optional<icons::AnimatedCursor> animation = source_.Animation(index)) {
        const auto write = [&](const std::string& path) { ReplaceFileContents(path, animation->bytes); };
        return WriteFile(ExportFileName(baseName_, index, ".ANI"), counts_.icons, write);
    }
    const auto write = [&](const std::string& path) { WriteWholeIconFile(StoredOf(index), path); };
    return WriteFile(ExportFileName(baseName_, index, ".CUR"), counts_.icons, write);
}

// The icon's stored images, read once per index.
const icons::StoredIcon& IconExporter::StoredOf(int index) {
    if (storedIndex_ != index) {
        stored_ = source_.Stored(index);
        storedIndex_ = index;
    }
    return stored_;
}

// One file for the chosen size, or one per stored size; an icon whose file holds no image gives the
// shell's icon. An icon of none but unreadable images is one error.
bool IconExporter::ExportPngFiles(int index) {
    const icons::StoredIcon& stored = StoredOf(index);
    const icons::StoredIcon shellIcon = stored.empty() ? ShellIconAsImages([&] { return source_.Extract(index); }) : icons::StoredIcon{};
    const icons::StoredIcon& images = stored.empty() ? shellIcon : stored;
    std::vector<PngChoice> choices;
    const auto choose = [&] {
        if (images.empty()) throw EInvalidGraphic::NoIcon();
        choices = ChoosePngImages(FactsOf(images), formats_.pngSize);
        if (choices.empty()) throw EInvalidGraphic::UnreadableImages();
        return Outcome::Written;
    };
    if (Guarded(index, choose) == Outcome::Failed) return true;
    for (const PngChoice& choice : choices) {
        const std::string name = PngFileName(baseName_, index, formats_.pngSize, choice);
        const auto write = [&](const std::string& path) { WritePngFile(Imaging(), images, choice, path); };
        if (Guarded(index, [&] { return WriteFile(name, counts_.pngs, write); }) == Outcome::Stopped) return false;
    }
    return true;
}

}  // namespace iconexport
