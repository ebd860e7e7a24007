// The export run, started by the export button and by a double click on the strip: the export
// dialog, then an .ICO, a .BMP and/or .PNG files per icon, asking before an existing file is replaced.
#include "app/PictavoUnit.h"

#include <cstdio>

#include "app/IconHolder.h"
#include "app/IconSource.h"
#include "app/PathNames.h"
#include "export/BitmapFileWriter.h"
#include "export/ExportFileNames.h"
#include "export/FileTimeText.h"
#include "export/IconBitmapRenderer.h"
#include "export/IconFileWriter.h"
#include "export/PictavoUnit2.h"
#include "export/PictavoUnit5.h"
#include "export/PngFileWriter.h"
#include "export/PngSizeChoice.h"
#include "export/ShellIconImage.h"
#include "export/WriterErrors.h"
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
        std::snprintf(text, sizeof text, "%d個のアイコンと %d個のビットマップと %d個のPNGを取り出しました。", icons, bitmaps, pngs);
    else
        std::snprintf(text, sizeof text, "%d個のアイコンと %d個のビットマップを取り出しました。", icons, bitmaps);
    return text;
}

// A folder of the file's name does not count: it is not asked about, and its write then fails.
bool IsExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The writing of one run: the files of each index, the overwrite question and the counts.
class ExportWriter {
public:
    explicit ExportWriter(TForm1& form)
        : form_(form),
          baseName_(iconexport::ExportBaseName(form.StripFileName, toolkit::SystemLeadBytes())),
          source_(form.Handle(), app::DirYen(form.SearchDir, toolkit::SystemLeadBytes()) + form.StripFileName) {}

    // Writes the chosen formats of icon `index`; false when the user cancelled the run.
    bool ExportIndex(int index) {
        // Whole icons are copied from the file: the shell's 32-pixel icon is needed only otherwise.
        const bool drawn = form_.BmpOut || (form_.IcoOut && !form_.IcoAllSizes);
        icon_.Assign(drawn ? source_.Extract(index) : nullptr);
        if (form_.IcoOut) {
            const std::string name = iconexport::ExportFileName(baseName_, index, ".ICO");
            const std::string path = PathOf(name);
            const Answer answer = MayWrite(name, path);
            if (answer == Answer::Stop) return false;
            if (answer == Answer::Write) {
                if (form_.IcoAllSizes)
                    iconexport::WriteWholeIconFile(StoredOf(index), path);
                else
                    iconexport::WriteIconFile(icon_.Handle(), path);
                ++iconsWritten;
            }
        }
        if (form_.BmpOut) {
            // Rendered before the question; released however the question is answered.
            const iconexport::Picture picture = iconexport::RenderIconBitmap(icon_.Handle());
            const std::string name = iconexport::ExportFileName(baseName_, index, ".BMP");
            const std::string path = PathOf(name);
            const Answer answer = MayWrite(name, path);
            if (answer == Answer::Stop) return false;
            if (answer == Answer::Write) {
                iconexport::WriteBitmapFile(picture, path);
                ++bitmapsWritten;
            }
        }
        return !form_.PngOut || ExportPngFiles(index);
    }

    int iconsWritten = 0;
    int bitmapsWritten = 0;
    int pngsWritten = 0;

private:
    enum class Answer { Write, Skip, Stop };

    // The icon's stored images, read once per index.
    const app::StoredIcon& StoredOf(int index) {
        if (storedIndex_ != index) {
            stored_ = source_.Stored(index);
            storedIndex_ = index;
        }
        return stored_;
    }

    // One file for the chosen size, or one per stored size; an icon whose file holds no readable
    // image gives the shell's icon. False when the user cancelled the run.
    bool ExportPngFiles(int index) {
        const app::StoredIcon& stored = StoredOf(index);
        const app::StoredIcon shellIcon =
            stored.empty() ? iconexport::ShellIconAsImages([&] { return source_.Extract(index); }) : app::StoredIcon{};
        const app::StoredIcon& images = stored.empty() ? shellIcon : stored;
        if (images.empty()) throw iconexport::EInvalidGraphic::NoIcon();
        for (const iconexport::PngChoice& choice : iconexport::ChoosePngImages(iconexport::FactsOf(images), form_.PngSize)) {
            const std::string name = form_.PngSize == iconexport::kEveryPngSize
                                         ? iconexport::SizedExportFileName(baseName_, index, choice.width, ".PNG")
                                         : iconexport::ExportFileName(baseName_, index, ".PNG");
            const std::string path = PathOf(name);
            const Answer answer = MayWrite(name, path);
            if (answer == Answer::Stop) return false;
            if (answer == Answer::Write) {
                iconexport::WritePngFile(images, choice, path);
                ++pngsWritten;
            }
        }
        return true;
    }

    std::string PathOf(const std::string& name) const {
        return iconexport::ExportFilePath(form_.SaveDir, name, toolkit::SystemLeadBytes());
    }

    // Asks before an existing file is replaced, until the user answers All.
    Answer MayWrite(const std::string& name, const std::string& path) {
        if (!ask_ || !IsExistingFile(path)) return Answer::Write;
        form_.FillDupForm(name);
        const toolkit::NormalCursor asking;
        switch (Form5->ShowModal()) {
        case toolkit::mrYes: return Answer::Write;
        case toolkit::mrNo: return Answer::Skip;
        case toolkit::mrAll: ask_ = false; return Answer::Write;
        default: return Answer::Stop;
        }
    }

    TForm1& form_;
    const std::string baseName_;
    app::IconFile source_;
    app::IconHolder icon_;  // one holder for the run: each icon releases the one before
    app::StoredIcon stored_;
    int storedIndex_ = -1;
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
        ExportWriter writer(form);
        for (int index = first; index <= last; ++index)
            if (!writer.ExportIndex(index)) break;
        icons = writer.iconsWritten;
        bitmaps = writer.bitmapsWritten;
        pngs = writer.pngsWritten;
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
        Form5->Label5.SetCaption("取得に失敗しました");
        Form5->Label6.SetCaption("??? バイト");
        return;
    }
    FindClose(find);
    const unsigned long long size = (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    Form5->Label5.SetCaption(iconexport::FileTimeText(entry.ftLastWriteTime));
    Form5->Label6.SetCaption(std::to_string(size) + " バイト");
}
