#include "app/ConsoleExport.h"
#include "app/NoCursorsMessage.h"
#include "app/ConsoleSources.h"
#include "app/SessionEndWindow.h"
#include "app/WrittenIcons.h"

#include <shlobj.h>

#include <algorithm>
#include <atomic>

#include "icons/FileNameCase.h"
#include "icons/IconSource.h"
#include "icons/PathNames.h"
#include "export/ExportFileNames.h"
#include "export/IconExport.h"
#include "export/PngSizeChoice.h"
#include "toolkit/DoubleByte.h"
#include "toolkit/Exceptions.h"
#include "toolkit/ProgramTexts.h"

namespace console {

namespace {

std::atomic<bool> g_interrupted{false};
std::atomic<int> g_exitStatus{kSomethingFailed};
// Set once the run has ended; never closed, as a closing console's handler may still wait on it.
const HANDLE g_runEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);

// Closing the console, logging off and shutting down: the system ends the process as soon as the
// handler returns, so the run is stopped after the file being written, and the process ended here
// with the run's status once it has.
[[noreturn]] void EndAfterTheRun() {
    g_interrupted = true;
    WaitForSingleObject(g_runEnded, INFINITE);
    ExitProcess(static_cast<UINT>(g_exitStatus.load()));
}

// Ctrl+C and Ctrl+Break end the run after the file being written, not at once; so do the ends
// above. The handler runs on a thread of its own.
BOOL WINAPI NoteInterruption(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        g_interrupted = true;
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        EndAfterTheRun();
    default:
        return FALSE;
    }
}

// The handlers for the run's length; their end lets a waiting handler end the process.
class InterruptionHandling {
public:
    InterruptionHandling() : sessionEnd_(EndAfterTheRun) { SetConsoleCtrlHandler(NoteInterruption, TRUE); }
    InterruptionHandling(const InterruptionHandling&) = delete;
    InterruptionHandling& operator=(const InterruptionHandling&) = delete;
    ~InterruptionHandling() { SetEvent(g_runEnded); }
    void Ended(int status) { g_exitStatus = status; }

private:
    // Where the window libraries are loaded, the session's end comes as a window message.
    SessionEndWindow sessionEnd_;
};

using toolkit::TextId;
using toolkit::TextWith;

// The folder and those above it, made where missing.
bool MakeFolder(const std::string& folder) {
    return IsFolder(folder) || SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr) == ERROR_SUCCESS || IsFolder(folder);
}

class Run {
public:
    Run(const Options& options, ConsoleText& out, ConsoleText& errors)
        : options_(options), out_(out), errors_(errors), codePage_(toolkit::SystemLeadBytes()),
          written_(icons::SystemFileNameUpperCase(), codePage_) {}

    int Go() {
        const std::string output = FullPath(options_.outputFolder.empty() ? "." : options_.outputFolder);
        if (!MakeFolder(output)) return Fail(TextWith(TextId::ConsoleFolderNotMade, {output})), kSomethingFailed;
        for (const std::string& source : options_.sources) {
            if (g_interrupted) break;
            const std::string path = FullPath(source);
            if (IsFolder(path)) ExportFolder(path, output);
            else ExportFile(path, icons::FileNamePart(path, codePage_), output, true);
        }
        if (!options_.quiet) {
            out_.Line(TextWith(TextId::ConsoleTotals,
                               {std::to_string(files_), std::to_string(filesWritten_), std::to_string(skipped_)}));
        }
        if (g_interrupted) Fail(toolkit::Text(TextId::ConsoleInterrupted));
        return failed_ ? kSomethingFailed : kAllDone;
    }

private:
    // The folder's files as the search takes them, sorted by name; below the output folder each
    // keeps its folder relative to the source folder.
    void ExportFolder(const std::string& folder, const std::string& output) {
        const std::vector<std::string> names =
            FolderIconFiles(folder, options_.subFolders, options_.multipleOnly, [] { return !g_interrupted; }, Groups());
        for (std::size_t position = 0; position < names.size() && !g_interrupted; ++position) {
            const std::string& relative = names[position];
            const std::string subFolder = icons::FolderPart(relative, codePage_);
            const std::string target = subFolder.empty() ? output : icons::DirYen(output, codePage_) + subFolder;
            if (!MakeFolder(target)) {
                Fail(TextWith(TextId::ConsoleFolderNotMade, {target}));
                continue;
            }
            ExportFile(icons::DirYen(folder, codePage_) + relative, relative, target, false);
        }
    }

    // named: how the file is called in the line and the exported names; alone: given by itself,
    // so that holding no icons, or none in the range asked for, is an error.
    void ExportFile(const std::string& path, const std::string& named, const std::string& output, bool alone) {
        if (alone && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return Fail(TextWith(TextId::DropNotFound, {path}));
        icons::IconFile source(nullptr, path, Groups());
        if (source.Count() < 1)
            return alone ? Fail(options_.cursors ? NoCursorsMessage(path) : TextWith(TextId::DropNoIcons, {path})) : void();
        if (alone && options_.firstIndex >= source.Count())
            return Fail(TextWith(TextId::ConsoleRangePast, {path, std::to_string(source.Count()), RangeText()}));
        const int last = options_.lastIndex < 0 ? source.Count() - 1 : std::min(options_.lastIndex, source.Count() - 1);
        const std::string baseName = iconexport::ExportBaseName(named, codePage_);
        // Nothing of a source whose files would take the names of files this run wrote.
        for (int index = options_.firstIndex; index <= last; ++index)
            if (const std::string* earlier = written_.WriterOf(output, baseName, index))
                return Fail(TextWith(TextId::ConsoleNamesTaken, {path, ShownName(baseName, index), *earlier}));
        ++files_;
        iconexport::IconExporter exporter(source, baseName, output, Formats(),
                                          [this](const std::string&, const std::string&) {
                                              return options_.replace ? iconexport::ExistingFile::Write
                                                                      : iconexport::ExistingFile::Skip;
                                          });
        exporter.ReportErrors(path, [this](const iconexport::ExportError& error) {
            Fail(TextWith(TextId::ConsoleIconError, {error.file, std::to_string(error.index), error.reason}));
            return iconexport::AfterError::GoOn;
        });
        for (int index = options_.firstIndex; index <= last && !g_interrupted; ++index) {
            const int before = exporter.Counts().Written();
            try {
                exporter.ExportIndex(index);
            } catch (const std::exception& error) {
                Fail(error.what());
            }
            if (exporter.Counts().Written() > before) written_.Note(output, baseName, index, path);
        }
        const iconexport::ExportCounts& counts = exporter.Counts();
        filesWritten_ += counts.Written();
        skipped_ += counts.skipped;
        if (!options_.quiet) {
            out_.Line(TextWith(TextId::ConsoleFileLine, {path, std::to_string(source.Count()),
                                                         std::to_string(counts.Written()), std::to_string(counts.skipped)}));
        }
    }

    // "N" or "N-M" as /I gave it.
    std::string RangeText() const {
        const std::string first = std::to_string(options_.firstIndex);
        return options_.lastIndex == options_.firstIndex ? first : first + "-" + std::to_string(options_.lastIndex);
    }

    // The name of icon `index`'s first file in the order they are written.
    std::string ShownName(const std::string& baseName, int index) const {
        if (options_.cursors && (options_.wholeIcon || options_.icon32)) return iconexport::ExportFileName(baseName, index, ".CUR");
        if (options_.wholeIcon || options_.icon32) return iconexport::ExportFileName(baseName, index, ".ICO");
        if (options_.bitmap) return iconexport::ExportFileName(baseName, index, ".BMP");
        if (options_.pngSize == iconexport::kEveryPngSize) return iconexport::ExportFileName(baseName, index, "-*.PNG");
        return iconexport::ExportFileName(baseName, index, ".PNG");
    }

    icons::ImageGroupKind Groups() const {
        return options_.cursors ? icons::ImageGroupKind::Cursors : icons::ImageGroupKind::Icons;
    }

    iconexport::ExportFormats Formats() const {
        iconexport::ExportFormats formats;
        formats.icon = options_.icon32;
        formats.wholeIcon = options_.wholeIcon;
        formats.bitmap = options_.bitmap;
        formats.png = options_.png;
        formats.pngSize = options_.pngSize;
        return formats;
    }

    void Fail(const std::string& message) {
        errors_.Line(message);
        failed_ = true;
    }

    const Options& options_;
    ConsoleText& out_;
    ConsoleText& errors_;
    const toolkit::LeadByteTable& codePage_;
    WrittenIcons written_;
    int files_ = 0, filesWritten_ = 0, skipped_ = 0;
    bool failed_ = false;
};

}  // namespace

int RunConsoleExport(const Options& options, ConsoleText& out, ConsoleText& errors) {
    InterruptionHandling interruption;
    const int status = Run(options, out, errors).Go();
    interruption.Ended(status);
    return status;
}

}  // namespace console
