// The export run end to end: the real PutIcon with its dialogs answered as a user would, writing
// real files into temporary folders.
#include <algorithm>
#include <cstdio>

#include "toolkit/SettingsFile.h"
#include "tests/win/ExportDialogsFixture.h"
#include "tests/win/WinTestFiles.h"
#include "tests/win/WriterTestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/ModalTestHook.h"

using exporttest::Reply;
using testsupport::FixturePath;
using testsupport::ReadTextFile;
using testsupport::WriteTextFile;
using writertest::FolderEntries;
using Names = std::vector<std::string>;

namespace {

class ExportRun : public exporttest::ExportDialogs {};

std::string Name(const char* base, int index, const char* extension) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%.4d%s", base, index, extension);
    return name;
}

// The 24 files of a 12-icon strip file S.DLL in the order they are written.
Names WritingOrder(const char* base) {
    Names order;
    for (int i = 0; i < 12; ++i)
        for (const char* extension : {".ICO", ".BMP"}) order.push_back(Name(base, i, extension));
    return order;
}

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST_F(ExportRun, AllTwelveIconsInBothFormatsThenEveryFileAskedAboutInWritingOrder) {
    View("TWELVE.DLL", "SAMPLE.DLL");
    onExport = [this] { form2->CheckBox2.SetChecked(true); form2->SetTop(210); form2->SetLeft(310); };
    Export();
    EXPECT_EQ(ranges, Names{"0000-0011"});
    EXPECT_EQ(form2->Label6.Caption(), "SAMPLE.DLL");
    EXPECT_EQ(FolderEntries(out.Path()), Sorted(WritingOrder("SAMPLE")));
    EXPECT_EQ(messages, Names{"12個のアイコンと 12個のビットマップを取り出しました。"});
    EXPECT_TRUE(form1->IcoOut && form1->BmpOut);
    EXPECT_EQ(Ini("Form2Top") + "," + Ini("Form2Left"), "210,310");  // a confirmed run saves it too

    replies.assign(24, Reply::Yes);
    Export();
    EXPECT_EQ(questions, WritingOrder("SAMPLE"));
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages.back(), messages.front());
    EXPECT_TRUE(errors.empty());
}

// With 全ｻｲｽﾞで保存 each .ICO file holds the whole icon as stored: here those of a system file, which
// its .mun holds. The build compiled each group of TWELVE.DLL from one icon file of the fixture
// sources, so each export must be that icon file again, byte for byte.
TEST_F(ExportRun, WholeIconsOfASystemFileAreTheGroupsOfItsMunAsStored) {
    const std::string system = wintest::SystemFolder();
    wintest::SystemResourcesFolder resources;
    wintest::PlacedCopy dll(FixturePath("shapes\\NOICONS.DLL"), system + "\\PICTAVO-WHOLE.DLL");
    wintest::PlacedCopy mun(FixturePath("TWELVE.DLL"), resources / "PICTAVO-WHOLE.DLL.mun");
    ASSERT_TRUE(dll.Placed() && mun.Placed());
    form1->FTVE1Change(system);
    form1->Btn1.Send(BM_CLICK);
    int listed = -1;
    for (int i = 1; i <= form1->Catalogue.Count(); ++i)
        if (form1->Catalogue.At(i).Name() == "PICTAVO-WHOLE.DLL") listed = form1->Catalogue.At(i).icons;
    EXPECT_EQ(listed, 12);
    form1->DispIcon("PICTAVO-WHOLE.DLL");
    ASSERT_EQ(form1->StripIconCount, 12);
    onExport = [this] { form2->CheckBox3.SetChecked(true); };
    Export();
    EXPECT_TRUE(form1->IcoAllSizes);
    EXPECT_EQ(messages, Names{"12個のアイコンと 0個のビットマップを取り出しました。"});
    for (int i = 0; i < 12; ++i) {
        const auto expected = writertest::ReadFileBytes(FixturePath("..\\sources\\group" + std::to_string(i + 1) + ".ico"));
        ASSERT_GT(expected.size(), 22u);
        EXPECT_EQ(writertest::ReadFileBytes(out / Name("PICTAVO-WHOLE", i, ".ICO")), expected) << i;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(ExportRun, AStripDoubleClickExportsOnlyTheCellUnderThePointer) {
    View("TWELVE.DLL", "X.DLL");
    for (int x : {3 * 32 + 31, 4 * 32})  // the last pixel of cell 3, the first of cell 4
        Answering([&] { form1->Image1.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 10)); });
    EXPECT_EQ(ranges, (Names{"0003-0003", "0004-0004"}));
    EXPECT_EQ(FolderEntries(out.Path()), (Names{"X0003.ICO", "X0004.ICO"}));
    EXPECT_EQ(messages, Names(2, "1個のアイコンと 0個のビットマップを取り出しました。"));
}

// Tab leads to the strip; the keys move its current cell, scrolling it into sight, and Enter
// exports that icon. The box shows 527 pixels: a page is 16 whole cells of 32.
TEST_F(ExportRun, TheStripsKeysMoveItsCellAndEnterExportsThatIcon) {
    View("FORTY.DLL", "K.DLL");
    confirmExport = false;
    form1->Btn3.SetFocus();
    const auto press = [&](WPARAM key) {
        PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
        Answering([] { toolkit::Application::Instance().ProcessMessages(); });
    };
    press(VK_TAB);
    ASSERT_EQ(GetFocus(), form1->Image1.Handle());
    EXPECT_EQ(form1->StripCell(), 0);
    struct Step {
        WPARAM key;
        int cell, firstShown, lastShown;  // the cell, and a range of cells that must be in sight
    };
    for (const Step& step : {Step{VK_END, 39, 39, 39}, Step{VK_HOME, 0, 0, 0}, Step{VK_RIGHT, 1, 0, 1},
                             Step{VK_NEXT, 17, 17, 17}, Step{VK_PRIOR, 1, 1, 1}, Step{VK_LEFT, 0, 0, 0},
                             Step{VK_LEFT, 0, 0, 0}, Step{VK_NEXT, 16, 16, 16}}) {
        press(step.key);
        EXPECT_EQ(form1->StripCell(), step.cell) << step.key;
        const int shownFrom = form1->ScrollBox1.Position() - 2, shownTo = shownFrom + 527;  // the image starts 2 in
        EXPECT_LE(shownFrom, 32 * step.firstShown) << step.key;
        EXPECT_GE(shownTo, 32 * (step.lastShown + 1)) << step.key;
    }
    press(VK_RETURN);
    press(VK_RIGHT);
    press(VK_RETURN);
    EXPECT_EQ(ranges, (Names{"0016-0016", "0017-0017"}));
    EXPECT_TRUE(FolderEntries(out.Path()).empty());
}

// Icon 1 of TWELVE.DLL stores 16, 32 and 48 pixels. Each row picks a size in the list; a file
// that exists is answered No and stays.
TEST_F(ExportRun, PngFilesTakeTheImageOfTheirSizeAskBeforeReplacingAndCountInTheSummary) {
    View("TWELVE.DLL", "P.DLL");
    const struct {
        int item;  // 最大, 256, 128, 96, 64, 48, 32, 24, 16, 全ｻｲｽﾞ
        const char* existing;
        Names files;
        std::vector<int> widths;
    } cases[] = {
        {0, nullptr, {"P0001.PNG"}, {48}},  {1, nullptr, {"P0001.PNG"}, {256}}, {6, nullptr, {"P0001.PNG"}, {32}},
        {7, nullptr, {"P0001.PNG"}, {24}},  {7, "P0001.PNG", {"P0001.PNG"}, {0}},
        {9, nullptr, {"P0001-16.PNG", "P0001-32.PNG", "P0001-48.PNG"}, {16, 32, 48}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        testsupport::TestFolder folder;
        form1->SaveDir = folder.Path();
        if (c.existing) WriteTextFile(folder / c.existing, "old");
        replies = {Reply::No};
        messages.clear();
        onExport = [&] {
            form2->CheckBox1.SetChecked(false);
            form2->CheckBox3.SetChecked(true);  // 全ｻｲｽﾞで保存 without ICO: still no .ICO
            form2->CheckBox4.SetChecked(true);
            form2->ComboBox1.SetItemIndex(c.item);
        };
        Answering([this] { form1->Image1.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(32 + 5, 10)); });
        EXPECT_EQ(FolderEntries(folder.Path()), c.files);
        std::vector<int> widths;  // from each file's header chunk; 0 for the file kept
        for (const auto& name : c.files) {
            const auto png = writertest::ReadFileBytes(folder / name);
            widths.push_back(png.size() > 24 && png[1] == 'P' ? png[18] << 8 | png[19] : 0);
        }
        EXPECT_EQ(widths, c.widths);
        const size_t written = c.existing ? 0 : c.files.size();
        EXPECT_EQ(messages, Names{"0個のアイコンと 0個のビットマップと " + std::to_string(written) + "個のPNGを取り出しました。"});
    }
    EXPECT_TRUE(form1->PngOut && !form1->IcoOut);
    EXPECT_EQ(form1->PngSize, -1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ExportRun, TheAnswersDecideWhatIsReplacedWhatIsCountedAndWhereTheRunStops) {
    const struct {
        const char* what;
        Names existing;
        std::vector<Reply> replies;
        Names asked;
        Names refused;   // existing files answered No
        size_t stopAt;   // position in the writing order of a cancelled question; 24 for none
        const char* summary;
    } cases[] = {
        {"No at an icon still writes its bitmap", {"S0000.ICO"}, {Reply::No}, {"S0000.ICO"}, {"S0000.ICO"}, 24,
         "11個のアイコンと 12個のビットマップを取り出しました。"},
        {"No at a bitmap goes on with the next index", {"S0000.BMP"}, {Reply::No}, {"S0000.BMP"}, {"S0000.BMP"}, 24,
         "12個のアイコンと 11個のビットマップを取り出しました。"},
        {"Yes asks again, No spares", {"S0001.ICO", "S0001.BMP"}, {Reply::Yes, Reply::No},
         {"S0001.ICO", "S0001.BMP"}, {"S0001.BMP"}, 24, "12個のアイコンと 11個のビットマップを取り出しました。"},
        {"Cancel at the icon of index 5", {"S0005.ICO", "S0007.ICO"}, {Reply::Cancel}, {"S0005.ICO"}, {}, 10,
         "5個のアイコンと 5個のビットマップを取り出しました。"},
        {"Cancel at a bitmap", {"S0002.BMP"}, {Reply::Cancel}, {"S0002.BMP"}, {}, 5,
         "3個のアイコンと 2個のビットマップを取り出しました。"},
        {"The close box cancels", {"S0000.ICO"}, {Reply::Close}, {"S0000.ICO"}, {}, 0,
         "0個のアイコンと 0個のビットマップを取り出しました。"},
        {"All replaces every later file of both kinds", {"S0000.ICO", "S0000.BMP", "S0005.ICO", "S0011.BMP"},
         {Reply::All}, {"S0000.ICO"}, {}, 24, "12個のアイコンと 12個のビットマップを取り出しました。"},
    };
    View("TWELVE.DLL", "S.DLL");
    form1->BmpOut = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TestFolder folder;
        form1->SaveDir = folder.Path();
        for (const auto& name : c.existing) WriteTextFile(folder / name, "old");
        replies = c.replies;
        questions.clear();
        messages.clear();
        Export();
        EXPECT_EQ(questions, c.asked);
        EXPECT_EQ(messages, Names{c.summary});
        const Names order = WritingOrder("S");
        for (size_t at = 0; at < order.size(); ++at) {
            const std::string path = folder / order[at];
            const bool existed = std::count(c.existing.begin(), c.existing.end(), order[at]) > 0;
            const bool refused = std::count(c.refused.begin(), c.refused.end(), order[at]) > 0;
            if (existed && (at >= c.stopAt || refused)) EXPECT_EQ(ReadTextFile(path), "old") << order[at];
            else if (at >= c.stopAt) EXPECT_FALSE(Exists(path)) << order[at];
            else EXPECT_GT(ReadTextFile(path).size(), 3u) << order[at];
        }
        if (c.replies != std::vector<Reply>{Reply::All}) continue;
        // "All" held for that run only: the next one asks again.
        replies = {Reply::Cancel};
        questions.clear();
        Export();
        EXPECT_EQ(questions, Names{"S0000.ICO"});
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(ExportRun, AFailedWriteEndsTheRunAndLeavesEveryExistingFileAsItWas) {
    const struct {
        const char* what;
        std::function<void(const std::string& folder)> prepare;
        Names asked, entries;
        const char* error;  // names its file as "%s"
    } cases[] = {
        {"a folder of the file's name is not asked about",
         [](const std::string& f) { CreateDirectoryA((f + "\\S0001.ICO").c_str(), nullptr); }, {},
         {"S0000.BMP", "S0000.ICO", "S0001.ICO"}, "ファイル %s を作成できません"},
        {"a read-only file answered Yes",
         [](const std::string& f) {
             WriteTextFile(f + "\\S0000.ICO", "old");
             SetFileAttributesA((f + "\\S0000.ICO").c_str(), FILE_ATTRIBUTE_READONLY);
         },
         {"S0000.ICO"}, {"S0000.ICO"}, "ファイル %s を作成できません"},
        {"an icon that can no longer be obtained, answered Yes",
         [this](const std::string& f) {
             WriteTextFile(f + "\\S0002.ICO", "old");
             CopyFileA(FixturePath("TWO.DLL").c_str(), (source / "S.DLL").c_str(), FALSE);  // two icons now
         },
         {"S0002.ICO"}, {"S0000.BMP", "S0000.ICO", "S0001.BMP", "S0001.ICO", "S0002.ICO"}, "アイコンイメージが不正です"},
    };
    View("TWELVE.DLL", "S.DLL");
    form1->BmpOut = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TestFolder folder;
        form1->SaveDir = folder.Path();
        c.prepare(folder.Path());
        questions.clear();
        errors.clear();
        replies = {Reply::Yes};
        Export();
        EXPECT_EQ(questions, c.asked);
        // Files written before stay, a replaced one is untouched, no temporary is left.
        EXPECT_EQ(FolderEntries(folder.Path()), c.entries);
        if (!c.asked.empty()) {
            EXPECT_EQ(ReadTextFile(folder / c.asked[0]), "old");
        }
        std::string error = c.error;
        if (const auto at = error.find("%s"); at != std::string::npos)
            error.replace(at, 2, folder / (c.asked.empty() ? "S0001.ICO" : c.asked[0]));
        EXPECT_EQ(errors, Names{error});
        SetFileAttributesA((folder / "S0000.ICO").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // No summary, no position saved; the formats were already taken.
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Ini("Form2Top"), "");
    EXPECT_TRUE(form1->IcoOut && form1->BmpOut);
}

TEST_F(ExportRun, APathTooLongForThePlatformIsAnErrorNeverAShortenedName) {
    const std::string name = std::string(100, 'L') + "0000.ICO";
    View("ONE.DLL", std::string(100, 'L') + ".DLL");
    std::string folders[2];
    for (size_t length : {259u, 260u}) {
        // out \ folder \ name: out + 1 + folder + 1 + 108 characters.
        std::string& folder = folders[length - 259];
        folder = out / std::string(length - 110 - out.Path().size(), 'd');
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        form1->SaveDir = folder;
        Export();
        EXPECT_EQ(form1->SaveDir, folder);
    }
    EXPECT_EQ(FolderEntries(folders[0]), Names{name});
    EXPECT_TRUE(FolderEntries(folders[1]).empty());
    EXPECT_EQ(errors, Names{"ファイル " + folders[1] + "\\" + name + " を作成できません"});
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(ExportRun, CancellingKeepsThePickedFolderAndSavesThePositionButNotTheFormats) {
    View("TWO.DLL", "T.DLL");
    testsupport::TestFolder other;
    const std::string ini = settings / "PICTAVO.INI";
    WritePrivateProfileStringA("Form", "Form2Top", "123", ini.c_str());
    WritePrivateProfileStringA("Form", "Form2Left", "0x20", ini.c_str());
    int top = 0, left = 0;
    onExport = [&] {
        top = form2->Top();
        left = form2->Left();
        form2->SelectFolder(other.Path());
        form2->CheckBox2.SetChecked(true);
        form2->SetTop(200);
        form2->SetLeft(300);
    };
    confirmExport = false;
    Export();
    EXPECT_EQ(top, 123);
    EXPECT_EQ(left, 32);
    EXPECT_EQ(form1->SaveDir, other.Path());
    EXPECT_FALSE(form1->BmpOut);
    EXPECT_EQ(Ini("Form2Top"), "200");
    EXPECT_EQ(Ini("Form2Left"), "300");
    EXPECT_TRUE(FolderEntries(out.Path()).empty() && FolderEntries(other.Path()).empty());
    EXPECT_TRUE(messages.empty() && errors.empty());
}

TEST_F(ExportRun, AStripWithoutIconsGivesTheRangeUpToMinusOneAndZeroCounts) {
    View("NOTE.TXT", "EMPTY.DLL");
    ASSERT_EQ(form1->StripIconCount, 0);
    Export();
    EXPECT_EQ(ranges, Names{"0000--0001"});
    EXPECT_EQ(messages, Names{"0個のアイコンと 0個のビットマップを取り出しました。"});
    EXPECT_TRUE(FolderEntries(out.Path()).empty());
}

TEST_F(ExportRun, TheComputerFolderHasNoPathSoTheRunEndsBeforeWritingAndTheNextStartsBesideTheProgram) {
    View("TWO.DLL", "T.DLL");
    onExport = [this] {
        form2->FTVE1.SetSelected(form2->FTVE1.GetFirstNode());
        form2->CheckBox2.SetChecked(true);
    };
    Export();
    EXPECT_EQ(form1->SaveDir, "");
    EXPECT_EQ(errors, Names{"I/O エラー (123)"});  // ERROR_INVALID_NAME for the empty path
    EXPECT_FALSE(form1->BmpOut);
    EXPECT_EQ(Ini("Form2Top"), "");
    EXPECT_TRUE(messages.empty());

    onExport = nullptr;
    confirmExport = false;
    Export();
    EXPECT_EQ(form1->SaveDir, icons::ExecutableFolder());
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ExportRun, TheExportDialogNeedsAFormatAndExplainsItsButtonsAndTheWholeIconBox) {
    View("TWO.DLL", "T.DLL");
    std::vector<bool> exportEnabled, allSizesEnabled;
    onExport = [&] {
        exportEnabled.push_back(form2->Button1.Enabled());
        allSizesEnabled.push_back(form2->CheckBox3.Enabled());
        for (toolkit::CheckBox* box : {&form2->CheckBox1, &form2->CheckBox2, &form2->CheckBox2, &form2->CheckBox1}) {
            box->Send(BM_CLICK);
            exportEnabled.push_back(form2->Button1.Enabled());
            allSizesEnabled.push_back(form2->CheckBox3.Enabled());
        }
    };
    confirmExport = false;
    Export();
    EXPECT_EQ(exportEnabled, (std::vector<bool>{true, false, true, false, true}));
    EXPECT_EQ(allSizesEnabled, (std::vector<bool>{true, false, false, false, true}));
    const toolkit::Control* controls[] = {&form2->FTVE1,   &form2->Label2,  &form2->CheckBox1, &form2->CheckBox2,
                                          &form2->CheckBox3, &form2->Button2, &form2->Button3, &form2->Button1};
    for (const toolkit::Control* control : controls) {
        const bool explained = control == &form2->Button3 || control == &form2->Button1 || control == &form2->CheckBox3;
        EXPECT_EQ(control->ShowHint(), explained) << control->Caption();
    }
}

TEST_F(ExportRun, TheOverwriteQuestionShowsTheFilesLocalTimeInStepsOfTwoSecondsAndItsSize) {
    const struct {
        WORD hour, minute, second;
        unsigned long long size;
        const char* time;
    } cases[] = {
        // Wine's Japanese short date is yyyy/M/d; Windows' is yyyy/MM/dd (2001/05/12).
        {13, 45, 8, 1234, "2001/5/12 13:45:08"}, {13, 45, 9, 0, "2001/5/12 13:45:08"},
        {0, 0, 0, 1, "2001/5/12"},               {0, 0, 1, 1, "2001/5/12"},
        {0, 0, 2, 1, "2001/5/12 0:00:02"},       {23, 59, 59, 1, "2001/5/12 23:59:58"},
        {1, 2, 4, 0x140000001ull, "2001/5/12 1:02:04"},  // over 4 GiB, sparse: its length only is set
    };
    for (const auto& c : cases) {
        const std::string path = out / "A0000.ICO";
        SYSTEMTIME local{2001, 5, 6, 12, c.hour, c.minute, c.second, 0};
        FILETIME localTime, utc;
        SystemTimeToFileTime(&local, &localTime);
        LocalFileTimeToFileTime(&localTime, &utc);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        LONG high = static_cast<LONG>(c.size >> 32);
        SetFilePointer(file, static_cast<LONG>(c.size & 0xFFFFFFFF), &high, FILE_BEGIN);
        SetEndOfFile(file);
        SetFileTime(file, nullptr, nullptr, &utc);
        CloseHandle(file);
        form1->FillDupForm("A0000.ICO");
        EXPECT_EQ(form5->Label7.Caption(), "A0000.ICO");
        EXPECT_EQ(form5->Label5.Caption(), c.time);
        EXPECT_EQ(form5->Label6.Caption(), std::to_string(c.size) + " バイト");
    }
    form1->FillDupForm("GONE.ICO");
    EXPECT_EQ(form5->Label5.Caption(), "取得に失敗しました");
    EXPECT_EQ(form5->Label6.Caption(), "??? バイト");
}

TEST_F(ExportRun, TheOverwriteQuestionOpensOnNoAndItsKeysAndCloseBoxGiveTheirAnswers) {
    const std::pair<std::function<void(HWND)>, int> cases[] = {
        {[](HWND w) { PostMessageA(w, WM_KEYDOWN, VK_RETURN, 0); }, toolkit::mrNo},
        {[](HWND w) { PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0); }, toolkit::mrCancel},
        {[](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }, toolkit::mrCancel},
    };
    for (const auto& [press, result] : cases) {
        HWND focused = nullptr;
        toolkit::ModalTestHook::OnNextModal([&](HWND w) {
            focused = GetFocus();
            press(w);
        });
        EXPECT_EQ(form5->ShowModal(), result);
        EXPECT_EQ(focused, form5->Button3.Handle());
    }
    // Tab goes Yes, No, All, Cancel.
    HWND at = form5->Button1.Handle();
    for (HWND next : {form5->Button3.Handle(), form5->Button2.Handle(), form5->Button4.Handle(), form5->Button1.Handle()})
        EXPECT_EQ(at = GetNextDlgTabItem(form5->Handle(), at, FALSE), next);
}
