#include "export/PictavoUnit2.h"
#include "toolkit/ProgramTexts.h"

#include <cstdlib>

#include "icons/PathNames.h"
#include "toolkit/PathShortener.h"
#include "export/PictavoUnit3.h"
#include "export/PngSizeChoice.h"
#include "toolkit/MessageDialog.h"

TForm2* Form2 = nullptr;

namespace {
// Made when first asked for, after the language was chosen at start.
const std::vector<std::string>& PngSizeItems() {
    static const std::vector<std::string> items = {toolkit::Text(toolkit::TextId::ExportLargestPng), "256", "128", "96",
                                                   "64", "48", "32", "24", "16", toolkit::Text(toolkit::TextId::ExportEveryPng)};
    return items;
}

// The size an item of the list stands for.
int SizeOfItem(int index) {
    if (index <= 0) return iconexport::kLargestPngSize;
    if (index == static_cast<int>(PngSizeItems().size()) - 1) return iconexport::kEveryPngSize;
    return std::atoi(PngSizeItems()[static_cast<std::size_t>(index)].c_str());
}
}  // namespace

TForm2::TForm2() {
    Form2 = this;
    CreateForm(toolkit::Text(toolkit::TextId::ExportCaption), 365, 324, toolkit::FormPosition::SystemDefault);
    CreateControls();
}

void TForm2::CreateControls() {
    Label5.Create(*this, {8, 8, 0, 0}, toolkit::Text(toolkit::TextId::ExportSourceLabel));
    Label7.Create(*this, {74, 8, 0, 0}, toolkit::Text(toolkit::TextId::ExportSourceColon));
    Label6.Create(*this, {84, 8, 0, 0}, "");
    Label1.Create(*this, {8, 29, 0, 0}, toolkit::Text(toolkit::TextId::ExportFolderLabel));
    Label2.Create(*this, {88, 29, 136, 12}, "", false);
    Label3.Create(*this, {237, 29, 0, 0}, toolkit::Text(toolkit::TextId::ExportRangeLabel));
    Label4.Create(*this, {298, 29, 0, 0}, "0000-9999");

    // The shell's folders; the export folder follows every folder the tree reports.
    FTVE1.SetHideSelection(false);
    FTVE1.SetIndent(19);
    FTVE1.OnChange = [this](foldertree::TFolderTreeViewEx&, const std::string& folder) { FTVE1Change(folder); };
    FTVE1.Create(*this, {8, 49, 213, 261});

    GroupBox1.Create(*this, {228, 44, 132, 139});
    Label8.Create(GroupBox1, {5, 10, 0, 0}, toolkit::Text(toolkit::TextId::ExportFormatLabel));
    CheckBox1.Create(GroupBox1, {7, 29, 104, 17}, toolkit::Text(toolkit::TextId::ExportIco), true);  // room for "ｶｰｿﾙ（*.CUR）"
    CheckBox2.Create(GroupBox1, {7, 51, 118, 17}, toolkit::Text(toolkit::TextId::ExportBmp), false);
    // Whole icons change what the .ICO files hold, so the box is live only with that format.
    CheckBox3.Create(GroupBox1, {7, 73, 97, 17}, toolkit::Text(toolkit::TextId::ExportAllSizes), false);
    CheckBox3.SetHint(toolkit::Text(toolkit::TextId::ExportAllSizesHint));
    CheckBox3.SetShowHint(true);
    // PNG files of one size or of every stored size; the size list is live only with that format.
    CheckBox4.Create(GroupBox1, {7, 95, 97, 17}, toolkit::Text(toolkit::TextId::ExportPng), false);
    ComboBox1.Create(GroupBox1, {22, 114, 80, 20}, PngSizeItems(), 0);
    ComboBox1.SetEnabled(false);
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    CheckBox2.OnClick = [this] { CheckBox1Click(); };
    CheckBox4.OnClick = [this] { CheckBox1Click(); };

    Button3.Create(*this, {256, 199, 82, 25}, toolkit::Text(toolkit::TextId::ExportNewFolderButton));
    Button3.SetHint(toolkit::Text(toolkit::TextId::ExportNewFolderHint));
    Button3.SetShowHint(true);
    Button3.OnClick = [this] { Button3Click(); };
    Button1.Create(*this, {256, 242, 82, 25}, toolkit::Text(toolkit::TextId::ExportButton));
    Button1.SetHint(toolkit::Text(toolkit::TextId::ExportButtonHint));
    Button1.SetShowHint(true);
    Button1.SetModalResult(toolkit::mrOk);
    Button2.Create(*this, {256, 285, 82, 25}, toolkit::Text(toolkit::TextId::ExportCancel));
    Button2.SetModalResult(toolkit::mrCancel);
    Button2.SetCancel(true);
}

void TForm2::SelectFolder(const std::string& path) {
    FTVE1.SelectPath(path);
    if (FTVE1.Selected()) FTVE1.SetTopItem(FTVE1.Selected());
}

void TForm2::ShowFolder(const std::string& folder) {
    const auto width = [this](const std::string& text) { return TextWidth(text); };
    Label2.SetCaption(toolkit::ShortenPath(folder, width, Label2.Width(), toolkit::SystemLeadBytes()));
}

// Every folder the tree reports becomes the export folder at once; cancelling keeps it.
void TForm2::FTVE1Change(const std::string& folderName) {
    ShowFolder(folderName);
    if (state_) state_->SaveDir = folderName;
}

void TForm2::CheckBox1Click() {
    Button1.SetEnabled(CheckBox1.Checked() || CheckBox2.Checked() || CheckBox4.Checked());
    CheckBox3.SetEnabled(CheckBox1.Checked());
    ComboBox1.SetEnabled(CheckBox4.Checked());
}

int TForm2::PngSize() const { return SizeOfItem(ComboBox1.ItemIndex()); }

// A size the list does not hold (an edited settings file) gives "最大".
void TForm2::SetPngSize(int size) {
    int index = 0;
    for (int i = 0; i < static_cast<int>(PngSizeItems().size()); ++i)
        if (SizeOfItem(i) == size) index = i;
    ComboBox1.SetItemIndex(index);
}

// A new folder inside the export folder, which then becomes the export folder.
void TForm2::Button3Click() {
    if (!state_) return;
    const std::string saveDir = state_->SaveDir;
    const auto width = [](const std::string& text) { return Form3->TextWidth(text); };
    Form3->Label3.SetCaption(toolkit::ShortenPath(saveDir, width, Form3->Label3.Width(), toolkit::SystemLeadBytes()));
    if (Form3->ShowModal() != toolkit::mrOk) return;
    // The path made is the path selected: the refresh may report other folders on its way.
    const std::string path = icons::DirYen(saveDir, toolkit::SystemLeadBytes()) + Form3->Edit1.Text();
    if (!icons::IsFullPath(saveDir) || !CreateDirectoryA(path.c_str(), nullptr)) {
        toolkit::ShowMessage(toolkit::Text(toolkit::TextId::ExportFolderFailed));
        return;
    }
    FTVE1.RefreshTree();
    SelectFolder(path);
    Form3->Edit1.SetText("");
}
