// The export run, started by the export button and by a double click on the strip: the export
// dialog, then an .ICO, a .BMP and/or .PNG files per icon, asking before an existing file is replaced.
#include "app/PictavoUnit.h"
#include "toolkit/ProgramTexts.h"

#include <cstdio>

#include "icons/IconSource.h"
#include "icons/PathNames.h"
#include "export/ExportFileNames.h"
#include "export/FileTimeText.h"
#include "export/IconExport.h"
#include "export/PictavoUnit2.h"
#include "export/PictavoUnit5.h"
#include "toolkit/Application.h"
#include "toolkit/Exceptions.h"
#include "toolkit/MessageDialog.h"

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

// The dialog's export: the chosen formats into SaveDir, asking before an existing file is
// replaced, until the user answers All.
class DialogExport {
public:
    explicit DialogExport(TForm1& form)
        : form_(form),
          source_(form.Handle(), app::DirYen(form.SearchDir, toolkit::SystemLeadBytes()) + form.StripFileName),
          exporter_(source_, iconexport::ExportBaseName(form.StripFileName, toolkit::SystemLeadBytes()), form.SaveDir,
                    Formats(form), [this](const std::string& name, const std::string&) { return Ask(name); }) {}

    bool ExportIndex(int index) { return exporter_.ExportIndex(index); }
    const iconexport::ExportCounts& Counts() const { return exporter_.Counts(); }

private:
    static iconexport::ExportFormats Formats(const TForm1& form) {
        iconexport::ExportFormats formats;
        formats.icon = form.IcoOut && !form.IcoAllSizes;
        formats.wholeIcon = form.IcoOut && form.IcoAllSizes;
        formats.bitmap = form.BmpOut;
        formats.png = form.PngOut;
        formats.pngSize = form.PngSize;
        return formats;
    }

    iconexport::ExistingFile Ask(const std::string& name) {
        if (!ask_) return iconexport::ExistingFile::Write;
        form_.FillDupForm(name);
        const toolkit::NormalCursor asking;
        switch (Form5->ShowModal()) {
        case toolkit::mrYes: return iconexport::ExistingFile::Write;
        case toolkit::mrNo: return iconexport::ExistingFile::Skip;
        case toolkit::mrAll: ask_ = false; return iconexport::ExistingFile::Write;
        default: return iconexport::ExistingFile::Stop;
        }
    }

    TForm1& form_;
    app::IconFile source_;
    iconexport::IconExporter exporter_;
    bool ask_ = true;
};

// The remembered export folder, or the executable's folder when it cannot be entered.
void EnterSaveDir(TForm1& form) {
    if (SetCurrentDirectoryA(form.SaveDir.c_str())) return;
    form.SaveDir = app::ExecutableFolder();
    EnterFolder(form.SaveDir);
}

void PrepareExportDialog(TForm1& form, int first, int last) {
    Form2->SetTop(form.Settings->ReadInteger("Form", "Form2Top", Form2->Top()));
    Form2->SetLeft(form.Settings->ReadInteger("Form", "Form2Left", Form2->Left()));
    Form2->KeepOnAMonitor();
    Form2->Label6.SetCaption(form.StripFileName);
    // The label names the export folder also when the tree cannot select it (a network share).
    Form2->ShowFolder(form.SaveDir);
    Form2->SelectFolder(form.SaveDir);
    Form2->Label4.SetCaption(RangeText(first, last));
    Form2->CheckBox1.SetChecked(form.IcoOut);
    Form2->CheckBox2.SetChecked(form.BmpOut);
    Form2->CheckBox3.SetChecked(form.IcoAllSizes);
    Form2->CheckBox4.SetChecked(form.PngOut);
    Form2->SetPngSize(form.PngSize);
}

void WriteExportFiles(TForm1& form, int first, int last) {
    EnterFolder(form.SaveDir);
    form.IcoOut = Form2->CheckBox1.Checked();
    form.BmpOut = Form2->CheckBox2.Checked();
    form.IcoAllSizes = Form2->CheckBox3.Checked();
    form.PngOut = Form2->CheckBox4.Checked();
    form.PngSize = Form2->PngSize();
    int icons = 0, bitmaps = 0, pngs = 0;
    {
        const toolkit::HourglassCursor busy;  // back for the summary, and for an error's box
        DialogExport run(form);
        for (int index = first; index <= last; ++index)
            if (!run.ExportIndex(index)) break;
        icons = run.Counts().icons;
        bitmaps = run.Counts().bitmaps;
        pngs = run.Counts().pngs;
    }
    toolkit::ShowMessage(SummaryText(icons, bitmaps, form.PngOut, pngs));
}

}  // namespace

// An error on the way (a folder that cannot be entered, a file that cannot be written) ends the
// run at once: files written before stay, and neither the summary nor the position follows.
void TForm1::PutIcon(int first, int last) {
    EnterSaveDir(*this);
    PrepareExportDialog(*this, first, last);
    if (Form2->ShowModal() == toolkit::mrOk) WriteExportFiles(*this, first, last);
    Settings->WriteInteger("Form", "Form2Top", Form2->Top());
    Settings->WriteInteger("Form", "Form2Left", Form2->Left());
}

void TForm1::FillDupForm(const std::string& name) {
    Form5->Label7.SetCaption(name);
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((app::DirYen(SaveDir, toolkit::SystemLeadBytes()) + name).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        Form5->Label5.SetCaption(toolkit::Text(toolkit::TextId::OverwriteNoFacts));
        Form5->Label6.SetCaption(toolkit::Text(toolkit::TextId::OverwriteNoSize));
        return;
    }
    FindClose(find);
    const unsigned long long size = (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    Form5->Label5.SetCaption(iconexport::FileTimeText(entry.ftLastWriteTime));
    Form5->Label6.SetCaption(toolkit::TextWith(toolkit::TextId::OverwriteSize, {std::to_string(size)}));
}
