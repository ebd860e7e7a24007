#include "export/PictavoUnit3.h"
#include "toolkit/ProgramTexts.h"

#include "export/FolderNameCheck.h"
#include "toolkit/MessageDialog.h"

TForm3* Form3 = nullptr;

namespace {
constexpr COLORREF kRefusedColor = RGB(255, 0, 0);
}

TForm3::TForm3() {
    Form3 = this;
    CreateForm(toolkit::Text(toolkit::TextId::NewFolderCaption), 290, 125, toolkit::FormPosition::ScreenCenter);
    Label2.Create(*this, {29, 16, 0, 0}, toolkit::Text(toolkit::TextId::NewFolderCurrentLabel));
    Label3.Create(*this, {120, 16, 161, 12}, "", false);
    Label1.Create(*this, {29, 40, 0, 0}, toolkit::Text(toolkit::TextId::NewFolderNameLabel));
    // Created in the tab order: the name, OK, Cancel.
    Edit1.Create(*this, {29, 55, 233, 20}, "");
    Edit1.OnChange = [this] { Edit1Change(); };
    Button1.Create(*this, {56, 88, 75, 25}, toolkit::Text(toolkit::TextId::NewFolderOk));
    Button1.SetModalResult(toolkit::mrOk);
    Button1.SetDefault(true);
    Button1.SetEnabled(false);
    Button2.Create(*this, {160, 88, 75, 25}, toolkit::Text(toolkit::TextId::NewFolderCancel));
    Button2.SetModalResult(toolkit::mrCancel);
    Button2.SetCancel(true);
    OnActivate = [this] { FormActivate(); };
}

bool TForm3::IsValidFolderName(const std::string& name) {
    return iconexport::IsValidFolderName(name, toolkit::SystemLeadBytes());
}

// Runs on every change of the name, typed or set: a refused character is reported at once.
void TForm3::Edit1Change() {
    const std::string name = Edit1.Text();
    if (IsValidFolderName(name)) {
        Edit1.SetColor(GetSysColor(COLOR_WINDOW));
        Button1.SetEnabled(!name.empty());
        return;
    }
    toolkit::ShowMessage(toolkit::Text(toolkit::TextId::NewFolderRefusal));
    Edit1.SetColor(kRefusedColor);
    Button1.SetEnabled(false);
}

void TForm3::FormActivate() { Edit1.SetFocus(); }
