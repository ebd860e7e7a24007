// The main window's search driven through its real controls: buttons clicked with BM_CLICK, the
// list's notifications sent as the list view sends them, rows read back through the list view.
#include <gtest/gtest.h>

#include <memory>

#include "app/PictavoUnit.h"
#include "tests/win/TestFolder.h"
#include "tests/win/WindowTexts.h"

using testsupport::FixturePath;
using testsupport::TestFolder;

namespace {

class MainWindowSearch : public testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<TForm1>(settings_ / "PICTAVO.INI");
        form_->Show();
    }
    void TearDown() override { form_.reset(); }

    void Copy(const std::string& fixture, const std::string& name) {
        ASSERT_TRUE(CopyFileA(FixturePath(fixture).c_str(), (folder_ / name).c_str(), FALSE)) << fixture;
    }
    void SearchIn(const std::string& folder) {
        form_->FTVE1Change(folder);
        form_->Btn1.Send(BM_CLICK);
    }
    std::string Cell(int row, int column) const { return testsupport::ListCell(form_->ListView1.Handle(), row, column); }
    std::vector<std::string> Column(int column) const { return testsupport::ListColumn(form_->ListView1.Handle(), column); }
    void ClickHeader(int column) {
        NMLISTVIEW notify{};
        notify.hdr.hwndFrom = form_->ListView1.Handle();
        notify.hdr.idFrom = GetDlgCtrlID(form_->ListView1.Handle());
        notify.hdr.code = LVN_COLUMNCLICK;
        notify.iItem = -1;
        notify.iSubItem = column;
        form_->Send(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    }
    void ClickRow(int row) {
        form_->ListView1.SelectRow(row);
        NMITEMACTIVATE notify{};
        notify.hdr.hwndFrom = form_->ListView1.Handle();
        notify.hdr.idFrom = GetDlgCtrlID(form_->ListView1.Handle());
        notify.hdr.code = NM_CLICK;
        notify.iItem = row;
        form_->Send(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    }

    TestFolder settings_;
    TestFolder folder_;
    std::unique_ptr<TForm1> form_;
};

}  // namespace

TEST_F(MainWindowSearch, ListsFilesWithIconsSortedByNameWithTheirCounts) {
    Copy("TWO.DLL", "beta.dll");
    Copy("FORTY.DLL", "Alpha.DLL");
    Copy("TWELVE.DLL", "gamma.exe");
    Copy("ONE.DLL", "one.dll");
    Copy("NOTE.TXT", "note.txt");
    Copy("EMPTY.DAT", "empty.dat");
    CreateDirectoryA((folder_ / "sub.dll").c_str(), nullptr);

    SearchIn(folder_.Path());
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Alpha.DLL", "beta.dll", "gamma.exe"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"40", "2", "12"}));
    EXPECT_EQ(form_->Label4.Caption(), "3");
    EXPECT_EQ(form_->Label4.FontColor(), GetSysColor(COLOR_WINDOWTEXT));

    // Unchecking the box resets the list; the next search lists the one-icon file too.
    form_->CheckBox1.Send(BM_CLICK);
    EXPECT_FALSE(form_->CheckBox1.Checked());
    EXPECT_EQ(form_->ListView1.RowCount(), 0);
    EXPECT_EQ(form_->Label4.Caption(), "未検索");
    EXPECT_EQ(form_->Label4.FontColor(), RGB(255, 0, 0));
    form_->Btn1.Send(BM_CLICK);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Alpha.DLL", "beta.dll", "gamma.exe", "one.dll"}));
}

TEST_F(MainWindowSearch, AFolderWithoutQualifyingFilesShowsZeroInTheWindowTextColour) {
    Copy("ONE.DLL", "one.dll");
    Copy("NOTE.TXT", "note.txt");
    SearchIn(folder_.Path());
    EXPECT_EQ(form_->ListView1.RowCount(), 0);
    EXPECT_EQ(form_->Label4.Caption(), "0");
    EXPECT_EQ(form_->Label4.FontColor(), GetSysColor(COLOR_WINDOWTEXT));
    // A folder that no longer exists is searched as an empty one.
    SearchIn(folder_ / "gone");
    EXPECT_EQ(form_->Label4.Caption(), "0");
}

// Damaged files, some of which would crash the shell's own extraction: those whose directories
// lie in the file are listed with the shell's count (20 of the 31), and viewing one draws its good
// icons and leaves the cells of the damaged ones empty.
TEST_F(MainWindowSearch, DamagedFilesAreListedAsTheShellCountsThemAndViewedWithoutHarm) {
    form_->CheckBox1.SetChecked(false);
    SearchIn(FixturePath("corpus"));
    EXPECT_EQ(form_->Label4.Caption(), "20");
    form_->DispIcon("pe-mixed-groups.dll");  // good, missing images, damaged image, good
    ASSERT_EQ(form_->StripIconCount, 4);
    toolkit::ImageCanvas canvas(form_->Image1);
    const bool drawn[] = {true, false, false, true};
    for (int i = 0; i < 4; ++i) {
        int coloured = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) coloured += GetPixel(canvas.Get(), 32 * i + x, y) != RGB(255, 255, 255);
        EXPECT_EQ(coloured > 0, drawn[i]) << "cell " << i;
    }
}

TEST_F(MainWindowSearch, HeaderClicksSortAndToggleWithMarkedCaptions) {
    Copy("TWO.DLL", "b.dll");
    Copy("FORTY.DLL", "a.dll");
    Copy("TWELVE.DLL", "c.dll");
    SearchIn(folder_.Path());
    // The captions are English on every system whose code page is not 932.
    const bool japanese = GetACP() == 932;
    const std::string name = japanese ? "ﾌｧｲﾙ名" : "File name", count = japanese ? "ｱｲｺﾝ数" : "Icons";
    EXPECT_EQ(form_->ListView1.ColumnCaption(0), name);
    EXPECT_EQ(form_->ListView1.ColumnCaption(1), count);

    ClickHeader(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"c.dll", "b.dll", "a.dll"}));
    EXPECT_EQ(form_->ListView1.ColumnCaption(0), name + " -");
    ClickHeader(1);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"2", "12", "40"}));
    EXPECT_EQ(form_->ListView1.ColumnCaption(0), name);
    EXPECT_EQ(form_->ListView1.ColumnCaption(1), count + " +");
    ClickHeader(1);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"40", "12", "2"}));
    EXPECT_EQ(form_->ListView1.ColumnCaption(1), count + " -");
    ClickHeader(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a.dll", "b.dll", "c.dll"}));
    EXPECT_EQ(form_->ListView1.ColumnCaption(0), name + " +");

    // Searching again in the same folder gives the same ascending name order, captions unmarked.
    form_->Btn1.Send(BM_CLICK);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a.dll", "b.dll", "c.dll"}));
    EXPECT_EQ(form_->ListView1.ColumnCaption(0), name);
}

TEST_F(MainWindowSearch, AHeaderClickWithOneRowChangesNothing) {
    Copy("TWO.DLL", "b.dll");
    SearchIn(folder_.Path());
    ClickHeader(0);
    ClickHeader(1);
    EXPECT_EQ(form_->ListView1.ColumnCaption(0), "ﾌｧｲﾙ名");
    EXPECT_EQ(form_->ListView1.ColumnCaption(1), "ｱｲｺﾝ数");
    EXPECT_EQ(Column(0), (std::vector<std::string>{"b.dll"}));
}

TEST_F(MainWindowSearch, ClickingARowEnablesViewAndANewSearchDisablesIt) {
    Copy("TWO.DLL", "b.dll");
    SearchIn(folder_.Path());
    EXPECT_FALSE(form_->Btn2.Enabled());
    ClickRow(0);
    EXPECT_TRUE(form_->Btn2.Enabled());
    form_->Btn1.Send(BM_CLICK);
    EXPECT_FALSE(form_->Btn2.Enabled());
}

// A name without an ANSI form is listed as the system gives it ("X?X.dll") and read through the
// short name of the same entry.
TEST_F(MainWindowSearch, LongNamesAreListedWholeAndStillOpen) {
    const std::string longName = std::string(150, 'L') + ".dll";
    Copy("TWO.DLL", longName);
    Copy("TWELVE.DLL", "X");
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, (folder_ / "X").c_str(), -1, wide, MAX_PATH);
    const std::wstring korean = std::wstring(wide) + L"\uD55CX.dll";
    ASSERT_TRUE(MoveFileW(wide, korean.c_str()));
    form_->CheckBox1.SetChecked(false);
    for (const bool subFolders : {false, true}) {
        form_->CheckBox2.SetChecked(subFolders);
        SearchIn(folder_.Path());
        EXPECT_EQ(Column(0), (std::vector<std::string>{longName, "X?X.dll"}));
        EXPECT_EQ(Column(1), (std::vector<std::string>{"2", "12"}));
        form_->DispIcon("X?X.dll");
        EXPECT_EQ(form_->StripIconCount, 12);
    }
    DeleteFileW(korean.c_str());
}

TEST_F(MainWindowSearch, TheCatalogueGrowsPastAThousandFiles) {
    for (int i = 0; i < 1005; ++i) {
        char name[32];
        wsprintfA(name, "icon%04d.dll", 1004 - i);
        Copy("TWO.DLL", name);
    }
    SearchIn(folder_.Path());
    EXPECT_EQ(form_->Catalogue.Count(), 1005);
    EXPECT_EQ(form_->Catalogue.Capacity(), 2000);
    EXPECT_EQ(form_->Label4.Caption(), "1005");
    EXPECT_EQ(Cell(0, 0), "icon0000.dll");
    EXPECT_EQ(Cell(1004, 0), "icon1004.dll");
}

TEST_F(MainWindowSearch, TheChosenFolderBecomesTheSearchFolderAndIsSavedAtExit) {
    form_->FTVE1Change(folder_.Path());
    EXPECT_EQ(form_->SearchDir, folder_.Path());
    const std::string lastFolder = folder_.Path().substr(folder_.Path().rfind('\\'));
    EXPECT_EQ(form_->Label5.Caption(), "C:\\..." + lastFolder);  // shortened to the label
    form_.reset();
    char saved[MAX_PATH] = {};
    GetPrivateProfileStringA("Env", "IniDir", "", saved, MAX_PATH, (settings_ / "PICTAVO.INI").c_str());
    EXPECT_EQ(std::string(saved), folder_.Path());
}

namespace {
std::vector<bool> WorkEnabled(TForm1& form) {
    std::vector<bool> enabled;
    for (const toolkit::Control* c : std::initializer_list<const toolkit::Control*>{
             &form.Btn4, &form.FTVE1, &form.CheckBox1, &form.CheckBox2, &form.ListView1})
        enabled.push_back(c->Enabled());
    return enabled;
}
TForm1* g_searching = nullptr;
std::vector<std::string> g_seen;  // during the search: the button's caption and the status text
std::vector<bool> g_enabledDuring;
void CALLBACK LookAndPressEscape(HWND, UINT, UINT_PTR, DWORD) {
    // A tick before the search shows its progress (the shell's first start in a new Wine prefix
    // pumps messages while it waits) waits for the next.
    if (!g_seen.empty() || g_searching->StatusBar1.PanelText().empty()) return;
    g_seen = {g_searching->Btn1.Caption(), g_searching->StatusBar1.PanelText()};
    g_enabledDuring = WorkEnabled(*g_searching);
    PostMessageA(g_searching->ListView1.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
}
}  // namespace

// A long sub-folder search keeps the window responsive: a timer runs inside it, sees the controls
// disabled and the progress shown, and presses Escape. What was found is listed all the same.
TEST_F(MainWindowSearch, ASubFolderSearchStopsOnEscapeListsWhatItFoundAndGivesTheWindowBack) {
    form_->CheckBox2.SetChecked(true);
    form_->FTVE1Change(form_->WindowsDir);  // thousands of files in its folders
    SetCursorPos(0, 0);  // off the window: a hint under the pointer would take the status bar
    g_searching = form_.get();
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, &LookAndPressEscape);
    form_->Btn1.Send(BM_CLICK);
    KillTimer(nullptr, timer);
    ASSERT_EQ(g_seen.size(), 2u) << "the search ended before the timer ran";
    EXPECT_EQ(g_seen[0], "中止(&S)");
    EXPECT_EQ(g_seen[1].rfind("検索中… ", 0), 0u) << g_seen[1];
    EXPECT_EQ(g_enabledDuring, std::vector<bool>(5, false));
    EXPECT_EQ(WorkEnabled(*form_), (std::vector<bool>{false, true, true, true, true}));  // nothing viewed yet
    EXPECT_EQ(form_->Btn1.Caption(), "ﾌｧｲﾙ検索(&S)");
    EXPECT_GT(form_->Catalogue.Count(), 0);
    EXPECT_EQ(form_->ListView1.RowCount(), form_->Catalogue.Count());
    EXPECT_EQ(form_->Label4.Caption(), std::to_string(form_->Catalogue.Count()));
    EXPECT_EQ(form_->Label4.FontColor(), GetSysColor(COLOR_WINDOWTEXT));
}

// A Unix link back up (made by the build), which Wine shows as a plain folder, is not followed.
TEST_F(MainWindowSearch, ASubFolderSearchListsFilesByTheirPathAndNeverFollowsALinkBackUp) {
    const std::string tree = FixturePath("..\\looptree");
    if (GetFileAttributesA((tree + "\\a\\up\\a").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "only a Unix host makes the link";
    for (const std::string& copy : {tree + "\\TWO.DLL", tree + "\\a\\TWO.DLL"})
        ASSERT_TRUE(CopyFileA(FixturePath("TWO.DLL").c_str(), copy.c_str(), FALSE)) << copy;
    form_->CheckBox2.SetChecked(true);
    SearchIn(tree);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a\\TWO.DLL", "TWO.DLL"}));
    form_->DispIcon("a\\TWO.DLL");
    EXPECT_EQ(form_->StripIconCount, 2);
    EXPECT_EQ(form_->Label2.Caption(), "a\\TWO.DLL");
    DeleteFileA((tree + "\\TWO.DLL").c_str());
    DeleteFileA((tree + "\\a\\TWO.DLL").c_str());
}
