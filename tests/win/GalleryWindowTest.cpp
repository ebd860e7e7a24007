// The icon gallery of a searched folder, driven with real messages: it opens from the main window
// with every icon drawn, filters by name as typed, and exports the icons selected by clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/PictavoUnit.h"
#include "dialogs/PictavoUnit7.h"
#include "export/PictavoUnit5.h"
#include "export/WicImaging.h"
#include "icons/IconHolder.h"
#include "icons/IconSource.h"
#include "tests/win/TestFolder.h"
#include "tests/win/WindowTexts.h"
#include "toolkit/ModalTestHook.h"

using testsupport::FixturePath;
using testsupport::TestFolder;
using toolkit::ModalTestHook;

namespace {

// Runs the message loop until `done` or ten seconds: the gallery reads on a thread of its own and
// hands the cells over through the window's messages.
template <typename Done>
bool PumpUntil(Done done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetTickCount() - start > 10000) return false;
        Sleep(5);
    }
    return true;
}

class GalleryWindow : public testing::Test {
protected:
    void SetUp() override {
        for (const auto& [fixture, name] : {std::pair{"TWO.DLL", "alpha.dll"}, {"FORTY.DLL", "beta.dll"}, {"TWELVE.DLL", "gamma.dll"}})
            ASSERT_TRUE(CopyFileA(FixturePath(fixture).c_str(), (folder_ / name).c_str(), FALSE)) << fixture;
        form_ = std::make_unique<TForm1>(settings_ / "PICTAVO.INI");
        form_->Show();
        form_->FTVE1Change(folder_.Path());
        form_->Btn1.Send(BM_CLICK);
    }
    TIconGallery& OpenGallery() {
        form_->Btn5.Send(BM_CLICK);
        TIconGallery& gallery = *form_->Gallery;
        EXPECT_TRUE(PumpUntil([&] { return gallery.MissingInView() == 0 && !gallery.Reading(); }));
        return gallery;
    }
    void Key(TIconGallery& gallery, WPARAM key, std::initializer_list<BYTE> held = {}) {
        BYTE keys[256] = {};
        for (BYTE k : held) keys[k] = 0x80;
        SetKeyboardState(keys);
        gallery.Canvas1.Send(WM_KEYDOWN, key);
        BYTE none[256] = {};
        SetKeyboardState(none);
    }
    void TearDown() override {
        ModalTestHook::Clear();
        form_.reset();
    }
    // A click in the middle of the cell at shown position `position`, with the keys held.
    void ClickCell(int position, WPARAM keys) {
        TIconGallery& gallery = *form_->Gallery;
        int x = 0, y = 0;
        gallery.Layout().CellOrigin(position, x, y);
        const LPARAM at = MAKELPARAM(x + gallery.Layout().CellWidth() / 2, y - gallery.Canvas1.ScrollY() + 10);
        // A plain click waits to tell a drag from a click: the button is up again at once.
        if (!(keys & (MK_CONTROL | MK_SHIFT))) PostMessageA(gallery.Canvas1.Handle(), WM_LBUTTONUP, 0, at);
        gallery.Canvas1.Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    }

    TestFolder settings_, folder_, saved_;
    std::unique_ptr<TForm1> form_;
};

}  // namespace

TEST_F(GalleryWindow, OpensWithEveryIconFiltersByNameAndExportsTheSelectedIcons) {
    ASSERT_EQ(form_->ListView1.RowCount(), 3);
    ASSERT_TRUE(form_->Btn5.Enabled());
    form_->Btn5.Send(BM_CLICK);
    ASSERT_TRUE(form_->Gallery);
    TIconGallery& gallery = *form_->Gallery;
    EXPECT_TRUE(gallery.Showing());
    EXPECT_EQ(gallery.Icons().IconCount(), 54);
    ASSERT_TRUE(PumpUntil([&] { return gallery.MissingInView() == 0 && gallery.CountText().find("/ 54") != std::string::npos &&
                                       gallery.CountText().find("読込中") == std::string::npos; }))
        << gallery.CountText() << " missing " << gallery.MissingInView();
    EXPECT_EQ(gallery.CountText(), "ｱｲｺﾝ 54 / 54");
    // Each file under its header: alpha's two icons come first.
    ASSERT_FALSE(gallery.Layout().Rows().empty());
    EXPECT_TRUE(gallery.Layout().Rows()[0].header);
    EXPECT_EQ(gallery.Layout().Rows()[1].count, 2);
    // The first cell is drawn: its middle is the icon, not the window's ground.
    UpdateWindow(gallery.Canvas1.Handle());
    int x = 0, y = 0;
    gallery.Layout().CellOrigin(0, x, y);
    const HDC dc = GetDC(gallery.Canvas1.Handle());
    const COLORREF middle = GetPixel(dc, x + gallery.Layout().CellWidth() / 2, y + 4 + gallery.CellPixels() / 2);
    ReleaseDC(gallery.Canvas1.Handle(), dc);
    EXPECT_NE(middle, GetSysColor(COLOR_WINDOW));

    gallery.Edit1.SetText("BETA");
    EXPECT_EQ(gallery.CountText(), "ｱｲｺﾝ 40 / 54");
    EXPECT_EQ(gallery.Icons().Files()[static_cast<std::size_t>(gallery.Icons().FileOf(gallery.Icons().Shown()[0]))].shownName, "beta.dll");

    ClickCell(2, 0);
    ClickCell(3, MK_SHIFT);
    EXPECT_EQ(gallery.Selection().SelectedShown(gallery.Icons()), (std::vector<int>{2 + 2, 2 + 3}));
    EXPECT_NE(gallery.CellTip(2).find("beta.dll"), std::string::npos) << gallery.CellTip(2);

    form_->SaveDir = saved_.Path();
    form_->IcoOut = true;
    form_->IcoAllSizes = false;
    form_->BmpOut = false;
    form_->PngOut = false;
    std::vector<std::string> summary;
    ModalTestHook::OnNextModal([](HWND menu) {  // ｱｲｺﾝの詳細, ｺﾋﾟｰ, 選択したｱｲｺﾝを取り出す
        for (int i = 0; i < 3; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);  // the first down highlights the first item
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    });
    ModalTestHook::OnNextModal([&summary](HWND box) {
        summary.push_back(testsupport::StaticTexts(box));
        PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    });
    gallery.Layout().CellOrigin(3, x, y);
    POINT screen{x + 10, y + 10};
    ClientToScreen(gallery.Canvas1.Handle(), &screen);
    gallery.Canvas1.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(gallery.Canvas1.Handle()), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(summary, (std::vector<std::string>{"2個のアイコンと 0個のビットマップを取り出しました。"}));
    std::vector<std::string> written;
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((saved_ / "*.*").c_str(), &entry);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &entry))
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) written.push_back(entry.cFileName);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"beta0002.ICO", "beta0003.ICO"}));

    // Closed, it remembers its place and lets its reading go.
    gallery.Send(WM_CLOSE);
    EXPECT_FALSE(gallery.Showing());
    EXPECT_EQ(GetPrivateProfileIntA("Form", "GalleryWidth", 0, (settings_ / "PICTAVO.INI").c_str()), gallery.Width());
}

// A picture of icon `index` of `path` as a screen shows it: drawn over white, 32 pixels, no alpha.
iconexport::ImagePixels IconOverWhite(const std::string& path, int index) {
    const icons::IconHolder icon(icons::ExtractIconAt(nullptr, path, index));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 32, 32, WHITENESS);
    DrawIconEx(dc, 0, 0, icon.Handle(), 32, 32, 0, nullptr, DI_NORMAL);
    GdiFlush();
    iconexport::ImagePixels picture{32, 32, std::vector<std::uint8_t>(static_cast<const std::uint8_t*>(bits),
                                                                      static_cast<const std::uint8_t*>(bits) + 32 * 32 * 4)};
    for (std::size_t alpha = 3; alpha < picture.bgra.size(); alpha += 4) picture.bgra[alpha] = 255;
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return picture;
}

// 画像で探す with a picture file of one of gamma's icons: the search runs while the window answers,
// the icon comes first with its likeness in the tip, in one run of cells under the name filter, and
// すべて表示 returns to the list's order. A file that is no picture is refused with its message.
TEST_F(GalleryWindow, FindsAnIconByItsPictureAndShowsAllAgain) {
    TIconGallery& gallery = OpenGallery();
    const std::string picture = saved_ / "crop.png";
    {
        const iconexport::WicImaging imaging;
        const std::vector<std::uint8_t> png = imaging.EncodePng(IconOverWhite(folder_ / "gamma.dll", 7));
        HANDLE file = CreateFileA(picture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr));
        CloseHandle(file);
    }
    gallery.FindPictureFile(picture);
    EXPECT_TRUE(gallery.Searching());
    ASSERT_TRUE(PumpUntil([&] { return !gallery.Searching() && gallery.Icons().InGivenOrder(); }));
    // beta.dll's icon 7 has the very picture of gamma.dll's: the two lead, the rest well behind.
    std::vector<int> firstTwo(gallery.Icons().Shown().begin(), gallery.Icons().Shown().begin() + 2);
    std::sort(firstTwo.begin(), firstTwo.end());
    EXPECT_EQ(firstTwo, (std::vector<int>{2 + 7, 2 + 40 + 7}));
    EXPECT_GT(gallery.Icons().OrderedAt(1)->likeness, gallery.Icons().OrderedAt(2)->likeness + 20);
    EXPECT_TRUE(gallery.Button2.Enabled());
    EXPECT_EQ(gallery.CountText(), "ｱｲｺﾝ 54 / 54");
    EXPECT_NE(gallery.CellTip(0).find("類似度 " + std::to_string(gallery.Icons().OrderedAt(0)->likeness)), std::string::npos)
        << gallery.CellTip(0);
    EXPECT_TRUE(std::none_of(gallery.Layout().Rows().begin(), gallery.Layout().Rows().end(),
                             [](const gallery::GalleryRow& row) { return row.header; }));  // no file headers
    gallery.Edit1.SetText("GAMMA");
    EXPECT_EQ(gallery.Icons().Shown().front(), 2 + 40 + 7);
    EXPECT_EQ(gallery.CountText(), "ｱｲｺﾝ 12 / 54");

    std::string refusal;
    ModalTestHook::OnNextModal([&](HWND box) {
        refusal = testsupport::StaticTexts(box);
        PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    });
    gallery.FindPictureFile(folder_ / "alpha.dll");
    EXPECT_EQ(refusal, folder_ / "alpha.dll" + " は画像として読めません");
    EXPECT_TRUE(gallery.Icons().InGivenOrder());

    gallery.Button2.Send(BM_CLICK);
    EXPECT_FALSE(gallery.Icons().InGivenOrder());
    EXPECT_EQ(gallery.Icons().Shown().front(), 2 + 40);  // gamma's first, under the filter still
    EXPECT_EQ(gallery.CellTip(0).find("類似度"), std::string::npos);
    EXPECT_FALSE(gallery.Button2.Enabled());
}

// The arrows move across rows and over headers, Shift extends, Ctrl+A takes every shown icon, and
// Enter opens the focused icon's detail window.
TEST_F(GalleryWindow, TheKeysSelectAndEnterOpensTheDetailWindow) {
    TForm7 form7;
    TIconGallery& gallery = OpenGallery();
    ClickCell(1, 0);  // alpha's second icon, the last of its row
    Key(gallery, VK_DOWN);
    EXPECT_EQ(gallery.Selection().Focused(), 3);  // beta's second, the same column past beta's header
    Key(gallery, VK_RIGHT, {VK_SHIFT});
    Key(gallery, VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(gallery.Selection().SelectedShown(gallery.Icons()), (std::vector<int>{3, 4, 5}));
    Key(gallery, 'A', {VK_CONTROL});
    EXPECT_EQ(gallery.Selection().SelectedShown(gallery.Icons()).size(), 54u);
    std::vector<std::string> shown;
    ModalTestHook::OnNextModal([&](HWND detail) {
        shown.push_back(form7.Label2.Caption() + " " + form7.Label6.Caption());
        PostMessageA(detail, WM_CLOSE, 0, 0);
    });
    Key(gallery, VK_RETURN);
    EXPECT_EQ(shown, (std::vector<std::string>{folder_ / "beta.dll" + " 3"}));
}

// A second export of the same icons asks before replacing; "All" answers for the icons after it,
// whichever file they come from.
TEST_F(GalleryWindow, ExportingAgainAsksOnceWhenAllIsAnswered) {
    TForm5 form5;
    TIconGallery& gallery = OpenGallery();
    form_->SaveDir = saved_.Path();
    form_->IcoOut = true;
    form_->IcoAllSizes = form_->BmpOut = form_->PngOut = false;
    ClickCell(1, 0);                // alpha 1
    ClickCell(2, MK_CONTROL);       // beta 0
    ClickCell(43, MK_CONTROL);      // gamma 1
    std::vector<std::string> boxes;
    const auto answerSummary = [&] {
        ModalTestHook::OnNextModal([&](HWND box) {
            boxes.push_back(testsupport::StaticTexts(box));
            PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
        });
    };
    answerSummary();
    gallery.ExportSelectedClick();
    ModalTestHook::OnNextModal([&](HWND question) {
        boxes.push_back(form5.Label7.Caption());
        form5.Button2.Send(BM_CLICK);  // すべて
        (void)question;
    });
    answerSummary();
    gallery.ExportSelectedClick();
    EXPECT_EQ(boxes, (std::vector<std::string>{"3個のアイコンと 0個のビットマップを取り出しました。", "alpha0001.ICO",
                                               "3個のアイコンと 0個のビットマップを取り出しました。"}));
}
