#include "app/PictavoUnit.h"
#include "app/NoCursorsMessage.h"
#include "toolkit/ProgramTexts.h"

#include <shellapi.h>

#include <cstdio>

#include "icons/CatalogueSearch.h"
#include "icons/FileNameCase.h"
#include "icons/IconHolder.h"
#include "icons/IconSource.h"
#include "icons/PathNames.h"
#include "toolkit/PathShortener.h"
#include "dialogs/PictavoUnit4.h"
#include "dialogs/PictavoUnit6.h"
#include "export/ExportRun.h"
#include "toolkit/Application.h"
#include "toolkit/Exceptions.h"
#include "toolkit/MessageDialog.h"
#include "toolkit/WideArguments.h"

TForm1* Form1 = nullptr;

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
// The sub-folder search reads the user's input this often, and shows its progress every third
// time: each showing costs Wine several milliseconds of drawing.
constexpr DWORD kProgressInterval = 100;
constexpr int kInputsPerProgress = 3;
}  // namespace

TForm1::TForm1(const std::string& settingsPath) {
    Form1 = this;
    CreateForm("Pictavo", 561, 383, toolkit::FormPosition::SystemDefault);
    CreateControls();
    Settings = std::make_unique<toolkit::SettingsFile>(settingsPath);
    FormCreate();
}

TForm1::~TForm1() {
    Destroy();
    toolkit::Application::Instance().OnHint = nullptr;
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateControls() {
    using toolkit::Rect;
    Label1.Create(*this, {20, 8, 0, 0}, toolkit::Text(toolkit::TextId::MainIconListLabel));
    Label2.Create(*this, {81, 8, 0, 0}, "");
    Label2.SetHint(toolkit::Text(toolkit::TextId::MainPathHint));
    Label2.SetShowHint(true);
    Label6.Create(*this, {17, 93, 0, 0}, toolkit::Text(toolkit::TextId::MainFolderLabel));
    Label5.Create(*this, {83, 93, 142, 12}, "D:\\...\\TOOL\\PICTAVO6", false);
    Label3.Create(*this, {240, 93, 0, 0}, toolkit::Text(toolkit::TextId::MainFilesLabel));
    Label4.Create(*this, {342, 93, 0, 0}, toolkit::Text(toolkit::TextId::MainNotSearched));
    Label4.SetFontColor(kRed);
    Label4.SetHint(toolkit::Text(toolkit::TextId::MainCountHint));
    Label4.SetShowHint(true);

    ListView1.Create(*this, {240, 112, 211, 241},
                     {{toolkit::Text(toolkit::TextId::MainNameColumn), 120, LVCFMT_LEFT}, {std::string(toolkit::Text(toolkit::TextId::MainCountColumn)) + " ", 65, LVCFMT_CENTER}}, *this);
    ListView1.OnClick = [this] { ListView1Click(); };
    ListView1.OnColumnClick = [this](int column) { ListView1ColumnClick(column); };
    ListView1.OnDblClick = [this] { Btn2Click(); };
    ListView1.OnReturn = [this] { Btn2Click(); };
    ListView1.OnRowMenu = [this](int row, int x, int y) { ListRowMenu(row, x, y); };

    CheckBox1.Create(*this, {468, 136, 71, 23}, toolkit::Text(toolkit::TextId::MainMultiIcons), true);
    CheckBox1.SetHint(toolkit::Text(toolkit::TextId::MainMultiIconsHint));
    CheckBox1.SetShowHint(true);
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    CheckBox2.Create(*this, {468, 112, 71, 23}, toolkit::Text(toolkit::TextId::MainSubFolders), false);
    CheckBox2.SetHint(toolkit::Text(toolkit::TextId::MainSubFoldersHint));
    CheckBox2.SetShowHint(true);
    CheckBox2.OnClick = [this] { CheckBox1Click(); };
    CheckBox3.Create(*this, {468, 88, 71, 23}, toolkit::Text(toolkit::TextId::MainCursors), false);
    CheckBox3.SetHint(toolkit::Text(toolkit::TextId::MainCursorsHint));
    CheckBox3.SetShowHint(true);
    CheckBox3.OnClick = [this] { CheckBox3Click(); };

    const auto button = [this](toolkit::Button& b, int top, const char* caption, const char* hint) {
        b.Create(*this, {464, top, 80, 25}, caption);  // wide enough for every caption at every DPI
        b.SetHint(hint);
        b.SetShowHint(true);
    };
    button(Btn1, 178, toolkit::Text(toolkit::TextId::MainSearchButton), toolkit::Text(toolkit::TextId::MainSearchHint));
    button(Btn2, 214, toolkit::Text(toolkit::TextId::MainViewButton), toolkit::Text(toolkit::TextId::MainViewHint));
    button(Btn4, 250, toolkit::Text(toolkit::TextId::MainExportButton), toolkit::Text(toolkit::TextId::MainExportHint));
    button(Btn5, 286, toolkit::Text(toolkit::TextId::MainGalleryButton), toolkit::Text(toolkit::TextId::MainGalleryHint));
    button(Btn3, 322, toolkit::Text(toolkit::TextId::MainExitButton), toolkit::Text(toolkit::TextId::MainExitHint));
    Btn2.SetEnabled(false);
    Btn4.SetEnabled(false);
    Btn5.SetEnabled(false);
    Btn5.OnClick = [this] { Btn5Click(); };
    Btn1.OnClick = [this] { Btn1Click(); };
    Btn2.OnClick = [this] { Btn2Click(); };
    Btn4.OnClick = [this] { Btn4Click(); };
    Btn3.OnClick = [this] { Btn3Click(); };

    // The icon strip: 32-pixel cells on white, scrolled sideways a cell per arrow click.
    ScrollBox1.Create(*this, {16, 24, 529, 54}, 32, 10);
    Image1.Create(ScrollBox1, {2, 2, 105, 32});
    Image1.SetTabStop(true);
    ScrollBox1.SetContent(Image1, 2, 2);
    Image1.SetHint(toolkit::Text(toolkit::TextId::MainStripHint));
    Image1.SetShowHint(true);
    Image1.OnDblClick = [this](int x, int) { Image1DblClick(x); };
    Image1.OnContextMenu = [this](int x, int, int screenX, int screenY) { Image1ContextMenu(x, screenX, screenY); };
    Image1.OnKeyboardMenu = [this] { StripKeyboardMenu(); };
    Image1.OnKeyDown = [this](WPARAM key) { return StripKeyDown(key); };
    Image1.OnMouseDown = [this](int x, int) {
        if (Btn4.Enabled() && x >= 0 && StripCellAt(x) < StripIconCount) MoveStripCell(StripCellAt(x));
    };
    Image1.OnMouseMove = [this](int x, int) { StripMouseMove(x); };

    // The shell's folders; the window learns the chosen one from OnChange.
    FTVE1.SetDragAndDrop(false);
    FTVE1.SetHideSelection(false);
    FTVE1.SetIndent(19);
    FTVE1.OnChange = [this](foldertree::TFolderTreeViewEx&, const std::string& folder) { FTVE1Change(folder); };
    FTVE1.Create(*this, {16, 112, 213, 241});

    StatusBar1.Create(*this, 19);
    PopupMenu1.AddItem(toolkit::Text(toolkit::TextId::MenuAbout), [this] { About1Click(); });
    PopupMenu1.AddItem(toolkit::Text(toolkit::TextId::MenuHint), [this] { ListHintClick(); });
    SetPopupMenu(&PopupMenu1);
    StripMenu.AddItem(toolkit::Text(toolkit::TextId::MenuIconDetail), [this] { IconDetailClick(); });
    StripMenu.AddItem(toolkit::Text(toolkit::TextId::MenuCopy), [this] { IconCopyClick(); });
    StripMenu.AddSeparator();
    StripMenu.AddItem(toolkit::Text(toolkit::TextId::MenuAbout), [this] { About1Click(); });
    StripMenu.AddItem(toolkit::Text(toolkit::TextId::MenuHint), [this] { ListHintClick(); });
    ListMenu.AddItem(toolkit::Text(toolkit::TextId::ListMenuView), [this] { ListViewClick(); });
    ListMenu.AddItem(toolkit::Text(toolkit::TextId::ListMenuExport), [this] { ListExportClick(); });
    ListMenu.AddSeparator();
    ListMenu.AddItem(toolkit::Text(toolkit::TextId::ListMenuOpenFolder), [this] { ListOpenFolderClick(); });
    ListMenu.AddItem(toolkit::Text(toolkit::TextId::ListMenuCopyPath), [this] { ListCopyPathClick(); });
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
    SelectFolderInTree(SearchDir);

    SaveDir = Settings->ReadString("Env", "SaveDir", icons::ExecutableFolder());
    SetTop(Settings->ReadInteger("Form", "Top", Top()));
    SetLeft(Settings->ReadInteger("Form", "Left", Left()));
    KeepOnAMonitor();  // saved on a monitor that may be gone
    CheckBox1.SetChecked(Settings->ReadBool("Opt", "MultiIcons", true));
    CheckBox2.SetChecked(Settings->ReadBool("Opt", "SubFolders", false));
    CheckBox3.SetChecked(Settings->ReadBool("Opt", "Cursors", false));
    IcoOut = Settings->ReadBool("Opt", "IcoOut", true);
    BmpOut = Settings->ReadBool("Opt", "BmpOut", false);
    IcoAllSizes = Settings->ReadBool("Opt", "IcoAllSizes", false);
    PngOut = Settings->ReadBool("Opt", "PngOut", false);
    PngSize = Settings->ReadInteger("Opt", "PngSize", 0);

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
    if (Gallery) Gallery->Finish();
    Settings->WriteString("Env", "IniDir", SearchDir);
    Settings->WriteString("Env", "SaveDir", SaveDir);
    Settings->WriteInteger("Form", "Top", Top());
    Settings->WriteInteger("Form", "Left", Left());
    Settings->WriteBool("Opt", "MultiIcons", CheckBox1.Checked());
    Settings->WriteBool("Opt", "SubFolders", CheckBox2.Checked());
    Settings->WriteBool("Opt", "Cursors", CheckBox3.Checked());
    Settings->WriteBool("Opt", "IcoOut", IcoOut);
    Settings->WriteBool("Opt", "BmpOut", BmpOut);
    Settings->WriteBool("Opt", "IcoAllSizes", IcoAllSizes);
    Settings->WriteBool("Opt", "PngOut", PngOut);
    Settings->WriteInteger("Opt", "PngSize", PngSize);
    Catalogue.Release();
}

void TForm1::FTVE1Change(const std::string& folderName) {
    const auto width = [this](const std::string& text) { return TextWidth(text); };
    Label5.SetCaption(toolkit::ShortenPath(folderName, width, Label5.Width(), toolkit::SystemLeadBytes()));
    SearchDir = folderName;
    CheckBox1Click();
}

toolkit::TextId TForm1::CountColumnText() const {
    return ShowCursors ? toolkit::TextId::MainCursorCountColumn : toolkit::TextId::MainCountColumn;
}

void TForm1::ResetColumnCaptions() {
    ListView1.SetColumnCaption(0, toolkit::Text(toolkit::TextId::MainNameColumn));
    ListView1.SetColumnCaption(1, toolkit::Text(CountColumnText()));
}

// The list and the strip change over to cursors (or back): what they showed is gone.
void TForm1::CheckBox3Click() {
    ShowCursors = CheckBox3.Checked();
    StripMenu.SetItemCaption(0, toolkit::Text(ShowCursors ? toolkit::TextId::MenuCursorDetail : toolkit::TextId::MenuIconDetail));
    CheckBox1Click();
}

// The reset: list, strip and result go back to "not searched".
void TForm1::CheckBox1Click() {
    Label2.SetCaption("");
    Image1.ClearPicture();
    Image1.SetShowHint(false);
    ShowStripCell(-1);
    ScrollBox1.ScrollToLeft();
    ListView1.SetRowCount(0);
    ResetColumnCaptions();
    Btn2.SetEnabled(false);
    Btn4.SetEnabled(false);
    Btn5.SetEnabled(false);
    Catalogue.Reset();
    Label4.SetFontColor(kRed);
    Label4.SetCaption(toolkit::Text(toolkit::TextId::MainNotSearched));
}

void TForm1::Btn1Click() {
    if (searching_) {
        stopSearch_ = true;
        return;
    }
    ListView1.SetRowCount(0);
    ResetColumnCaptions();
    Btn2.SetEnabled(false);
    Btn5.SetEnabled(false);
    Label4.SetFontColor(kRed);
    Label4.SetCaption(toolkit::Text(toolkit::TextId::MainSearching));
    Label4.Repaint();
    {
        toolkit::HourglassCursor busy;
        const auto showResult = [this] {
            if (Catalogue.Count() > 0) {
                Catalogue.SortByName(icons::SystemFileNameUpperCase());
                DispNormal();
            }
        };
        try {
            const int threshold = CheckBox1.Checked() ? 2 : 1;
            // A virtual folder (the PC, the network) has no path to walk: it is searched as the
            // one-folder search takes it.
            if (CheckBox2.Checked() && icons::IsFullPath(SearchDir))
                SearchSubFolders(threshold);
            else
                icons::SearchFolder(Catalogue, SearchDir, threshold, Handle(), Groups());
        } catch (...) {
            showResult();
            throw;
        }
        showResult();
    }
    Label4.SetFontColor(GetSysColor(COLOR_WINDOWTEXT));
    Label4.SetCaption(std::to_string(Catalogue.Count()));
}

// While a sub-folder search runs, the window stays responsive: nothing that could start other
// work is enabled, files cannot be dropped, and the search button stops the search.
class TForm1::SearchInProgress {
public:
    explicit SearchInProgress(TForm1& form)
        : form_(form), exportEnabled_(form.Btn4.Enabled()), focused_(GetFocus()) {
        form_.searching_ = true;
        form_.stopSearch_ = false;
        form_.lastProgress_ = GetTickCount();
        form_.progressTicks_ = 0;
        form_.Btn1.SetCaption(toolkit::Text(toolkit::TextId::MainStopButton));
        EnableWork(false);
        // The stop button holds the focus, so Escape and Space reach the search whatever had it
        // before (after a drop nothing had, and a disabled control would keep none).
        form_.Btn1.SetFocus();
    }
    ~SearchInProgress() {
        EnableWork(true);
        RestoreFocus();
        form_.Btn4.SetEnabled(exportEnabled_);
        form_.Btn2.SetEnabled(false);
        form_.Btn5.SetEnabled(form_.ListView1.RowCount() > 0 && !form_.ShowCursors);  // the gallery shows icons
        form_.Btn1.SetCaption(toolkit::Text(toolkit::TextId::MainSearchButton));
        form_.ShowHint();
        form_.searching_ = false;
    }
    SearchInProgress(const SearchInProgress&) = delete;
    SearchInProgress& operator=(const SearchInProgress&) = delete;

private:
    void EnableWork(bool enabled) {
        for (toolkit::Control* control : {static_cast<toolkit::Control*>(&form_.Btn2), static_cast<toolkit::Control*>(&form_.Btn4),
                                          static_cast<toolkit::Control*>(&form_.Btn5), static_cast<toolkit::Control*>(&form_.FTVE1), static_cast<toolkit::Control*>(&form_.CheckBox1),
                                          static_cast<toolkit::Control*>(&form_.CheckBox2), static_cast<toolkit::Control*>(&form_.CheckBox3),
                                          static_cast<toolkit::Control*>(&form_.ListView1)})
            control->SetEnabled(enabled);
        DragAcceptFiles(form_.Handle(), enabled);
    }

    // Back where it was, or on the list when it was nowhere in the window.
    void RestoreFocus() {
        if (focused_ && IsChild(form_.Handle(), focused_) && IsWindowEnabled(focused_)) ::SetFocus(focused_);
        else form_.ListView1.SetFocus();
    }

    TForm1& form_;
    const bool exportEnabled_;
    const HWND focused_;
};

void TForm1::SearchSubFolders(int threshold) {
    const SearchInProgress running(*this);
    icons::SearchTree(Catalogue, SearchDir, threshold, Handle(),
                    [this](int found, const std::string& folder) { return SearchGoesOn(found, folder); }, Groups());
}

// Asked for every folder and file of the walk: most calls only compare the clock. Every
// kProgressInterval the queued input is handled (Escape, the search button and the end of the
// program stop the search), and now and then the progress is shown first.
bool TForm1::SearchGoesOn(int found, const std::string& folder) {
    const DWORD now = GetTickCount();
    if (now - lastProgress_ < kProgressInterval) return !stopSearch_;
    lastProgress_ = now;
    if (++progressTicks_ % kInputsPerProgress == 1) ShowSearchProgress(found, folder);
    auto& application = toolkit::Application::Instance();
    MSG message;
    while (!stopSearch_ && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            stopSearch_ = true;
        } else if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            stopSearch_ = true;
        } else {
            application.HandleMessageFromQueue(message);
        }
    }
    return !stopSearch_ && !application.Terminated();
}

void TForm1::ShowSearchProgress(int found, const std::string& folder) {
    char counted[64];
    std::snprintf(counted, sizeof counted, toolkit::Text(toolkit::TextId::MainSearchProgress), found);
    const auto width = [this](const std::string& text) { return TextWidth(text); };
    const int room = StatusBar1.Width() - TextWidth(counted) - 8;
    StatusBar1.SetPanelText(counted + toolkit::ShortenPath(folder, width, room, toolkit::SystemLeadBytes()));
    Label4.SetCaption(std::to_string(found));
}

void TForm1::DispNormal() {
    Catalogue.ShowNormal();
    ListView1.SetRowCount(Catalogue.Count());
    Btn5.SetEnabled(Catalogue.Count() > 0 && !ShowCursors);
}

void TForm1::DispReverse() {
    Catalogue.ShowReverse();
    ListView1.SetRowCount(Catalogue.Count());
    Btn5.SetEnabled(Catalogue.Count() > 0 && !ShowCursors);
}

std::string TForm1::CellText(int row, int column) const {
    if (row < 0 || row >= Catalogue.Count()) return {};
    const icons::IconFileEntry& entry = Catalogue.ShownEntry(row);
    return column == 0 ? std::string(entry.Name()) : std::to_string(entry.icons);
}

void TForm1::ListView1Click() { Btn2.SetEnabled(ListView1.SelectedCount() > 0); }

void TForm1::ListView1ColumnClick(int column) {
    const auto click = Catalogue.ClickHeader(column, icons::SystemFileNameUpperCase(), CountColumnText());
    if (!click.changed) return;
    if (click.reverse) DispReverse();
    else DispNormal();
    ListView1.SetColumnCaption(0, click.nameCaption);
    ListView1.SetColumnCaption(1, click.countCaption);
}

void TForm1::Btn2Click() {
    // A double click on the list's empty space selects nothing: there is nothing to view then.
    const int row = ListView1.SelectedRow();
    if (row >= 0) DispIcon(ListView1.RowCaption(row));
}

void TForm1::DispIcon(const std::string& name) {
    const icons::IconFile file(Handle(), icons::DirYen(SearchDir, toolkit::SystemLeadBytes()) + name, Groups());
    // The strip is drawn before anything changes: when its picture cannot be made (too many icons
    // for one bitmap) the error ends this and the window still shows the previous file whole, so
    // the export button never exports indexes of one file from another.
    const int cell = StripCellSize();
    toolkit::Bitmap strip;
    if (file.Count() > 0) {
        strip = toolkit::WhiteBitmap(file.Count() * cell, cell);
        const toolkit::MemoryDC dc;
        const toolkit::SelectedObject held(dc.Get(), strip.Get());
        icons::IconHolder icon;
        for (int i = 0; i < file.Count(); ++i) {
            icon.Assign(file.Extract(i, cell));  // drawn at its own size, sharp
            if (icon.Handle()) DrawIconEx(dc.Get(), cell * i, 0, icon.Handle(), 0, 0, 0, nullptr, DI_NORMAL);
        }
    }
    ScrollBox1.ScrollToLeft();
    StripIconCount = file.Count();
    Image1.SetSize(StripIconCount * cell, cell);
    Image1.SetPicture(std::move(strip));
    ScrollBox1.UpdateRange();
    Btn4.SetEnabled(true);
    StripFileName = name;
    Label2.SetCaption(name);
    Image1.SetShowHint(true);
    ShowStripCell(StripIconCount > 0 ? 0 : -1);
}

void TForm1::Btn4Click() { PutIcon(0, StripIconCount - 1); }

void TForm1::PutIcon(int first, int last) { iconexport::RunExport(*this, Handle(), StripFileName, first, last); }

void TForm1::FillDupForm(const std::string& name) { iconexport::FillOverwriteQuestion(SaveDir, name); }

// x counts from the strip's first cell: the image itself moves left as the box scrolls.
void TForm1::Image1DblClick(int x) {
    if (!Btn4.Enabled()) return;
    const int index = StripCellAt(x);
    PutIcon(index, index);
}

// On a monitor of another DPI the strip is drawn again with cells of that size.
void TForm1::DpiChanged() {
    if (!Btn4.Enabled()) return;
    const int cell = stripCell_;
    DispIcon(StripFileName);
    if (StripIconCount > 0) MoveStripCell(cell);
}

void TForm1::Btn3Click() { Close(); }

void TForm1::About1Click() {
    if (Form4) Form4->ShowModal();
}

void TForm1::ListHintClick() {
    if (Form6) Form6->ShowModal();
}

namespace {

// Whether the first dropped path survives the conversion to the ANSI code page. A name that does
// not ("Café.dll" becomes "Cafe.dll", a Korean one gets "?") would open another file or none.
bool HasAnsiForm(HDROP drop) {
    wchar_t wide[MAX_PATH] = {};
    const UINT length = DragQueryFileW(drop, 0, wide, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return true;  // no file at all: refused as missing
    BOOL lost = FALSE;
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(length), nullptr, 0, nullptr,
                               &lost) > 0 && !lost;
}

}  // namespace

// A file dropped from the shell: the window goes to its folder, searches, and shows its icons.
void TForm1::WMDropFiles(HDROP drop) {
    SetForegroundWindow(Handle());
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    // 255 bytes are read; the last one stays zero even when a wide list's conversion fills them.
    char buffer[256] = {};
    DragQueryFileA(drop, 0, buffer, sizeof buffer - 1);
    const std::string path = buffer;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (path.empty() || !HasAnsiForm(drop) || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        toolkit::ShowMessage(toolkit::TextWith(toolkit::TextId::DropNotFound, {path}));
        return;
    }
    if (count > 1) toolkit::ShowMessage(toolkit::Text(toolkit::TextId::DropOnlyOne));
    TakeFile(path);
}

// A file dropped or given on the command line: its folder, its row and its icons, if it has any.
void TForm1::TakeFile(const std::string& path) {
    const int icons = icons::IconCount(Handle(), path, Groups());
    if (icons < 1) {
        toolkit::ShowMessage(ShowCursors ? NoCursorsMessage(path) : toolkit::TextWith(toolkit::TextId::DropNoIcons, {path}));
        return;
    }
    GoToDroppedFile(path, icons);
}

namespace {

// The path as the message shows it; a name without an ANSI form shows with the system's nearest.
std::string ShownPath(const std::wstring& path) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
    std::string shown(bytes > 0 ? static_cast<std::size_t>(bytes) : 0, '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), &shown[0], bytes, nullptr, nullptr);
    return shown;
}

}  // namespace

void TForm1::OpenStartPath(const std::wstring& widePath) {
    const std::string path = toolkit::AnsiPathOf(widePath);
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        toolkit::ShowMessage(toolkit::TextWith(toolkit::TextId::DropNotFound, {path.empty() ? ShownPath(widePath) : path}));
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) EnterAndSearch(path);
    else TakeFile(path);
}

// The folder selected in the tree and shown at its top, then searched with the window's options.
// A folder the tree does not report (one it cannot select) is still the one searched.
void TForm1::EnterAndSearch(const std::string& folder) {
    SelectFolderInTree(folder);
    if (lstrcmpiA(SearchDir.c_str(), folder.c_str()) != 0) FTVE1Change(folder);
    Btn1Click();
}

void TForm1::GoToDroppedFile(const std::string& path, int iconCount) {
    if (iconCount == 1) CheckBox1.SetChecked(false);
    const auto& codePage = toolkit::SystemLeadBytes();
    SelectFolderInTree(icons::FolderPart(path, codePage));
    Btn1Click();
    const int row = ListView1.FindCaptionPrefix(icons::FileNamePart(path, codePage));
    // No such row means the search ran elsewhere (a folder the tree could not select): the list
    // stays as searched and the strip as it was.
    if (row < 0) return;
    ListView1.SelectRow(row);
    const int top = ListView1.TopRow();
    ListView1.ScrollBy(0, ListView1.RowRect(row).top - ListView1.RowRect(top).top);
    ListView1Click();
    Btn2Click();
}

// Selects the folder's node and makes it the tree's top visible node; a change of selection
// reports the folder through FTVE1Change.
void TForm1::SelectFolderInTree(const std::string& folder) {
    FTVE1.SelectPath(folder);
    if (FTVE1.Selected()) FTVE1.SetTopItem(FTVE1.Selected());
}

void TForm1::ShowHint() { StatusBar1.SetPanelText(toolkit::Application::Instance().Hint()); }
