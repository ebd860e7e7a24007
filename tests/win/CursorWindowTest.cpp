// The main window with "ｶｰｿﾙ" ticked, driven with real messages over the cursor fixtures: the
// search and its counts, the strip, the setting, and the detail window of a cursor.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/PictavoUnit.h"
#include "dialogs/PictavoUnit7.h"
#include "tests/win/TestFolder.h"
#include "tests/win/WindowTexts.h"
#include "toolkit/Image.h"
#include "toolkit/ModalTestHook.h"

using testsupport::FixturePath;
using testsupport::TestFolder;
using toolkit::ModalTestHook;

namespace {

class CursorWindow : public testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<TForm1>(settings_ / "PICTAVO.INI");
        form_->Show();
        for (const char* name : {"cursors\\ARROW.CUR", "cursors\\BUSY.ANI", "cursors\\CURSORS.DLL", "cursors\\NE.EXE",
                                 "TWELVE.DLL", "SIZES.ICO"}) {
            const std::string file = std::string(name).substr(std::string(name).rfind('\\') + 1);
            ASSERT_TRUE(CopyFileA(FixturePath(name).c_str(), (folder_ / file).c_str(), FALSE)) << name;
        }
        form_->FTVE1Change(folder_.Path());
        if (form_->CheckBox1.Checked()) form_->CheckBox1.Send(BM_CLICK);  // one cursor is enough
    }
    void TearDown() override {
        ModalTestHook::Clear();
        form_.reset();
    }
    std::vector<std::string> Column(int column) const { return testsupport::ListColumn(form_->ListView1.Handle(), column); }
    std::string CountHeader() const {
        char text[64] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        form_->ListView1.Send(LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
        return text;
    }
    // The detail window of strip cell `cell` as its menu opens it: the window's caption, the
    // number, the reference and every image's caption.
    std::vector<std::string> DetailOf(TForm7& form7, int cell) {
        std::vector<std::string> shown;
        ModalTestHook::OnNextModal([](HWND menu) {
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        });
        ModalTestHook::OnNextModal([&](HWND dialog) {
            shown = {testsupport::WindowText(dialog), form7.Label6.Caption(), form7.Edit1.Text()};
            for (int i = 0; i < form7.PictureRow1.Count(); ++i) shown.push_back(form7.PictureRow1.CaptionOf(i));
            PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        POINT at{cell * form_->StripCellSize() + 10, 10};
        ClientToScreen(form_->Image1.Handle(), &at);
        form_->Image1.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form_->Image1.Handle()), MAKELPARAM(at.x, at.y));
        return shown;
    }

    TestFolder settings_;
    TestFolder folder_;
    std::unique_ptr<TForm1> form_;
};

}  // namespace

// The counts are the fixtures' (see the generator): cursors of a .cur, an .ani, a PE and an NE
// file; unticked, the same folder lists its icons as ever.
TEST_F(CursorWindow, TheSearchListsCursorCountsAndUntickedTheIconsAsEver) {
    form_->CheckBox3.Send(BM_CLICK);
    EXPECT_EQ(form_->ListView1.RowCount(), 0);
    EXPECT_EQ(form_->Label4.Caption(), "未検索");
    form_->Btn1.Send(BM_CLICK);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"ARROW.CUR", "BUSY.ANI", "CURSORS.DLL", "NE.EXE"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1", "1", "3", "2"}));
    EXPECT_EQ(CountHeader(), "ｶｰｿﾙ数");
    // "複数ｱｲｺﾝ" means two or more cursors.
    form_->CheckBox1.Send(BM_CLICK);
    form_->Btn1.Send(BM_CLICK);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"CURSORS.DLL", "NE.EXE"}));

    form_->CheckBox1.Send(BM_CLICK);
    form_->CheckBox3.Send(BM_CLICK);
    EXPECT_EQ(form_->ListView1.RowCount(), 0);
    EXPECT_EQ(CountHeader(), "ｱｲｺﾝ数");
    form_->Btn1.Send(BM_CLICK);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"CURSORS.DLL", "NE.EXE", "SIZES.ICO", "TWELVE.DLL"}));
    // Remembered as Cursors in [Opt].
    form_->CheckBox3.Send(BM_CLICK);
    form_.reset();
    EXPECT_TRUE(TForm1(settings_ / "PICTAVO.INI").CheckBox3.Checked());
}

// One strip cell per cursor, each drawn (the fixture images are not white in their middle). The
// detail window names the cursor by its resource id and each image's hotspot; an animated cursor
// shows each frame with its time and its steps (frames 0 2 1 2 at 5 to 8/60 s).
TEST_F(CursorWindow, TheStripAndTheDetailWindowShowHotspotsResourceIdsAndFrames) {
    TForm7 form7;
    form_->CheckBox3.Send(BM_CLICK);
    form_->DispIcon("CURSORS.DLL");
    ASSERT_EQ(form_->StripIconCount, 3);
    {
        const int cell = form_->StripCellSize();
        toolkit::ImageCanvas canvas(form_->Image1);
        for (int i = 0; i < 3; ++i) EXPECT_NE(GetPixel(canvas.Get(), cell * i + cell / 2, cell / 2), RGB(255, 255, 255)) << i;
    }
    EXPECT_EQ(DetailOf(form7, 0), (std::vector<std::string>{"ｶｰｿﾙの詳細", "0", "#100", "32×32 4ﾋﾞｯﾄ ﾎｯﾄｽﾎﾟｯﾄ 1,2",
                                                            "48×48 8ﾋﾞｯﾄ ﾎｯﾄｽﾎﾟｯﾄ 3,4"}));
    EXPECT_EQ(DetailOf(form7, 2), (std::vector<std::string>{"ｶｰｿﾙの詳細", "2", "#200",
                                                            "32×32 8ﾋﾞｯﾄ ﾎｯﾄｽﾎﾟｯﾄ 16,0 ｺﾏ 0: 5/60秒 順 1",
                                                            "32×32 8ﾋﾞｯﾄ ﾎｯﾄｽﾎﾟｯﾄ 16,1 ｺﾏ 1: 7/60秒 順 3",
                                                            "32×32 8ﾋﾞｯﾄ ﾎｯﾄｽﾎﾟｯﾄ 16,2 ｺﾏ 2: 6/60秒 順 2,4"}));
}
