// The main window's icon strip, its export requests, dropped files and the two information
// dialogs, driven with real messages.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "app/PictavoUnit.h"
#include "dialogs/PictavoUnit4.h"
#include "dialogs/PictavoUnit6.h"
#include "dialogs/PictavoUnit7.h"
#include "tests/win/DisplayDpi.h"
#include "tests/win/TestFolder.h"
#include "tests/win/WindowTexts.h"
#include "toolkit/Application.h"
#include "toolkit/ModalTestHook.h"
#include "toolkit/TrackedMenuInput.h"

using testsupport::FixturePath;
using testsupport::StaticTexts;
using testsupport::TestFolder;
using toolkit::ModalTestHook;

namespace {

// The main window with the export run replaced by a record of what it was asked for.
class RecordingForm1 : public TForm1 {
public:
    using TForm1::TForm1;
    std::vector<std::pair<int, int>> exports;
    void PutIcon(int first, int last) override { exports.emplace_back(first, last); }
    // Explorer under Wine may open nothing or a window of its own: the request is recorded instead.
    std::vector<std::string> shownInFolder;
    void ShowInFolder(const std::string& path) override { shownInFolder.push_back(path); }
};

// A drop as the shell delivers it: a DROPFILES block of ANSI or wide paths.
template <typename Char>
HDROP MakeDrop(const std::vector<std::basic_string<Char>>& paths) {
    std::basic_string<Char> list;
    for (const auto& p : paths) list += p + Char(0);
    list += Char(0);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(Char));
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = sizeof(Char) > 1;
    memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size() * sizeof(Char));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class MainWindowStrip : public testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<RecordingForm1>(settings_ / "PICTAVO.INI");
        form4_ = std::make_unique<TForm4>();
        form6_ = std::make_unique<TForm6>();
        form_->Show();
    }
    void TearDown() override {
        ModalTestHook::Clear();
        form6_.reset();
        form4_.reset();
        form_.reset();
    }
    void Copy(const std::string& fixture, const std::string& name) {
        ASSERT_TRUE(CopyFileA(FixturePath(fixture).c_str(), (folder_ / name).c_str(), FALSE)) << fixture;
    }
    void ShowFile(const std::string& fixture) {
        Copy(fixture, fixture);
        form_->FTVE1Change(folder_.Path());
        form_->DispIcon(fixture);
    }
    void DoubleClickStrip(int x) {
        form_->Image1.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 10));
    }
    // Answers the next message box: records its text and presses Enter.
    void AnswerMessage(std::vector<std::string>& texts) {
        ModalTestHook::OnNextModal([&texts](HWND w) {
            texts.push_back(StaticTexts(w));
            PostMessageA(w, WM_KEYDOWN, VK_RETURN, 0);
        });
    }
    void Drop(const std::vector<std::string>& paths) {
        form_->Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)));
    }

    TestFolder settings_, folder_;
    std::unique_ptr<RecordingForm1> form_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm6> form6_;
};

}  // namespace

TEST_F(MainWindowStrip, AFortyIconFileGivesA1280PixelStripOfDrawnCells) {
    ShowFile("FORTY.DLL");
    EXPECT_EQ(form_->StripIconCount, 40);
    EXPECT_EQ(form_->Image1.Width(), 1280);
    EXPECT_EQ(form_->Image1.Height(), 32);
    EXPECT_EQ(form_->StripFileName, "FORTY.DLL");
    EXPECT_EQ(form_->Label2.Caption(), "FORTY.DLL");
    EXPECT_TRUE(form_->Btn4.Enabled());
    EXPECT_TRUE(form_->Image1.ShowHint());
    // Each cell holds its icon: the fixture icons are not white in their middle.
    toolkit::ImageCanvas canvas(form_->Image1);
    for (int i : {0, 17, 39}) EXPECT_NE(GetPixel(canvas.Get(), 32 * i + 16, 16), RGB(255, 255, 255)) << i;
}

// When the strip's picture cannot be made (a file of some 130,000 icons is too wide for a bitmap on
// Windows; here no graphics handle is left) the view ends with the error before anything changed:
// the window still shows the previous file whole, and exports its icons, not the new file's.
TEST_F(MainWindowStrip, AStripThatCannotBeMadeLeavesThePreviousFileShownWhole) {
    ShowFile("FORTY.DLL");
    Copy("TWO.DLL", "TWO.DLL");
    std::vector<HBITMAP> hoard;
    for (HBITMAP b; hoard.size() < 1000000 && (b = CreateBitmap(1, 1, 1, 1, nullptr)) != nullptr;) hoard.push_back(b);
    bool failed = false;
    try {
        form_->DispIcon("TWO.DLL");
    } catch (const toolkit::Exception&) {
        failed = true;
    }
    for (HBITMAP b : hoard) DeleteObject(b);
    ASSERT_TRUE(failed) << hoard.size() << " bitmaps made";
    EXPECT_EQ(form_->StripIconCount, 40);
    EXPECT_EQ(form_->StripFileName, "FORTY.DLL");
    EXPECT_EQ(form_->Label2.Caption(), "FORTY.DLL");
    EXPECT_EQ(form_->Image1.Width(), 1280);
    EXPECT_NE(form_->Image1.Picture(), nullptr);
    form_->Btn4.Send(BM_CLICK);
    EXPECT_EQ(form_->exports, (std::vector<std::pair<int, int>>{{0, 39}}));
}

TEST_F(MainWindowStrip, TheStripScrollsByCellsAndADoubleClickExportsTheCellUnderThePointer) {
    ShowFile("FORTY.DLL");
    form_->ScrollBox1.Send(WM_HSCROLL, SB_LINERIGHT);
    form_->ScrollBox1.Send(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(form_->ScrollBox1.Position(), 64);
    EXPECT_EQ(form_->Image1.Left(), 2 - 64);
    DoubleClickStrip(230);  // 230 from the strip's own left edge, wherever it is scrolled
    form_->ScrollBox1.ScrollToLeft();
    DoubleClickStrip(230);
    EXPECT_EQ(form_->exports, (std::vector<std::pair<int, int>>{{7, 7}, {7, 7}}));
    form_->Btn4.Send(BM_CLICK);
    EXPECT_EQ(form_->exports.back(), std::make_pair(0, 39));
}

// Run at 96 and at 144 DPI: cells of 32 and 48 pixels, each filled by its icon drawn at that size;
// the first and the last pixel of a cell are that cell.
TEST_F(MainWindowStrip, TheCellsFollowTheDpi) {
    const int cell = testsupport::DisplayDpi() == 144 ? 48 : 32;
    ShowFile("FORTY.DLL");
    EXPECT_EQ(form_->Image1.Width(), 40 * cell);
    EXPECT_EQ(form_->Image1.Height(), cell);
    toolkit::ImageCanvas canvas(form_->Image1);
    for (int i : {0, 39}) EXPECT_NE(GetPixel(canvas.Get(), cell * i + cell - 1, cell - 1), RGB(255, 255, 255)) << i;
    for (int x : {0, cell - 1, 39 * cell, 40 * cell - 1}) DoubleClickStrip(x);
    EXPECT_EQ(form_->exports, (std::vector<std::pair<int, int>>{{0, 0}, {0, 0}, {39, 39}, {39, 39}}));
}

TEST_F(MainWindowStrip, ADoubleClickOnAnEmptyStripDoesNothing) {
    DoubleClickStrip(40);
    EXPECT_TRUE(form_->exports.empty());
}

TEST_F(MainWindowStrip, ChoosingAFolderResetsListStripAndResult) {
    ShowFile("TWO.DLL");
    form_->Btn1.Send(BM_CLICK);
    form_->FTVE1Change("C:\\windows\\system32\\drivers\\etc");
    EXPECT_EQ(form_->Label2.Caption(), "");
    EXPECT_EQ(form_->Image1.Picture(), nullptr);
    EXPECT_FALSE(form_->Image1.ShowHint());
    EXPECT_FALSE(form_->Btn4.Enabled());
    EXPECT_EQ(form_->ListView1.RowCount(), 0);
    EXPECT_EQ(form_->Label4.Caption(), "未検索");
    EXPECT_EQ(form_->SearchDir, "C:\\windows\\system32\\drivers\\etc");
    // The label shows the path shortened to its 142 pixels, keeping the last folder.
    const std::string shown = form_->Label5.Caption();
    EXPECT_EQ(shown.substr(shown.size() - 4), "\\etc");
    EXPECT_LE(form_->TextWidth(shown), 142);
    EXPECT_NE(shown, form_->SearchDir);
}

TEST_F(MainWindowStrip, AListedFileThatIsGoneGivesAnEmptyStripButStaysExportable) {
    Copy("TWO.DLL", "gone.dll");
    form_->FTVE1Change(folder_.Path());
    form_->Btn1.Send(BM_CLICK);
    DeleteFileA((folder_ / "gone.dll").c_str());
    form_->ListView1.SelectRow(0);
    form_->Btn2Click();
    EXPECT_EQ(form_->StripIconCount, 0);
    EXPECT_EQ(form_->Label2.Caption(), "gone.dll");
    EXPECT_TRUE(form_->Btn4.Enabled());
}

TEST_F(MainWindowStrip, DroppingAOneIconFileGoesToItsRowAndShowsItsIcon) {
    for (int i = 0; i < 40; ++i) Copy("TWO.DLL", "a" + std::to_string(100 + i) + ".dll");
    Copy("ONE.DLL", "zz_one.dll");
    ASSERT_TRUE(form_->CheckBox1.Checked());
    Drop({folder_ / "ZZ_ONE.DLL"});  // the list's own prefix search ignores letter case
    EXPECT_FALSE(form_->CheckBox1.Checked());
    EXPECT_EQ(form_->SearchDir, folder_.Path());
    const int row = form_->ListView1.SelectedRow();
    ASSERT_EQ(row, 40);
    EXPECT_EQ(form_->ListView1.RowCaption(row), "zz_one.dll");
    // Scrolled so that the row is the first visible one, as far as the list can scroll.
    const int perPage = static_cast<int>(form_->ListView1.Send(LVM_GETCOUNTPERPAGE));
    EXPECT_EQ(form_->ListView1.TopRow(), std::min(row, form_->ListView1.RowCount() - perPage));
    EXPECT_TRUE(form_->Btn2.Enabled());
    EXPECT_EQ(form_->StripFileName, "zz_one.dll");
    EXPECT_EQ(form_->StripIconCount, 1);
}

TEST_F(MainWindowStrip, DroppingTwoFilesSaysSoThenTakesTheFirst) {
    Copy("TWO.DLL", "first.dll");
    Copy("FORTY.DLL", "second.dll");
    std::vector<std::string> messages;
    AnswerMessage(messages);
    Drop({folder_ / "first.dll", folder_ / "second.dll"});
    EXPECT_EQ(messages, (std::vector<std::string>{"ドロップできるファイルは一つだけです。"}));
    EXPECT_EQ(form_->StripFileName, "first.dll");
    EXPECT_EQ(form_->StripIconCount, 2);
}

TEST_F(MainWindowStrip, DroppedTextFilesFoldersAndMissingFilesAreRefusedWithTheirMessages) {
    Copy("NOTE.TXT", "note.txt");
    std::vector<std::string> messages;
    AnswerMessage(messages);
    Drop({folder_ / "note.txt"});
    AnswerMessage(messages);
    Drop({folder_.Path()});
    AnswerMessage(messages);
    Drop({folder_ / "missing.dll"});
    // A wide name whose ANSI form is another file's ("Café" may come out as "Cafe").
    Copy("ONE.DLL", "Cafe.dll");
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, (folder_ / "Caf").c_str(), -1, wide, MAX_PATH);
    const std::wstring cafe = std::wstring(wide) + L"\u00E9.dll";
    Copy("ONE.DLL", "Caf");
    ASSERT_TRUE(MoveFileW(wide, cafe.c_str()));
    char ansi[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, cafe.c_str(), -1, ansi, MAX_PATH, nullptr, nullptr);
    AnswerMessage(messages);
    form_->Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(std::vector<std::wstring>{cafe})));
    DeleteFileW(cafe.c_str());
    EXPECT_EQ(messages, (std::vector<std::string>{folder_ / "note.txt" + "\r\nにはアイコンがありません。",
                                                  folder_.Path() + "\r\nというファイルが見つかりません。",
                                                  folder_ / "missing.dll" + "\r\nというファイルが見つかりません。",
                                                  ansi + std::string("\r\nというファイルが見つかりません。")}));
    EXPECT_EQ(form_->StripFileName, "");
}

TEST_F(MainWindowStrip, ThePopupMenuOpensTheAboutBoxAndTheListHint) {
    std::vector<std::string> captions;
    const auto chooseItem = [&](int downs) {
        ModalTestHook::OnNextModal([downs](HWND menu) {
            for (int i = 0; i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        });
        ModalTestHook::OnNextModal([&](HWND dialog) {
            captions.push_back(testsupport::WindowText(dialog));
            PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);  // Enter presses OK / 許します
        });
        form_->Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form_->Handle()), MAKELPARAM(100, 100));
    };
    chooseItem(1);
    chooseItem(2);
    EXPECT_EQ(captions, (std::vector<std::string>{"About", "ファイルリストのヒント"}));
    EXPECT_FALSE(form4_->Showing());
    EXPECT_FALSE(form6_->Showing());
}

TEST_F(MainWindowStrip, TheCloseBoxEndsBothDialogsAndTheAboutBoxKeepsTypedText) {
    ModalTestHook::OnNextModal([](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(form6_->ShowModal(), toolkit::mrCancel);
    ModalTestHook::OnNextModal([&](HWND dialog) {
        form4_->Edit1.SetText("typed");
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    form4_->ShowModal();
    std::string shownAgain;
    ModalTestHook::OnNextModal([&](HWND dialog) {
        shownAgain = form4_->Edit1.Text();
        PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(form4_->ShowModal(), toolkit::mrOk);
    EXPECT_EQ(shownAgain, "typed");
}

// The strip's own menu opens the detail window of the cell under the pointer (cell 3 of twelve
// groups with ids 1 to 12); its copy puts the PNG file and both bitmap forms on the clipboard.
TEST_F(MainWindowStrip, TheStripMenuOpensTheIconsDetailWindowWhoseCopyOffersThreeFormats) {
    TForm7 form7;
    ShowFile("TWELVE.DLL");
    std::vector<std::string> shown;
    int selected = -1;
    std::vector<std::uint8_t> png, dibV5, dib;
    const auto clipboardBytes = [](UINT format) {
        HGLOBAL data = GetClipboardData(format);
        const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(data));
        std::vector<std::uint8_t> copy(bytes, bytes + (bytes ? GlobalSize(data) : 0));
        GlobalUnlock(data);
        return copy;
    };
    ModalTestHook::OnNextModal([](HWND menu) {
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    });
    ModalTestHook::OnNextModal([&](HWND dialog) {
        shown = {testsupport::WindowText(dialog), form7.Label6.Caption(), form7.Edit1.Text(), form7.Edit2.Text()};
        for (int i = 0; i < form7.PictureRow1.Count(); ++i) shown.push_back(form7.PictureRow1.CaptionOf(i));
        selected = form7.PictureRow1.Selected();
        form7.Button3.Send(BM_CLICK);
        if (OpenClipboard(dialog)) {
            png = clipboardBytes(RegisterClipboardFormatA("PNG"));
            dibV5 = clipboardBytes(CF_DIBV5);
            dib = clipboardBytes(CF_DIB);
            CloseClipboard();
        }
        PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    POINT at{3 * 32 + 20, 10};
    ClientToScreen(form_->Image1.Handle(), &at);
    form_->Image1.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form_->Image1.Handle()), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(shown, (std::vector<std::string>{"ｱｲｺﾝの詳細", "3", "TWELVE.DLL,3", "TWELVE.DLL,-4", "16×16 8ﾋﾞｯﾄ",
                                                "32×32 32ﾋﾞｯﾄ", "48×48 4ﾋﾞｯﾄ"}));
    EXPECT_EQ(selected, 2);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    EXPECT_EQ(png[19], 48);  // the width in the header chunk
    ASSERT_GT(dibV5.size(), 16u);
    ASSERT_GT(dib.size(), 16u);
    EXPECT_EQ((std::vector<int>{dibV5[0], dibV5[4], dibV5[14], dib[0], dib[4], dib[14]}),
              (std::vector<int>{124, 48, 32, 40, 48, 24}));  // header size, width, bits per pixel
    EXPECT_FALSE(form7.Showing());
}

// An image too wide to decode is one cell of its own: the window opens with the others, and Copy
// and Save PNG are off while it is selected (Save ICO stays).
TEST_F(MainWindowStrip, AnUnreadableImageIsOneCellWhoseCopyAndSaveAreOff) {
    TForm7 form7;
    Copy("shapes/UNREADABLE.DLL", "U.DLL");
    std::vector<std::string> seen;
    const auto note = [&] {
        for (int i = 0; i < form7.PictureRow1.Count(); ++i) seen.push_back(form7.PictureRow1.CaptionOf(i));
        for (toolkit::Button* b : {&form7.Button3, &form7.Button4, &form7.Button5}) seen.push_back(b->Enabled() ? "on" : "off");
    };
    form7.FillIcon(folder_.Path(), "U.DLL", 1);  // the largest readable image is selected
    note();
    form7.PictureRow1.Send(WM_KEYDOWN, VK_RIGHT, 0);
    seen.push_back(std::to_string(form7.PictureRow1.Selected())), note();
    form7.FillIcon(folder_.Path(), "U.DLL", 2);  // nothing but the unreadable image
    note();
    EXPECT_EQ(seen, (std::vector<std::string>{"16×16 32ﾋﾞｯﾄ", "読めない画像", "on", "on", "on", "1", "16×16 32ﾋﾞｯﾄ", "読めない画像", "off",
                                              "off", "on", "読めない画像", "off", "off", "on"}));
}

namespace {

// The bytes of a clipboard format up to its closing zero, as text of that format's characters.
template <typename Char>
std::basic_string<Char> ClipboardText(HWND owner, UINT format) {
    std::basic_string<Char> text;
    if (!OpenClipboard(owner)) return text;
    if (HGLOBAL data = GetClipboardData(format)) text = static_cast<const Char*>(GlobalLock(data)), GlobalUnlock(data);
    CloseClipboard();
    return text;
}

// Every item of the menu a popup menu window shows, separators empty.
std::vector<std::string> MenuItems(HWND menuWindow) {
    std::vector<std::string> items;
    HMENU menu = toolkit::TrackedMenu(menuWindow);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back(text);
    }
    return items;
}

}  // namespace

// A right click on a row selects it and offers the list's menu; each item acts on that row (the
// second), its accelerator chooses it. Enter on the selected row views it.
TEST_F(MainWindowStrip, TheListMenuActsOnTheRowUnderThePointerAndEnterViewsTheSelectedRow) {
    Copy("TWO.DLL", "a.dll");
    Copy("FORTY.DLL", "b.dll");
    form_->FTVE1Change(folder_.Path());
    form_->Btn1.Send(BM_CLICK);
    ASSERT_EQ(form_->ListView1.RowCount(), 2);
    const RECT row = form_->ListView1.RowRect(1);
    POINT at{row.left + 10, (row.top + row.bottom) / 2};
    ClientToScreen(form_->ListView1.Handle(), &at);
    const auto rightClickChoosing = [&](char key, std::vector<std::string>* items) {
        ModalTestHook::OnNextModal([key, items](HWND menu) {
            if (items) *items = MenuItems(menu);
            PostMessageA(menu, WM_CHAR, key, 0);
        });
        form_->ListView1.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form_->ListView1.Handle()), MAKELPARAM(at.x, at.y));
    };
    std::vector<std::string> items;
    rightClickChoosing('p', &items);
    EXPECT_EQ(items, (std::vector<std::string>{"見る(&V)", "取り出す(&E)...", "", "ﾌｫﾙﾀﾞを開く(&O)", "ﾊﾟｽをｺﾋﾟｰ(&P)"}));
    EXPECT_EQ(form_->ListView1.SelectedRow(), 1);
    EXPECT_TRUE(form_->Btn2.Enabled());
    const std::string path = folder_ / "b.dll";
    EXPECT_EQ(ClipboardText<char>(form_->Handle(), CF_TEXT), path);
    EXPECT_EQ(ClipboardText<wchar_t>(form_->Handle(), CF_UNICODETEXT), std::wstring(path.begin(), path.end()));  // ASCII
    rightClickChoosing('o', nullptr);
    EXPECT_EQ(form_->shownInFolder, (std::vector<std::string>{folder_ / "b.dll"}));
    // Enter reaches the list through the window's dialog keys, which would otherwise take it.
    form_->ListView1.SelectRow(0);
    form_->ListView1.SetFocus();
    PostMessageA(form_->ListView1.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    toolkit::Application::Instance().ProcessMessages();
    EXPECT_EQ(form_->StripFileName, "a.dll");
    EXPECT_EQ(form_->StripIconCount, 2);
}

namespace {

// The pixel columns of a screen rectangle that hold something other than `background`.
std::vector<bool> InkedColumns(HDC source, int left, int top, int width, int height, COLORREF background) {
    std::vector<bool> inked(static_cast<std::size_t>(width), false);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height && !inked[x]; ++y) inked[x] = GetPixel(source, left + x, top + y) != background;
    return inked;
}

}  // namespace

// The strip's caption over a shorter one: the label shows every column of the new name as it shows
// when drawn afresh.
TEST_F(MainWindowStrip, ALongerNameAfterAShorterOneIsDrawnWhole) {
    Copy("TWO.DLL", "notifu64.exe");
    Copy("TWO.DLL", "testapp64-with192.exe");
    form_->FTVE1Change(folder_.Path());
    const auto settle = [] {
        for (int i = 0; i < 10; ++i) {
            toolkit::Application::Instance().ProcessMessages();
            Sleep(20);
        }
    };
    form_->DispIcon("notifu64.exe");
    settle();
    form_->DispIcon("testapp64-with192.exe");
    settle();
    RECT label{};
    GetWindowRect(form_->Label2.Handle(), &label);
    const int width = label.right - label.left, height = label.bottom - label.top;
    const toolkit::ScreenDC screen;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::vector<bool> shown = InkedColumns(screen.Get(), label.left, label.top, width, height, face);
    // The same label drawn afresh as a whole.
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    settle();
    const std::vector<bool> whole = InkedColumns(screen.Get(), label.left, label.top, width, height, face);
    ASSERT_GT(std::count(whole.begin(), whole.end(), true), width / 3);
    EXPECT_EQ(shown, whole);
}

namespace {

// The built PICTAVO.EXE as Windows names it (the build gives a path of the host under Wine).
std::string BuiltProgram() {
    std::string path = PICTAVO_EXE;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.front() == '\\' ? "Z:" + path : path;
}

struct ProgramWindows {
    DWORD process = 0;
    HWND main = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found) {
    auto& windows = *reinterpret_cast<ProgramWindows*>(found);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != windows.process || !IsWindowVisible(window) || testsupport::WindowText(window) != "Pictavo") return TRUE;
    windows.main = window;
    return FALSE;
}

// The first descendant of `parent` of the window class, or nullptr.
HWND FindChild(HWND parent, const char* windowClass, const std::string& text = {}) {
    for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child; child = FindWindowExA(parent, child, nullptr, nullptr)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, windowClass) == 0 && (text.empty() || testsupport::WindowText(child) == text)) return child;
        if (HWND inner = FindChild(child, windowClass, text)) return inner;
    }
    return nullptr;
}

}  // namespace

// PICTAVO.EXE started with a DLL's path, as "Open with" starts it: the window shows the DLL's
// forty icons (a strip of forty cells, the name above it) without anything else done.
TEST(MainWindowStart, StartedWithADllsPathTheWindowShowsItsIcons) {
    TestFolder program, files;
    ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), (program / "PICTAVO.EXE").c_str(), FALSE)) << BuiltProgram();
    ASSERT_TRUE(CopyFileA(FixturePath("FORTY.DLL").c_str(), (files / "FORTY.DLL").c_str(), FALSE));
    std::string commandLine = "\"" + program / "PICTAVO.EXE" + "\" \"" + files / "FORTY.DLL" + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, program.Path().c_str(),
                               &startup, &started));
    ProgramWindows windows{started.dwProcessId};
    HWND name = nullptr, strip = nullptr;
    for (int waited = 0; waited < 300 && !(name && strip && testsupport::WindowText(name) == "FORTY.DLL"); ++waited) {
        Sleep(100);
        windows.main = nullptr;
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&windows));
        if (!windows.main) continue;
        name = FindChild(windows.main, "Static", "FORTY.DLL");
        strip = FindChild(windows.main, "TPictavoImage");
    }
    ASSERT_NE(windows.main, nullptr) << "no window of the started program";
    EXPECT_NE(name, nullptr);
    ASSERT_NE(strip, nullptr);
    RECT cells{};
    GetClientRect(strip, &cells);
    EXPECT_EQ(cells.right, 40 * cells.bottom);
    PostMessageA(windows.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(started.hProcess, 30000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    EXPECT_EQ(status, 0u);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}
