// The windows as designed: every control's place, size, caption and hint, read back from the real
// windows, so that a moved control or a mistyped text fails here; on a display of 96 DPI and,
// run again in a prefix of its own, of 144 DPI, where every designed number is multiplied by 1.5.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/PictavoUnit.h"
#include "dialogs/PictavoUnit4.h"
#include "dialogs/PictavoUnit6.h"
#include "dialogs/PictavoUnit7.h"
#include "export/PictavoUnit2.h"
#include "export/PictavoUnit3.h"
#include "export/PictavoUnit5.h"
#include "tests/win/DisplayDpi.h"
#include "tests/win/TestFolder.h"
#include "tests/win/WindowTexts.h"

using testsupport::DisplayDpi;
using testsupport::TestFolder;
using testsupport::WindowText;

namespace {

constexpr int kSized = -1;  // sized by the program to its text: not checked

struct Place {
    int left, top, width, height;
};

struct Designed {
    const char* name;
    const toolkit::Window* control;
    Place at96, at144;
    const char* caption;  // nullptr: not checked (its content is set at run time)
    const char* hint;
};

// Each test checks the column of the display's DPI.
bool AKnownDpi() { return DisplayDpi() == 96 || DisplayDpi() == 144; }

template <typename T>
const T& AtDisplayDpi(const T& at96, const T& at144) { return DisplayDpi() == 144 ? at144 : at96; }

RECT PlaceInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

void ExpectLayout(std::initializer_list<Designed> table) {
    for (const Designed& d : table) {
        SCOPED_TRACE(d.name);
        const RECT r = PlaceInParent(d.control->Handle());
        const Place& p = AtDisplayDpi(d.at96, d.at144);
        EXPECT_EQ(r.left, p.left);
        EXPECT_EQ(r.top, p.top);
        if (p.width != kSized) {
            EXPECT_EQ(r.right - r.left, p.width);
        }
        if (p.height != kSized) {
            EXPECT_EQ(r.bottom - r.top, p.height);
        }
        if (d.caption) {
            EXPECT_EQ(WindowText(d.control->Handle()), d.caption);
        }
        const auto* control = dynamic_cast<const toolkit::Control*>(d.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Hint(), d.hint);
    }
}

std::string ColumnCaption(HWND list, int column) {
    char text[64] = {};
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.pszText = text;
    c.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&c));
    return std::string(text) + "/" + std::to_string(c.cx) + "/" + std::to_string(c.fmt & LVCFMT_JUSTIFYMASK);
}

// The form's caption, client size, its controls in tab order (from the first) and its Enter button
// (none: Enter presses nothing).
void ExpectForm(const toolkit::Form& form, const char* caption, SIZE client96, SIZE client144,
                std::initializer_list<const toolkit::Window*> tabOrder, const toolkit::Window* enterButton) {
    EXPECT_EQ(WindowText(form.Handle()), caption);
    const SIZE client = AtDisplayDpi(client96, client144);
    EXPECT_EQ(ClientSize(form.Handle()).cx, client.cx);
    EXPECT_EQ(ClientSize(form.Handle()).cy, client.cy);
    HWND control = GetNextDlgTabItem(form.Handle(), nullptr, FALSE);
    for (const toolkit::Window* expected : tabOrder) {
        EXPECT_EQ(control, expected->Handle()) << caption << ": tab order at " << WindowText(expected->Handle());
        control = GetNextDlgTabItem(form.Handle(), control, FALSE);
    }
    const LRESULT id = SendMessageA(form.Handle(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(id) == DC_HASDEFID ? GetDlgItem(form.Handle(), LOWORD(id)) : nullptr,
              enterButton ? enterButton->Handle() : nullptr) << caption;
}

}  // namespace

TEST(DesignedLayout, ExportOverwriteAndNewFolderDialogs) {
    if (!AKnownDpi()) GTEST_SKIP() << "laid out for 96 and 144 DPI only";
    TestFolder settings;
    TForm1 form1(settings / "PICTAVO.INI");  // the export dialog's tree reports to it
    TForm2 f2;
    ExpectForm(f2, "取り出しの指定", {365, 324}, {548, 486},
               {&f2.FTVE1, &f2.CheckBox1, &f2.CheckBox2, &f2.CheckBox3, &f2.CheckBox4, &f2.Button3, &f2.Button1, &f2.Button2},
               nullptr);
    ExpectLayout({
        {"Label5", &f2.Label5, {8, 8, kSized, kSized}, {12, 12, kSized, kSized}, "取出元ﾌｧｲﾙ", ""}, {"Label7", &f2.Label7, {74, 8, kSized, kSized}, {111, 12, kSized, kSized}, " ：", ""},
        {"Label6", &f2.Label6, {84, 8, kSized, kSized}, {126, 12, kSized, kSized}, "", ""}, {"Label1", &f2.Label1, {8, 29, kSized, kSized}, {12, 44, kSized, kSized}, "取出先ﾌｫﾙﾀﾞ ：", ""},
        {"Label2", &f2.Label2, {88, 29, 136, 12}, {132, 44, 204, 18}, nullptr, ""}, {"Label3", &f2.Label3, {237, 29, kSized, kSized}, {356, 44, kSized, kSized}, "取出範囲 ：", ""},
        {"Label4", &f2.Label4, {298, 29, kSized, kSized}, {447, 44, kSized, kSized}, "0000-9999", ""}, {"FTVE1", &f2.FTVE1, {8, 49, 213, 261}, {12, 74, 320, 392}, nullptr, ""},
        {"GroupBox1", &f2.GroupBox1, {228, 44, 132, 139}, {342, 66, 198, 209}, nullptr, ""}, {"Label8", &f2.Label8, {5, 10, kSized, kSized}, {8, 15, kSized, kSized}, "取出形式", ""},
        {"CheckBox1", &f2.CheckBox1, {7, 29, 104, 17}, {11, 44, 156, 26}, "ｱｲｺﾝ（*.ICO）", ""},
        {"CheckBox2", &f2.CheckBox2, {7, 51, 118, 17}, {11, 77, 177, 26}, "ﾋﾞｯﾄﾏｯﾌﾟ（*.BMP）", ""},
        {"CheckBox3", &f2.CheckBox3, {7, 73, 97, 17}, {11, 110, 146, 26}, "全ｻｲｽﾞで保存", "元のすべてのｻｲｽﾞと色数をｱｲｺﾝﾌｧｲﾙに保存します"},
        {"CheckBox4", &f2.CheckBox4, {7, 95, 97, 17}, {11, 143, 146, 26}, "PNG（*.PNG）", ""},
        {"ComboBox1", &f2.ComboBox1, {22, 114, 80, kSized}, {33, 171, 120, kSized}, "最大", ""},
        {"Button3", &f2.Button3, {256, 199, 82, 25}, {384, 299, 123, 38}, "ﾌｫﾙﾀﾞ作成(&D)", "新しいﾌｫﾙﾀﾞを作成します"},
        {"Button1", &f2.Button1, {256, 242, 82, 25}, {384, 363, 123, 38}, "取り出す(&E)", "元のﾌｧｲﾙ名＋順序番号．拡張子のﾌｧｲﾙ名で取り出します"},
        {"Button2", &f2.Button2, {256, 285, 82, 25}, {384, 428, 123, 38}, "ｷｬﾝｾﾙ", ""},
    });
    TForm5 f5;
    ExpectForm(f5, "同じ名前のファイル", {417, 151}, {626, 227}, {&f5.Button1, &f5.Button3, &f5.Button2, &f5.Button4}, &f5.Button3);
    ExpectLayout({
        {"Label1", &f5.Label1, {16, 8, kSized, kSized}, {24, 12, kSized, kSized}, "このフォルダには既に同じ名前のファイルがあります。上書きしますか？", ""},
        {"Label2", &f5.Label2, {44, 40, kSized, kSized}, {66, 60, kSized, kSized}, "ファイル名 ：", ""}, {"Label7", &f5.Label7, {117, 40, kSized, kSized}, {176, 60, kSized, kSized}, "", ""},
        {"Label3", &f5.Label3, {49, 56, kSized, kSized}, {74, 84, kSized, kSized}, "更新日時 ：", ""}, {"Label5", &f5.Label5, {117, 55, kSized, kSized}, {176, 83, kSized, kSized}, "", ""},
        {"Label4", &f5.Label4, {63, 72, kSized, kSized}, {95, 108, kSized, kSized}, "サイズ ：", ""}, {"Label6", &f5.Label6, {117, 71, kSized, kSized}, {176, 107, kSized, kSized}, "", ""},
        {"Button1", &f5.Button1, {35, 112, 75, 25}, {53, 168, 113, 38}, "はい(&Y)", ""}, {"Button3", &f5.Button3, {123, 112, 75, 25}, {185, 168, 113, 38}, "いいえ(&N)", ""},
        {"Button2", &f5.Button2, {211, 112, 75, 25}, {317, 168, 113, 38}, "すべて(&A)", ""}, {"Button4", &f5.Button4, {299, 112, 75, 25}, {449, 168, 113, 38}, "ｷｬﾝｾﾙ", ""},
    });
    TForm3 f3;
    EXPECT_FALSE(f3.Button1.Enabled());
    f3.Edit1.SetText("x");  // OK is disabled, out of the tab order, until a name is typed
    ExpectForm(f3, "フォルダの作成", {290, 125}, {435, 188}, {&f3.Edit1, &f3.Button1, &f3.Button2}, &f3.Button1);
    ExpectLayout({
        {"Label2", &f3.Label2, {29, 16, kSized, kSized}, {44, 24, kSized, kSized}, "現在のフォルダ ：", ""}, {"Label3", &f3.Label3, {120, 16, 161, 12}, {180, 24, 242, 18}, "", ""},
        {"Label1", &f3.Label1, {29, 40, kSized, kSized}, {44, 60, kSized, kSized}, "作成するフォルダ", ""}, {"Edit1", &f3.Edit1, {29, 55, 233, 20}, {44, 83, 350, 30}, "x", ""},
        {"Button1", &f3.Button1, {56, 88, 75, 25}, {84, 132, 113, 38}, "OK", ""}, {"Button2", &f3.Button2, {160, 88, 75, 25}, {240, 132, 113, 38}, "ｷｬﾝｾﾙ", ""},
    });
}

TEST(DesignedLayout, MainWindow) {
    if (!AKnownDpi()) GTEST_SKIP() << "laid out for 96 and 144 DPI only";
    TestFolder settings;
    TForm1 form(settings / "PICTAVO.INI");
    EXPECT_EQ(WindowText(form.Handle()), "Pictavo");
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, AtDisplayDpi(561, 842));
    EXPECT_EQ(client.cy, AtDisplayDpi(383, 575));
    ExpectLayout({
        {"Label1", &form.Label1, {20, 8, kSized, kSized}, {30, 12, kSized, kSized}, "ｱｲｺﾝﾘｽﾄ ：", ""},
        {"Label2", &form.Label2, {81, 8, kSized, kSized}, {122, 12, kSized, kSized}, "", "ﾊﾟｽとﾌｧｲﾙ名を表示します"},
        {"ScrollBox1", &form.ScrollBox1, {16, 24, 529, 54}, {24, 36, 794, 81}, nullptr, ""},
        {"Image1", &form.Image1, {2, 2, 105, 32}, {3, 3, 158, 48}, nullptr, "ダブルクリックで一つだけ取り出します"},
        {"Label6", &form.Label6, {17, 93, kSized, kSized}, {26, 140, kSized, kSized}, "検索ﾌｫﾙﾀﾞ ：", ""},
        {"Label5", &form.Label5, {83, 93, 142, 12}, {125, 140, 213, 18}, nullptr, ""},
        {"Label3", &form.Label3, {240, 93, kSized, kSized}, {360, 140, kSized, kSized}, "ｱｲｺﾝのあるﾌｧｲﾙ ：", ""},
        {"Label4", &form.Label4, {342, 93, kSized, kSized}, {513, 140, kSized, kSized}, "未検索", "検索するとﾌｧｲﾙ数を表示します"},
        {"FTVE1", &form.FTVE1, {16, 112, 213, 241}, {24, 168, 320, 362}, nullptr, ""},
        {"ListView1", &form.ListView1, {240, 112, 211, 241}, {360, 168, 317, 362}, nullptr, ""},
        {"CheckBox1", &form.CheckBox1, {468, 136, 71, 23}, {702, 204, 107, 35}, "複数ｱｲｺﾝ", "チェックすると複数アイコンのファイルだけを対象にします"},
        {"CheckBox2", &form.CheckBox2, {468, 112, 71, 23}, {702, 168, 107, 35}, "ｻﾌﾞﾌｫﾙﾀﾞ", "チェックするとｻﾌﾞﾌｫﾙﾀﾞも検索します"},
        {"CheckBox3", &form.CheckBox3, {468, 88, 71, 23}, {702, 132, 107, 35}, "ｶｰｿﾙ", "チェックするとアイコンの代わりにｶｰｿﾙを検索します"},
        {"Btn1", &form.Btn1, {464, 178, 80, 25}, {696, 267, 120, 38}, "ﾌｧｲﾙ検索(&S)", "ｱｲｺﾝのあるﾌｧｲﾙを検索します"},
        {"Btn2", &form.Btn2, {464, 214, 80, 25}, {696, 321, 120, 38}, "見る(&V)", "選択したﾌｧｲﾙのｱｲｺﾝを表示します"},
        {"Btn4", &form.Btn4, {464, 250, 80, 25}, {696, 375, 120, 38}, "取り出す(&E)...", "表示中のｱｲｺﾝを取り出し、一つずつﾌｧｲﾙに出力します"},
        {"Btn5", &form.Btn5, {464, 286, 80, 25}, {696, 429, 120, 38}, "一覧(&L)...", "一覧のﾌｧｲﾙのｱｲｺﾝをすべて表示します"},
        {"Btn3", &form.Btn3, {464, 322, 80, 25}, {696, 483, 120, 38}, "終了(&X)", "ばいばい"},
        {"StatusBar1", &form.StatusBar1, {0, 383 - 19, 561, 19}, {0, 575 - 29, 842, 29}, nullptr, ""},
    });
    // The tree reports the remembered folder at start, whose reset sets the column captions (the
    // design caption "ｱｲｺﾝ数 " with its blank is gone by then); 120 wide left, 65 wide centred.
    EXPECT_EQ(ColumnCaption(form.ListView1.Handle(), 0), AtDisplayDpi<std::string>("ﾌｧｲﾙ名/120/", "ﾌｧｲﾙ名/180/") + std::to_string(LVCFMT_LEFT));
    EXPECT_EQ(ColumnCaption(form.ListView1.Handle(), 1), AtDisplayDpi<std::string>("ｱｲｺﾝ数/65/", "ｱｲｺﾝ数/98/") + std::to_string(LVCFMT_CENTER));
    // Files dropped from the shell reach the window only when it accepts them.
    EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_FALSE(form.Btn2.Enabled());
    EXPECT_FALSE(form.Btn4.Enabled());
    EXPECT_FALSE(form.Btn5.Enabled());
}

// The tooltip sees the mouse only over controls that answer hit tests: a plain static lets the
// mouse through to the window below, and its hint never pops up.
TEST(DesignedLayout, TheLabelsHintsPopUpUnderThePointer) {
    TestFolder settings;
    TForm1 form(settings / "PICTAVO.INI");
    form.Show();
    form.Label2.SetCaption("FORTY.DLL");
    for (const toolkit::Label* label : {&form.Label2, &form.Label4}) {
        RECT r{};
        GetWindowRect(label->Handle(), &r);
        const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        EXPECT_EQ(SendMessageA(label->Handle(), WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTCLIENT);
        SetCursorPos(centre.x, centre.y);
        std::string shown;
        for (const DWORD start = GetTickCount(); shown.empty() && GetTickCount() - start < 3000;) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            HWND tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
            for (; tip; tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) {
                if (IsWindowVisible(tip)) shown = WindowText(tip);
            }
            Sleep(20);
        }
        EXPECT_EQ(shown, label->Hint());
        SetCursorPos(0, 0);
        Sleep(200);
    }
}

TEST(DesignedLayout, AboutBox) {
    if (!AKnownDpi()) GTEST_SKIP() << "laid out for 96 and 144 DPI only";
    TForm4 form;
    EXPECT_EQ(WindowText(form.Handle()), "About");
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, AtDisplayDpi(298, 447));
    EXPECT_EQ(client.cy, AtDisplayDpi(214, 321));
    ExpectLayout({
        {"Panel1", &form.Panel1, {8, 8, 281, 161}, {12, 12, 422, 242}, nullptr, ""},
        {"ProgramIcon", &form.ProgramIcon, {24, 16, 33, 33}, {36, 24, 50, 50}, nullptr, ""},
        // Labels sized to their text (57 x 12 and 184 x 12 in the designed font).
        {"Version", &form.Version, {129, 35, kSized, kSized}, {194, 53, kSized, kSized}, "Version 2.1", ""},
        {"Copyright", &form.Copyright, {42, 72, kSized, kSized}, {63, 108, kSized, kSized}, "Copyright (C) 2026 Pictavo developers", ""},
        {"Edit1", &form.Edit1, {48, 91, 177, 12}, {72, 137, 266, 18}, "https://pictavo.example.org/", ""},
        {"Comments", &form.Comments, {24, 120, 229, 24}, {36, 180, 344, 36}, "Pictavo is free software: use, copy and share it as you like.", ""},
        {"OKButton", &form.OKButton, {111, 180, 75, 25}, {167, 270, 113, 38}, "OK", ""},
    });
    // The product name is sized to its text around the designed box's centre (104 + 106 / 2).
    const RECT name = PlaceInParent(form.ProductName.Handle());
    EXPECT_EQ(WindowText(form.ProductName.Handle()), "Pictavo for Windows");
    EXPECT_EQ(name.top, AtDisplayDpi(19, 29));
    EXPECT_LE(std::abs((name.left + name.right) / 2 - AtDisplayDpi(157, 236)), 1);
    EXPECT_EQ(GetParent(form.ProductName.Handle()), form.Panel1.Handle());
    // Whatever the font, every text stays inside the panel.
    for (const toolkit::Label* label : {&form.ProductName, &form.Version, &form.Copyright, &form.Comments}) {
        EXPECT_LE(PlaceInParent(label->Handle()).right, AtDisplayDpi(281, 422)) << WindowText(label->Handle());
    }
}

TEST(DesignedLayout, ListHint) {
    if (!AKnownDpi()) GTEST_SKIP() << "laid out for 96 and 144 DPI only";
    TForm6 form;
    EXPECT_EQ(WindowText(form.Handle()), "ファイルリストのヒント");
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, AtDisplayDpi(275, 413));
    EXPECT_EQ(client.cy, AtDisplayDpi(232, 348));
    ExpectLayout({
        {"StaticText3", &form.StaticText3, {24, 24, 225, 25}, {36, 36, 338, 38},
         "ファイルリストのファイル名をダブルクリックすると、アイコンを表示します。", ""},
        {"StaticText2", &form.StaticText2, {24, 72, 225, 65}, {36, 108, 338, 98},
         "ファイルリストのタイトルは、エクスプローラと同じようにボタンになっています。押すと、上昇順あるいは下降順に"
         "ソートします。よーく見ると、＋－記号が付いていることがわかります。（この処理に一番苦労しました）",
         ""},
        {"StaticText1", &form.StaticText1, {24, 160, kSized, kSized}, {36, 240, kSized, kSized}, "ヘルプの作り方は勉強中なのでこれで許して。", ""},
        {"Button1", &form.Button1, {96, 192, 75, 25}, {144, 288, 113, 38}, "許します", ""},
    });
}

// A move to a monitor of 192 DPI, as the system makes it (the size asked for, then the change):
// the detail window keeps its own layout at its scaled size, the buttons at the bottom edge and
// 閉じる at the right, the images between; its smallest size is the designed one at 192 DPI.
TEST(DesignedLayout, TheDetailWindowKeepsItsLayoutAfterADpiChange) {
    TForm7 form7;
    const std::string twelve = testsupport::FixturePath("TWELVE.DLL");
    form7.FillIcon(twelve.substr(0, twelve.rfind('\\')), "TWELVE.DLL", 3);
    // A size of the user's, between the designed smallest and opening ones, that fits the screen at 192.
    RECT grown{0, 0, 560 * DisplayDpi() / 96, 400 * DisplayDpi() / 96};
    AdjustWindowRectEx(&grown, static_cast<DWORD>(GetWindowLongA(form7.Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(form7.Handle(), GWL_EXSTYLE)));
    form7.SetSize(grown.right - grown.left, grown.bottom - grown.top);
    const SIZE before = ClientSize(form7.Handle());
    RECT window{};
    GetWindowRect(form7.Handle(), &window);
    SIZE scaled{};
    ASSERT_TRUE(SendMessageA(form7.Handle(), toolkit::kGetDpiScaledSizeMessage, 192, reinterpret_cast<LPARAM>(&scaled)));
    RECT suggested{window.left, window.top, window.left + scaled.cx, window.top + scaled.cy};
    SendMessageA(form7.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));

    // Wine keeps drawing the frame at the display's DPI, thinner than at 192: the client area
    // comes out up to a caption's height larger than the size asked for.
    const auto expectAbout = [](int length, int asked) {
        EXPECT_GE(length, asked);
        EXPECT_LT(length, asked + 48);
    };
    const SIZE client = ClientSize(form7.Handle());
    const auto scale = [](int length) { return (length * 192 + DisplayDpi() / 2) / DisplayDpi(); };
    expectAbout(client.cx, scale(before.cx));  // the size the window had, not the designed one
    expectAbout(client.cy, scale(before.cy));
    const int buttons = client.cy - 64;  // 32 designed pixels above the bottom edge, doubled
    ExpectLayout({
        {"PictureRow1", &form7.PictureRow1, {16, 244, client.cx - 32, buttons - 260}, {16, 244, client.cx - 32, buttons - 260}, nullptr, ""},
        {"Button3", &form7.Button3, {16, buttons, 170, 50}, {16, buttons, 170, 50}, nullptr, ""},
        {"Button5", &form7.Button5, {438, buttons, 220, 50}, {438, buttons, 220, 50}, nullptr, ""},
        {"Button6", &form7.Button6, {client.cx - 186, buttons, 170, 50}, {client.cx - 186, buttons, 170, 50}, nullptr, ""},
    });
    form7.SetSize(0, 0);
    expectAbout(ClientSize(form7.Handle()).cx, 960);
    expectAbout(ClientSize(form7.Handle()).cy, 660);
}
