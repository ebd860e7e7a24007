// The new-folder dialog and the export dialog's folder creation, driven with real messages.
#include <cstring>

#include "tests/win/ExportDialogsFixture.h"
#include "tests/win/WriterTestSupport.h"

using Names = std::vector<std::string>;

namespace {

class NewFolder : public exporttest::ExportDialogs {
protected:
    void SetUp() override {
        ExportDialogs::SetUp();
        form2->Show();  // the new-folder button is pressed in the showing export dialog
        form2->SelectFolder(out.Path());
        ASSERT_EQ(form1->SaveDir, out.Path());
    }
    void CreateFolder() {
        Answering([this] { form2->Button3Click(); });
    }
    // The brush the edit box is painted with, as its parent answers the platform.
    COLORREF PaintedColour() const {
        HDC dc = GetDC(form3->Edit1.Handle());
        auto brush = reinterpret_cast<HBRUSH>(form3->Send(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                          reinterpret_cast<LPARAM>(form3->Edit1.Handle())));
        ReleaseDC(form3->Edit1.Handle(), dc);
        LOGBRUSH info{};
        GetObjectA(brush, sizeof info, &info);
        return info.lbColor;
    }
};

}  // namespace

TEST_F(NewFolder, ARefusedCharacterIsReportedOnEveryChangeTurnsTheNameRedAndDisablesOk) {
    // A single line feed; seven ideographic spaces (0x81 0x40); the characters parted by "、" (0x81 0x41).
    const std::string refusal = std::string("フォルダ名に指定できない文字があります。") + "\n" +
                                "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40" +
                                "\\\x81\x41/\x81\x41: \x81\x41\"\x81\x41<\x81\x41>\x81\x41|";
    auto& edit = form3->Edit1;
    const auto type = [&edit](char c) { return [&edit, c] { edit.Send(WM_CHAR, static_cast<unsigned char>(c), 0); }; };
    const struct {
        std::function<void()> change;
        const char* text;
        size_t messages;
        bool refused;
    } steps[] = {
        {type('a'), "a", 0, false},
        {type('<'), "a<", 1, true},
        {type('b'), "a<b", 2, true},
        {[&] { edit.Send(EM_SETSEL, 2, 2); edit.Send(WM_CHAR, VK_BACK, 0); }, "ab", 2, false},
        {[&] { edit.SetText("表示ポスター"); }, "表示ポスター", 2, false},
        {[&] { edit.SetText("|"); }, "|", 3, true},
        {[&] { edit.SetText(""); }, "", 3, false},
    };
    for (const auto& step : steps) {
        Answering(step.change);
        SCOPED_TRACE(step.text);
        EXPECT_EQ(edit.Text(), step.text);
        EXPECT_EQ(messages, Names(step.messages, refusal));
        const COLORREF expected = step.refused ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOW);
        EXPECT_EQ(edit.Color(), expected);
        EXPECT_EQ(PaintedColour(), expected);
        EXPECT_EQ(form3->Button1.Enabled(), !step.refused && *step.text != '\0');
    }
}

TEST_F(NewFolder, ACreatedFolderBecomesTheSelectedTopExportFolderAndTheNameIsCleared) {
    std::string shownParent;
    HWND focused = nullptr;
    onNewFolder = [&] {
        shownParent = form3->Label3.Caption();
        focused = GetFocus();
        form3->Edit1.SetText("新しい表示");
    };
    CreateFolder();
    const std::string created = out / "新しい表示";
    EXPECT_TRUE(writertest::IsFolder(created));
    EXPECT_EQ(form1->SaveDir, created);
    ASSERT_NE(form2->FTVE1.Selected(), nullptr);
    EXPECT_EQ(form2->FTVE1.Selected()->Text(), "新しい表示");
    // In view: made the top node, or lower where the tree keeps its last page full.
    RECT item{};
    const HTREEITEM selected = form2->FTVE1.Selected()->ItemId();
    std::memcpy(&item, &selected, sizeof selected);
    form2->FTVE1.Send(TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(item.top >= 0 && item.bottom <= form2->FTVE1.Height());
    // Both labels show their folder shortened to their width, the last folder whole.
    const std::string shown = form2->Label2.Caption();
    EXPECT_EQ(shown.substr(shown.size() - 11), "\\新しい表示");
    EXPECT_LE(form2->TextWidth(shown), 140);
    const std::string last = out.Path().substr(out.Path().rfind('\\'));
    EXPECT_EQ(shownParent.substr(shownParent.size() - last.size()), last);
    EXPECT_LE(form3->TextWidth(shownParent), 161);
    EXPECT_EQ(focused, form3->Edit1.Handle());
    EXPECT_EQ(form3->Edit1.Text(), "");
    EXPECT_FALSE(form3->Button1.Enabled());
    EXPECT_TRUE(messages.empty());
}

TEST_F(NewFolder, AFolderNotCreatedIsReportedAndTheNameWaitsForTheNextShowing) {
    ASSERT_TRUE(CreateDirectoryA((out / "EXISTS").c_str(), nullptr));
    const struct {
        std::string saveDir, name;
        bool confirm;
        Names said;
    } cases[] = {
        {out.Path(), "EXISTS", true, {"フォルダを作成できませんでした。"}},
        {out / "GONE", "NEW", true, {"フォルダを作成できませんでした。"}},
        // The computer folder: no place for a folder, and certainly not the current drive's root.
        {"", "NEW", true, {"フォルダを作成できませんでした。"}},
        {out.Path(), "keep", false, {}},
    };
    for (const auto& c : cases) {
        form1->SaveDir = c.saveDir;
        messages.clear();
        confirmNewFolder = c.confirm;
        onNewFolder = [&] { form3->Edit1.SetText(c.name); };
        CreateFolder();
        EXPECT_EQ(messages, c.said) << c.name;
        EXPECT_EQ(form1->SaveDir, c.saveDir);
    }
    std::string shown;
    bool okEnabled = false;
    onNewFolder = [&] {
        shown = form3->Edit1.Text();
        okEnabled = form3->Button1.Enabled();
    };
    confirmNewFolder = false;
    CreateFolder();
    EXPECT_EQ(shown, "keep");
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(writertest::FolderEntries(out.Path()), Names{"EXISTS"});
    EXPECT_FALSE(writertest::IsFolder("C:\\NEW"));
}
