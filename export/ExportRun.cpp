#include "export/ExportRun.h"

#include "toolkit/ProgramTexts.h"

#include <cstdio>
#include <memory>

#include "icons/IconSource.h"
#include "icons/PathNames.h"
#include "icons/ProgramLocation.h"
#include "export/ExportFileNames.h"
#include "export/FileTimeText.h"
#include "export/IconExport.h"
#include "export/PictavoUnit2.h"
#include "export/PictavoUnit5.h"
#include "toolkit/Application.h"
#include "toolkit/Exceptions.h"
#include "toolkit/MessageDialog.h"

namespace iconexport {

namespace {

void EnterFolder(const std::string& folder) {
    if (!SetCurrentDirectoryA(folder.c_str())) throw toolkit::EInOutError(GetLastError());
}

std::string RangeText(int first, int last) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4d-%.4d", first, last);
    return text;
}

// PNG files are counted only in a run that wrote them: without, the summary is as it always was.
std::string SummaryText(int icons, int bitmaps, bool pngOut, int pngs) {
    char text[160];
    if (pngOut)
        std::snprintf(text, sizeof text, toolkit::Text(toolkit::TextId::ExportSummaryWithPng), icons, bitmaps, pngs);
    else
        std::snprintf(text, sizeof text, toolkit::Text(toolkit::TextId::ExportSummary), icons, bitmaps);
    return text;
}

// The question before an existing file is replaced, asked until the user answers All.
class OverwriteQuestion {
public:
    explicit OverwriteQuestion(std::string saveDir) : saveDir_(std::move(saveDir)) {}

    ExistingFile Ask(const std::string& name) {
        if (!ask_) return ExistingFile::Write;
        FillOverwriteQuestion(saveDir_, name);
        const toolkit::NormalCursor asking;
        switch (Form5->ShowModal()) {
        case toolkit::mrYes: return ExistingFile::Write;
        case toolkit::mrNo: return ExistingFile::Skip;
        case toolkit::mrAll: ask_ = false; return ExistingFile::Write;
        default: return ExistingFile::Stop;
        }
    }

private:
    std::string saveDir_;
    bool ask_ = true;
};

// The dialog's export of one file (`path`, its files named after `fileName`): the chosen formats
// into SaveDir, existing files as the question decides.
class DialogExport {
public:
    DialogExport(const ProgramState& state, HWND owner, const std::string& path, const std::string& fileName,
                 icons::ImageGroupKind groups, OverwriteQuestion& question)
        : source_(owner, path, groups),
          exporter_(source_, ExportBaseName(fileName, toolkit::SystemLeadBytes()), state.SaveDir,
                    Formats(state), [&question](const std::string& name, const std::string&) { return question.Ask(name); }) {}

    bool ExportIndex(int index) { return exporter_.ExportIndex(index); }
    const ExportCounts& Counts() const { return exporter_.Counts(); }

private:
    static ExportFormats Formats(const ProgramState& state) {
        ExportFormats formats;
        formats.icon = state.IcoOut && !state.IcoAllSizes;
        formats.wholeIcon = state.IcoOut && state.IcoAllSizes;
        formats.bitmap = state.BmpOut;
        formats.png = state.PngOut;
        formats.pngSize = state.PngSize;
        return formats;
    }

    icons::IconFile source_;
    IconExporter exporter_;
};

void AddCounts(ExportCounts& total, const ExportCounts& counts) {
    total.icons += counts.icons;
    total.bitmaps += counts.bitmaps;
    total.pngs += counts.pngs;
}

// The remembered export folder, or the executable's folder when it cannot be entered.
void EnterSaveDir(ProgramState& state) {
    if (SetCurrentDirectoryA(state.SaveDir.c_str())) return;
    state.SaveDir = icons::ExecutableFolder();
    EnterFolder(state.SaveDir);
}

void PrepareExportDialog(ProgramState& state, const std::string& fileName, int first, int last) {
    Form2->UseState(state);
    Form2->SetTop(state.Settings->ReadInteger("Form", "Form2Top", Form2->Top()));
    Form2->SetLeft(state.Settings->ReadInteger("Form", "Form2Left", Form2->Left()));
    Form2->KeepOnAMonitor();
    Form2->Label6.SetCaption(fileName);
    // The label names the export folder also when the tree cannot select it (a network share).
    Form2->ShowFolder(state.SaveDir);
    Form2->SelectFolder(state.SaveDir);
    Form2->Label4.SetCaption(RangeText(first, last));
    Form2->CheckBox1.SetCaption(toolkit::Text(state.ShowCursors ? toolkit::TextId::ExportCur : toolkit::TextId::ExportIco));
    Form2->CheckBox1.SetChecked(state.IcoOut);
    Form2->CheckBox2.SetChecked(state.BmpOut);
    Form2->CheckBox3.SetChecked(state.IcoAllSizes);
    Form2->CheckBox4.SetChecked(state.PngOut);
    Form2->SetPngSize(state.PngSize);
}

void WriteExportFiles(ProgramState& state, HWND owner, const std::string& fileName, int first, int last) {
    EnterFolder(state.SaveDir);
    state.IcoOut = Form2->CheckBox1.Checked();
    state.BmpOut = Form2->CheckBox2.Checked();
    state.IcoAllSizes = Form2->CheckBox3.Checked();
    state.PngOut = Form2->CheckBox4.Checked();
    state.PngSize = Form2->PngSize();
    ExportCounts counts;
    {
        const toolkit::HourglassCursor busy;  // back for the summary, and for an error's box
        OverwriteQuestion question(state.SaveDir);
        DialogExport run(state, owner, icons::DirYen(state.SearchDir, toolkit::SystemLeadBytes()) + fileName, fileName,
                         state.Groups(), question);
        for (int index = first; index <= last; ++index)
            if (!run.ExportIndex(index)) break;
        counts = run.Counts();
    }
    toolkit::ShowMessage(SummaryText(counts.icons, counts.bitmaps, state.PngOut, counts.pngs));
}

}  // namespace

// An error on the way (a folder that cannot be entered, a file that cannot be written) ends the
// run at once: files written before stay, and neither the summary nor the position follows.
void RunExport(ProgramState& state, HWND owner, const std::string& fileName, int first, int last) {
    EnterSaveDir(state);
    PrepareExportDialog(state, fileName, first, last);
    if (Form2->ShowModal() == toolkit::mrOk) WriteExportFiles(state, owner, fileName, first, last);
    state.Settings->WriteInteger("Form", "Form2Top", Form2->Top());
    state.Settings->WriteInteger("Form", "Form2Left", Form2->Left());
}

// Without the dialog: its remembered formats into SaveDir, the icons in the order given, each
// file opened once for its run of icons.
void ExportIcons(ProgramState& state, HWND owner, const std::vector<IconToExport>& icons) {
    EnterSaveDir(state);
    ExportCounts counts;
    {
        const toolkit::HourglassCursor busy;
        OverwriteQuestion question(state.SaveDir);
        std::unique_ptr<DialogExport> run;
        std::string runPath;
        const auto endRun = [&] {
            if (run) AddCounts(counts, run->Counts());
            run.reset();
        };
        for (const IconToExport& icon : icons) {
            if (!run || icon.path != runPath) {
                endRun();
                // The gallery shows icons, whatever the main window lists.
                run = std::make_unique<DialogExport>(state, owner, icon.path, icon.fileName, icons::ImageGroupKind::Icons,
                                                     question);
                runPath = icon.path;
            }
            if (!run->ExportIndex(icon.index)) break;
        }
        endRun();
    }
    toolkit::ShowMessage(SummaryText(counts.icons, counts.bitmaps, state.PngOut, counts.pngs));
}

void FillOverwriteQuestion(const std::string& saveDir, const std::string& name) {
    Form5->Label7.SetCaption(name);
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((icons::DirYen(saveDir, toolkit::SystemLeadBytes()) + name).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        Form5->Label5.SetCaption(toolkit::Text(toolkit::TextId::OverwriteNoFacts));
        Form5->Label6.SetCaption(toolkit::Text(toolkit::TextId::OverwriteNoSize));
        return;
    }
    FindClose(find);
    const unsigned long long size = (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    Form5->Label5.SetCaption(FileTimeText(entry.ftLastWriteTime));
    Form5->Label6.SetCaption(toolkit::TextWith(toolkit::TextId::OverwriteSize, {std::to_string(size)}));
}

}  // namespace iconexport
