// The icon gallery of a searched folder, driven with real messages: it opens from the main window
// with every icon drawn, filters by name as typed, and exports the icons selected by clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/PictavoUnit.h"
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
