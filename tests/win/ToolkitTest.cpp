// The toolkit's promises the program relies on: modal runs answered by the test hook, the message
// dialog, the error box for exceptions escaping a handler, check-box and hint semantics.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "app/PictavoUnit.h"
#include "tests/win/TestFolder.h"
#include "tests/win/WindowTexts.h"
#include "toolkit/Application.h"
#include "toolkit/Dpi.h"
#include "toolkit/MessageDialog.h"
#include "toolkit/ModalTestHook.h"

using toolkit::ModalTestHook;

using testsupport::StaticTexts;
using testsupport::WindowText;

namespace {

class DialogForm : public toolkit::Form {
public:
    DialogForm() {
        CreateForm("Dialog", 200, 100, toolkit::FormPosition::ScreenCenter);
        ok.Create(*this, {10, 60, 75, 25}, "OK");
        ok.SetModalResult(toolkit::mrOk);
        ok.SetDefault(true);
        cancel.Create(*this, {100, 60, 75, 25}, "Cancel");
        cancel.SetModalResult(toolkit::mrCancel);
        cancel.SetCancel(true);
    }
    ~DialogForm() override { Destroy(); }
    toolkit::Button ok, cancel;
};

class Toolkit : public testing::Test {
protected:
    void SetUp() override { main_ = std::make_unique<TForm1>(settings_ / "PICTAVO.INI"); }
    void TearDown() override {
        ModalTestHook::Clear();
        main_.reset();
    }
    testsupport::TestFolder settings_;
    std::unique_ptr<TForm1> main_;
};

}  // namespace

TEST_F(Toolkit, ModalFormsEndWithTheirButtonsKeysAndCloseBox) {
    DialogForm dialog;
    ModalTestHook::OnNextModal([](HWND w) { PostMessageA(w, WM_KEYDOWN, VK_RETURN, 0); });
    EXPECT_EQ(dialog.ShowModal(), toolkit::mrOk);
    ModalTestHook::OnNextModal([](HWND w) { PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(dialog.ShowModal(), toolkit::mrCancel);
    ModalTestHook::OnNextModal([](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); });
    EXPECT_EQ(dialog.ShowModal(), toolkit::mrCancel);
    ModalTestHook::OnNextModal([&](HWND) { dialog.cancel.Send(BM_CLICK); });
    EXPECT_EQ(dialog.ShowModal(), toolkit::mrCancel);
    // While it runs, the main window is disabled; afterwards it is enabled again.
    bool mainEnabledDuring = true;
    ModalTestHook::OnNextModal([&](HWND w) {
        mainEnabledDuring = IsWindowEnabled(main_->Handle()) != FALSE;
        PostMessageA(w, WM_KEYDOWN, VK_RETURN, 0);
    });
    main_->Show();
    dialog.ShowModal();
    EXPECT_FALSE(mainEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(main_->Handle()));
    EXPECT_FALSE(dialog.Showing());
}

TEST_F(Toolkit, MessagesAreCaptionedWithTheApplicationTitle) {
    std::string caption, text;
    ModalTestHook::OnNextModal([&](HWND w) {
        caption = WindowText(w);
        text = StaticTexts(w);
        PostMessageA(w, WM_KEYDOWN, VK_RETURN, 0);
    });
    toolkit::ShowMessage("C:\\A.TXT\r\nにはアイコンがありません。");
    // The test program is pictavo_app_tests.exe: first character kept, the rest lower case.
    EXPECT_EQ(caption, "pictavo_app_tests");
    EXPECT_EQ(text, "C:\\A.TXT\r\nにはアイコンがありません。");
}

TEST_F(Toolkit, AnExceptionInAHandlerGoesToTheErrorBoxAndTheProgramGoesOn) {
    std::string shown;
    ModalTestHook::OnNextModal([&](HWND w) {
        shown = StaticTexts(w);
        PostMessageA(w, WM_KEYDOWN, VK_RETURN, 0);
    });
    main_->Btn1.OnClick = [] { throw std::runtime_error("ファイル X を作成できません"); };
    main_->Btn1.Send(BM_CLICK);
    EXPECT_EQ(shown, "ファイル X を作成できません");
    EXPECT_FALSE(ModalTestHook::Pending());
    // The window still works.
    main_->Btn1.OnClick = [this] { main_->Btn1Click(); };
    main_->Btn1.Send(BM_CLICK);
    EXPECT_NE(main_->Label4.Caption(), "未検索");
}

TEST_F(Toolkit, SettingACheckBoxRunsItsClickHandlerOnlyOnAChange) {
    int clicks = 0;
    main_->CheckBox1.OnClick = [&] { ++clicks; };
    const bool was = main_->CheckBox1.Checked();
    main_->CheckBox1.SetChecked(was);
    EXPECT_EQ(clicks, 0);
    main_->CheckBox1.SetChecked(!was);
    EXPECT_EQ(clicks, 1);
    main_->CheckBox1.Send(BM_CLICK);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(main_->CheckBox1.Checked(), was);
}

TEST_F(Toolkit, TheHintOfTheControlUnderThePointerReachesTheStatusBar) {
    main_->Show();
    RECT r{};
    GetWindowRect(main_->Btn3.Handle(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(main_->Btn3.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    toolkit::Application::Instance().ProcessMessages();
    EXPECT_EQ(main_->StatusBar1.PanelText(), "ばいばい");
    // A disabled button still explains itself.
    GetWindowRect(main_->Btn4.Handle(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(main_->Handle(), WM_MOUSEMOVE, 0, 0);
    toolkit::Application::Instance().ProcessMessages();
    EXPECT_EQ(main_->StatusBar1.PanelText(), "表示中のｱｲｺﾝを取り出し、一つずつﾌｧｲﾙに出力します");
}

TEST_F(Toolkit, TheMainWindowHasTheDesignedSizeAndPlaces) {
    EXPECT_EQ(main_->ClientWidth(), 561);
    EXPECT_EQ(main_->ClientHeight(), 383);
    EXPECT_EQ(main_->Caption(), "Pictavo");
    const auto b = main_->ListView1.Bounds();
    EXPECT_EQ(b.left, 240);
    EXPECT_EQ(b.top, 112);
    EXPECT_EQ(b.width, 211);
    EXPECT_EQ(b.height, 241);
    EXPECT_EQ(main_->Btn1.Bounds().top, 178);
    EXPECT_EQ(main_->CheckBox1.Bounds().left, 468);
    EXPECT_EQ(main_->StatusBar1.Bounds().top, 383 - 19);
}

// A measured text in designed pixels: the smallest length that covers it, never less than it.
TEST(Dpi, DesignedLengthsCoverWhatTheyMeasureAt144) {
    const struct { int pixels, designed; } rows[] = {{100, 67}, {1, 1}, {150, 100}};
    for (const auto& row : rows) EXPECT_EQ(toolkit::DesignedCovering(row.pixels, 144), row.designed) << row.pixels;
}
