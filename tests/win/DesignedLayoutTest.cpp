// The windows as designed: every control's place, size, caption and hint, read back from the real
// windows, so that a moved control or a mistyped text fails here.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/PictavoUnit.h"
#include "dialogs/PictavoUnit4.h"
#include "dialogs/PictavoUnit6.h"
#include "export/PictavoUnit2.h"
#include "export/PictavoUnit3.h"
#include "export/PictavoUnit5.h"
#include "tests/win/TestFolder.h"
#include "tests/win/WindowTexts.h"

using testsupport::TestFolder;
using testsupport::WindowText;

namespace {

constexpr int kSized = -1;  // sized by the program to its text: not checked

struct Designed {
    const char* name;
    const toolkit::Window* control;
    int left, top, width, height;
    const char* caption;  // nullptr: not checked (its content is set at run time)
    const char* hint;
};

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
        EXPECT_EQ(r.left, d.left);
        EXPECT_EQ(r.top, d.top);
        if (d.width != kSized) {
            EXPECT_EQ(r.right - r.left, d.width);
        }
        if (d.height != kSized) {
            EXPECT_EQ(r.bottom - r.top, d.height);
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
void ExpectForm(const toolkit::Form& form, const char* caption, SIZE client,
                std::initializer_list<const toolkit::Window*> tabOrder, const toolkit::Window* enterButton) {
    EXPECT_EQ(WindowText(form.Handle()), caption);
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
    TestFolder settings;
    TForm1 form1(settings / "PICTAVO.INI");  // the export dialog's tree reports to it
    TForm2 f2;
    ExpectForm(f2, "取り出しの指定", {365, 324},
               {&f2.FTVE1, &f2.CheckBox1, &f2.CheckBox2, &f2.CheckBox3, &f2.CheckBox4, &f2.Button3, &f2.Button1, &f2.Button2},
               nullptr);
    ExpectLayout({
        {"Label5", &f2.Label5, 8, 8, kSized, kSized, "取出元ﾌｧｲﾙ", ""}, {"Label7", &f2.Label7, 74, 8, kSized, kSized, " ：", ""},
        {"Label6", &f2.Label6, 84, 8, kSized, kSized, "", ""}, {"Label1", &f2.Label1, 8, 29, kSized, kSized, "取出先ﾌｫﾙﾀﾞ ：", ""},
        {"Label2", &f2.Label2, 84, 29, 140, 12, nullptr, ""}, {"Label3", &f2.Label3, 237, 29, kSized, kSized, "取出範囲 ：", ""},
        {"Label4", &f2.Label4, 298, 29, kSized, kSized, "0000-9999", ""}, {"FTVE1", &f2.FTVE1, 8, 49, 213, 261, nullptr, ""},
        {"GroupBox1", &f2.GroupBox1, 232, 44, 125, 139, nullptr, ""}, {"Label8", &f2.Label8, 5, 10, kSized, kSized, "取出形式", ""},
        {"CheckBox1", &f2.CheckBox1, 7, 29, 97, 17, "ｱｲｺﾝ（*.ICO）", ""},
        {"CheckBox2", &f2.CheckBox2, 7, 51, 109, 17, "ﾋﾞｯﾄﾏｯﾌﾟ（*.BMP）", ""},
        {"CheckBox3", &f2.CheckBox3, 7, 73, 97, 17, "全ｻｲｽﾞで保存", "元のすべてのｻｲｽﾞと色数をｱｲｺﾝﾌｧｲﾙに保存します"},
        {"CheckBox4", &f2.CheckBox4, 7, 95, 97, 17, "PNG（*.PNG）", ""},
        {"ComboBox1", &f2.ComboBox1, 22, 114, 80, kSized, "最大", ""},
        {"Button3", &f2.Button3, 258, 199, 77, 25, "ﾌｫﾙﾀﾞ作成(&D)", "新しいﾌｫﾙﾀﾞを作成します"},
        {"Button1", &f2.Button1, 258, 242, 77, 25, "取り出す(&E)", "元のﾌｧｲﾙ名＋順序番号．拡張子のﾌｧｲﾙ名で取り出します"},
        {"Button2", &f2.Button2, 258, 285, 77, 25, "ｷｬﾝｾﾙ", ""},
    });
    TForm5 f5;
    ExpectForm(f5, "同じ名前のファイル", {417, 151}, {&f5.Button1, &f5.Button3, &f5.Button2, &f5.Button4}, &f5.Button3);
    ExpectLayout({
        {"Label1", &f5.Label1, 16, 8, kSized, kSized, "このフォルダには既に同じ名前のファイルがあります。上書きしますか？", ""},
        {"Label2", &f5.Label2, 44, 40, kSized, kSized, "ファイル名 ：", ""}, {"Label7", &f5.Label7, 117, 40, kSized, kSized, "", ""},
        {"Label3", &f5.Label3, 49, 56, kSized, kSized, "更新日時 ：", ""}, {"Label5", &f5.Label5, 117, 55, kSized, kSized, "", ""},
        {"Label4", &f5.Label4, 63, 72, kSized, kSized, "サイズ ：", ""}, {"Label6", &f5.Label6, 117, 71, kSized, kSized, "", ""},
        {"Button1", &f5.Button1, 35, 112, 75, 25, "はい(&Y)", ""}, {"Button3", &f5.Button3, 123, 112, 75, 25, "いいえ(&N)", ""},
        {"Button2", &f5.Button2, 211, 112, 75, 25, "すべて(&A)", ""}, {"Button4", &f5.Button4, 299, 112, 75, 25, "ｷｬﾝｾﾙ", ""},
    });
    TForm3 f3;
    EXPECT_FALSE(f3.Button1.Enabled());
    f3.Edit1.SetText("x");  // OK is disabled, out of the tab order, until a name is typed
    ExpectForm(f3, "フォルダの作成", {290, 125}, {&f3.Edit1, &f3.Button1, &f3.Button2}, &f3.Button1);
    ExpectLayout({
        {"Label2", &f3.Label2, 29, 16, kSized, kSized, "現在のフォルダ ：", ""}, {"Label3", &f3.Label3, 120, 16, 161, 12, "", ""},
        {"Label1", &f3.Label1, 29, 40, kSized, kSized, "作成するフォルダ", ""}, {"Edit1", &f3.Edit1, 29, 55, 233, 20, "x", ""},
        {"Button1", &f3.Button1, 56, 88, 75, 25, "OK", ""}, {"Button2", &f3.Button2, 160, 88, 75, 25, "ｷｬﾝｾﾙ", ""},
    });
}

TEST(DesignedLayout, MainWindow) {
    TestFolder settings;
    TForm1 form(settings / "PICTAVO.INI");
    EXPECT_EQ(WindowText(form.Handle()), "Pictavo");
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, 561);
    EXPECT_EQ(client.cy, 383);
    ExpectLayout({
        {"Label1", &form.Label1, 20, 8, kSized, kSized, "ｱｲｺﾝﾘｽﾄ ：", ""},
        {"Label2", &form.Label2, 81, 8, kSized, kSized, "", "ﾊﾟｽとﾌｧｲﾙ名を表示します"},
        {"ScrollBox1", &form.ScrollBox1, 16, 24, 529, 54, nullptr, ""},
        {"Image1", &form.Image1, 2, 2, 105, 32, nullptr, "ダブルクリックで一つだけ取り出します"},
        {"Label6", &form.Label6, 17, 93, kSized, kSized, "検索ﾌｫﾙﾀﾞ ：", ""},
        {"Label5", &form.Label5, 83, 93, 142, 12, nullptr, ""},
        {"Label3", &form.Label3, 240, 93, kSized, kSized, "ｱｲｺﾝのあるﾌｧｲﾙ ：", ""},
        {"Label4", &form.Label4, 342, 93, kSized, kSized, "未検索", "検索するとﾌｧｲﾙ数を表示します"},
        {"FTVE1", &form.FTVE1, 16, 112, 213, 241, nullptr, ""},
        {"ListView1", &form.ListView1, 240, 112, 211, 241, nullptr, ""},
        {"CheckBox1", &form.CheckBox1, 468, 136, 71, 23, "複数ｱｲｺﾝ", "チェックすると複数アイコンのファイルだけを対象にします"},
        {"CheckBox2", &form.CheckBox2, 468, 112, 71, 23, "ｻﾌﾞﾌｫﾙﾀﾞ", "チェックするとｻﾌﾞﾌｫﾙﾀﾞも検索します"},
        {"Btn1", &form.Btn1, 468, 178, 77, 25, "ﾌｧｲﾙ検索(&S)", "ｱｲｺﾝのあるﾌｧｲﾙを検索します"},
        {"Btn2", &form.Btn2, 468, 226, 77, 25, "見る(&V)", "選択したﾌｧｲﾙのｱｲｺﾝを表示します"},
        {"Btn4", &form.Btn4, 468, 274, 77, 25, "取り出す(&E)...", "表示中のｱｲｺﾝを取り出し、一つずつﾌｧｲﾙに出力します"},
        {"Btn3", &form.Btn3, 468, 322, 77, 25, "終了(&X)", "ばいばい"},
        {"StatusBar1", &form.StatusBar1, 0, 383 - 19, 561, 19, nullptr, ""},
    });
    // The tree reports the remembered folder at start, whose reset sets the column captions (the
    // design caption "ｱｲｺﾝ数 " with its blank is gone by then); 120 wide left, 65 wide centred.
    EXPECT_EQ(ColumnCaption(form.ListView1.Handle(), 0), "ﾌｧｲﾙ名/120/" + std::to_string(LVCFMT_LEFT));
    EXPECT_EQ(ColumnCaption(form.ListView1.Handle(), 1), "ｱｲｺﾝ数/65/" + std::to_string(LVCFMT_CENTER));
    // Files dropped from the shell reach the window only when it accepts them.
    EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_FALSE(form.Btn2.Enabled());
    EXPECT_FALSE(form.Btn4.Enabled());
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
    TForm4 form;
    EXPECT_EQ(WindowText(form.Handle()), "About");
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, 298);
    EXPECT_EQ(client.cy, 214);
    ExpectLayout({
        {"Panel1", &form.Panel1, 8, 8, 281, 161, nullptr, ""},
        {"ProgramIcon", &form.ProgramIcon, 24, 16, 33, 33, nullptr, ""},
        // Labels sized to their text (57 x 12 and 184 x 12 in the designed font).
        {"Version", &form.Version, 129, 35, kSized, kSized, "Version 2.1", ""},
        {"Copyright", &form.Copyright, 42, 72, kSized, kSized, "Copyright (C) 2026 Pictavo developers", ""},
        {"Edit1", &form.Edit1, 48, 91, 177, 12, "https://pictavo.example.org/", ""},
        {"Comments", &form.Comments, 24, 120, 229, 24, "Pictavo is free software: use, copy and share it as you like.", ""},
        {"OKButton", &form.OKButton, 111, 180, 75, 25, "OK", ""},
    });
    // The product name is sized to its text around the designed box's centre (104 + 106 / 2).
    const RECT name = PlaceInParent(form.ProductName.Handle());
    EXPECT_EQ(WindowText(form.ProductName.Handle()), "Pictavo for Windows");
    EXPECT_EQ(name.top, 19);
    EXPECT_LE(std::abs((name.left + name.right) / 2 - 157), 1);
    EXPECT_EQ(GetParent(form.ProductName.Handle()), form.Panel1.Handle());
    // Whatever the font, every text stays inside the panel.
    for (const toolkit::Label* label : {&form.ProductName, &form.Version, &form.Copyright, &form.Comments}) {
        EXPECT_LE(PlaceInParent(label->Handle()).right, 281) << WindowText(label->Handle());
    }
}

TEST(DesignedLayout, ListHint) {
    TForm6 form;
    EXPECT_EQ(WindowText(form.Handle()), "ファイルリストのヒント");
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, 275);
    EXPECT_EQ(client.cy, 232);
    ExpectLayout({
        {"StaticText3", &form.StaticText3, 24, 24, 225, 25,
         "ファイルリストのファイル名をダブルクリックすると、アイコンを表示します。", ""},
        {"StaticText2", &form.StaticText2, 24, 72, 225, 65,
         "ファイルリストのタイトルは、エクスプローラと同じようにボタンになっています。押すと、上昇順あるいは下降順に"
         "ソートします。よーく見ると、＋－記号が付いていることがわかります。（この処理に一番苦労しました）",
         ""},
        {"StaticText1", &form.StaticText1, 24, 160, kSized, kSized, "ヘルプの作り方は勉強中なのでこれで許して。", ""},
        {"Button1", &form.Button1, 96, 192, 75, 25, "許します", ""},
    });
}
