#include "app/PictavoUnit.h"

#include <shellapi.h>

#include "app/CatalogueSearch.h"
#include "app/FileNameCase.h"
#include "app/PathNames.h"
#include "toolkit/Application.h"
#include "toolkit/Exceptions.h"

TForm1* Form1 = nullptr;

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr const char* kNameColumn = "ﾌｧｲﾙ名";
constexpr const char* kCountColumn = "ｱｲｺﾝ数";

std::string ExecutableFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return app::FolderPart(path, toolkit::SystemLeadBytes());
}
}  // namespace

TForm1::TForm1(const std::string& settingsPath) {
    Form1 = this;
    CreateForm("Pictavo", 561, 383, toolkit::FormPosition::SystemDefault);
    CreateControls();
    Settings = std::make_unique<app::SettingsFile>(settingsPath);
    FormCreate();
}

TForm1::~TForm1() {
    Destroy();
    toolkit::Application::Instance().OnHint = nullptr;
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateControls() {
    using toolkit::Rect;
    Label1.Create(*this, {20, 8, 0, 0}, "ｱｲｺﾝﾘｽﾄ ：");
    Label2.Create(*this, {81, 8, 0, 0}, "");
    Label2.SetHint("ﾊﾟｽとﾌｧｲﾙ名を表示します");
    Label2.SetShowHint(true);
    Label6.Create(*this, {17, 93, 0, 0}, "検索ﾌｫﾙﾀﾞ ：");
    Label5.Create(*this, {83, 93, 142, 12}, "D:\\...\\TOOL\\PICTAVO6", false);
    Label3.Create(*this, {240, 93, 0, 0}, "ｱｲｺﾝのあるﾌｧｲﾙ ：");
    Label4.Create(*this, {342, 93, 0, 0}, "未検索");
    Label4.SetFontColor(kRed);
    Label4.SetHint("検索するとﾌｧｲﾙ数を表示します");
    Label4.SetShowHint(true);

    ListView1.Create(*this, {240, 112, 211, 241},
                     {{kNameColumn, 120, LVCFMT_LEFT}, {"ｱｲｺﾝ数 ", 65, LVCFMT_CENTER}}, *this);
    ListView1.OnClick = [this] { ListView1Click(); };
    ListView1.OnColumnClick = [this](int column) { ListView1ColumnClick(column); };

    CheckBox1.Create(*this, {468, 136, 71, 23}, "複数ｱｲｺﾝ", true);
    CheckBox1.SetHint("チェックすると複数アイコンのファイルだけを対象にします");
    CheckBox1.SetShowHint(true);
    CheckBox1.OnClick = [this] { CheckBox1Click(); };

    const auto button = [this](toolkit::Button& b, int top, const char* caption, const char* hint) {
        b.Create(*this, {468, top, 77, 25}, caption);
        b.SetHint(hint);
        b.SetShowHint(true);
    };
    button(Btn1, 178, "ﾌｧｲﾙ検索(&S)", "ｱｲｺﾝのあるﾌｧｲﾙを検索します");
    button(Btn2, 226, "見る(&V)", "選択したﾌｧｲﾙのｱｲｺﾝを表示します");
    button(Btn4, 274, "取り出す(&E)...", "表示中のｱｲｺﾝを取り出し、一つずつﾌｧｲﾙに出力します");
    button(Btn3, 322, "終了(&X)", "ばいばい");
    Btn2.SetEnabled(false);
    Btn4.SetEnabled(false);
    Btn1.OnClick = [this] { Btn1Click(); };
    Btn3.OnClick = [this] { Btn3Click(); };

    StatusBar1.Create(*this, 19);
    SetPopupMenu(&PopupMenu1);
}

// Start-up: settings in, the remembered folder entered, the window placed.
void TForm1::FormCreate() {
    char windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    WindowsDir.assign(windows, length < MAX_PATH ? length : 0);

    SearchDir = Settings->ReadString("Env", "IniDir", WindowsDir);
    try {
        EnterSearchDir();
    } catch (const std::exception& error) {
        // Reported; the rest of the start-up still runs so the window is usable.
        toolkit::Application::Instance().HandleException(error);
    }

    SaveDir = Settings->ReadString("Env", "SaveDir", ExecutableFolder());
    SetTop(Settings->ReadInteger("Form", "Top", Top()));
    SetLeft(Settings->ReadInteger("Form", "Left", Left()));
    CheckBox1.SetChecked(Settings->ReadBool("Opt", "MultiIcons", true));
    IcoOut = Settings->ReadBool("Opt", "IcoOut", true);
    BmpOut = Settings->ReadBool("Opt", "BmpOut", false);

    toolkit::Application::Instance().OnHint = [this] { ShowHint(); };
    DragAcceptFiles(Handle(), TRUE);
}

// The remembered folder, or the Windows directory when it cannot be entered.
void TForm1::EnterSearchDir() {
    if (SetCurrentDirectoryA(SearchDir.c_str())) return;
    SearchDir = WindowsDir;
    if (!SetCurrentDirectoryA(SearchDir.c_str())) throw toolkit::EInOutError(GetLastError());
}

// Shut-down: settings out. A failed write ends the saving (the error box says which file).
void TForm1::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    Settings->WriteString("Env", "IniDir", SearchDir);
    Settings->WriteString("Env", "SaveDir", SaveDir);
    Settings->WriteInteger("Form", "Top", Top());
    Settings->WriteInteger("Form", "Left", Left());
    Settings->WriteBool("Opt", "MultiIcons", CheckBox1.Checked());
    Settings->WriteBool("Opt", "IcoOut", IcoOut);
    Settings->WriteBool("Opt", "BmpOut", BmpOut);
    Catalogue.Release();
}

void TForm1::FTVE1Change(const std::string& folderName) {
    Label5.SetCaption(folderName);
    SearchDir = folderName;
    CheckBox1Click();
}

void TForm1::ResetColumnCaptions() {
    ListView1.SetColumnCaption(0, kNameColumn);
    ListView1.SetColumnCaption(1, kCountColumn);
}

// The reset: list, strip and result go back to "not searched".
void TForm1::CheckBox1Click() {
    Label2.SetCaption("");
    ListView1.SetRowCount(0);
    ResetColumnCaptions();
    Btn2.SetEnabled(false);
    Btn4.SetEnabled(false);
    Catalogue.Reset();
    Label4.SetFontColor(kRed);
    Label4.SetCaption("未検索");
}

void TForm1::Btn1Click() {
    ListView1.SetRowCount(0);
    ResetColumnCaptions();
    Btn2.SetEnabled(false);
    Label4.SetFontColor(kRed);
    Label4.SetCaption("検索中…");
    Label4.Repaint();
    {
        toolkit::HourglassCursor busy;
        const auto showResult = [this] {
            if (Catalogue.Count() > 0) {
                Catalogue.SortByName(app::SystemFileNameUpperCase());
                DispNormal();
            }
        };
        try {
            app::SearchFolder(Catalogue, SearchDir, CheckBox1.Checked() ? 2 : 1, Handle());
        } catch (...) {
            showResult();
            throw;
        }
        showResult();
    }
    Label4.SetFontColor(GetSysColor(COLOR_WINDOWTEXT));
    Label4.SetCaption(std::to_string(Catalogue.Count()));
}

void TForm1::DispNormal() {
    Catalogue.ShowNormal();
    ListView1.SetRowCount(Catalogue.Count());
}

void TForm1::DispReverse() {
    Catalogue.ShowReverse();
    ListView1.SetRowCount(Catalogue.Count());
}

std::string TForm1::CellText(int row, int column) const {
    if (row < 0 || row >= Catalogue.Count()) return {};
    const app::IconFileEntry& entry = Catalogue.ShownEntry(row);
    return column == 0 ? std::string(entry.Name()) : std::to_string(entry.icons);
}

void TForm1::ListView1Click() { Btn2.SetEnabled(ListView1.SelectedCount() > 0); }

void TForm1::ListView1ColumnClick(int column) {
    const auto click = Catalogue.ClickHeader(column, app::SystemFileNameUpperCase());
    if (!click.changed) return;
    if (click.reverse) DispReverse();
    else DispNormal();
    ListView1.SetColumnCaption(0, click.nameCaption);
    ListView1.SetColumnCaption(1, click.countCaption);
}

void TForm1::Btn3Click() { Close(); }

void TForm1::ShowHint() { StatusBar1.SetPanelText(toolkit::Application::Instance().Hint()); }
