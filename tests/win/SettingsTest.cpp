// The settings file through the real profile calls: defaults, value encodings, the remembered
// folder, and a write that fails.
#include <gtest/gtest.h>

#include <memory>

#include "app/PictavoUnit.h"
#include "tests/win/TestFolder.h"
#include "toolkit/Application.h"

using testsupport::TestFolder;

namespace {

std::string Value(const std::string& ini, const char* section, const char* key) {
    char buffer[2048] = {};
    GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, ini.c_str());
    return buffer;
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

// Collects what the error box would show.
struct ErrorRecorder {
    std::vector<std::string> errors;
    ErrorRecorder() {
        toolkit::Application::Instance().OnException = [this](const std::string& e) { errors.push_back(e); };
    }
    ~ErrorRecorder() { toolkit::Application::Instance().OnException = nullptr; }
};

}  // namespace

TEST(Settings, WithoutAFileStartsWithTheDefaultsAndWritesEveryKeyAtExit) {
    TestFolder folder;
    const std::string ini = folder / "PICTAVO.INI";
    auto form = std::make_unique<TForm1>(ini);
    EXPECT_FALSE(form->WindowsDir.empty());
    EXPECT_EQ(form->SearchDir, form->WindowsDir);
    EXPECT_EQ(CurrentDirectory(), form->WindowsDir);
    EXPECT_TRUE(form->CheckBox1.Checked());
    EXPECT_TRUE(form->IcoOut);
    EXPECT_FALSE(form->BmpOut);
    EXPECT_FALSE(form->IcoAllSizes);
    const int top = form->Top(), left = form->Left();
    const std::string windowsDir = form->WindowsDir, saveDir = form->SaveDir;
    form.reset();

    EXPECT_EQ(Value(ini, "Env", "IniDir"), windowsDir);
    EXPECT_EQ(Value(ini, "Env", "SaveDir"), saveDir);
    EXPECT_EQ(Value(ini, "Form", "Top"), std::to_string(top));
    EXPECT_EQ(Value(ini, "Form", "Left"), std::to_string(left));
    EXPECT_EQ(Value(ini, "Opt", "MultiIcons"), "1");
    EXPECT_EQ(Value(ini, "Opt", "IcoOut"), "1");
    EXPECT_EQ(Value(ini, "Opt", "BmpOut"), "0");
    EXPECT_EQ(Value(ini, "Opt", "IcoAllSizes"), "0");
    EXPECT_EQ(Value(ini, "Opt", "SubFolders"), "0");
    // The export folder defaults to the executable's folder.
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    EXPECT_EQ(saveDir + "\\" + std::string(exe).substr(saveDir.size() + 1), exe);
}

TEST(Settings, ReadsHexadecimalAndBooleanValuesAndKeepsWhatWasSaved) {
    TestFolder folder;
    const std::string ini = folder / "PICTAVO.INI";
    testsupport::WriteTextFile(ini,
        "[Env]\r\nIniDir=" + folder.Path() + "\r\nSaveDir=D:\\OUT\r\n"
        "[Form]\r\nTop=0x20\r\nLeft=$30\r\n"
        "[Opt]\r\nMultiIcons=0\r\nIcoOut=0\r\nBmpOut=5\r\nIcoAllSizes=1\r\nSubFolders=1\r\n");
    auto form = std::make_unique<TForm1>(ini);
    EXPECT_EQ(form->SearchDir, folder.Path());
    EXPECT_EQ(CurrentDirectory(), folder.Path());
    // The tree opens at the remembered folder, and the window shows it.
    EXPECT_EQ(form->FTVE1.GetFolderName(), folder.Path());
    EXPECT_NE(form->Label5.Caption(), "D:\\...\\TOOL\\PICTAVO6");
    EXPECT_EQ(form->SaveDir, "D:\\OUT");
    EXPECT_EQ(form->Top(), 32);
    EXPECT_EQ(form->Left(), 48);
    EXPECT_FALSE(form->CheckBox1.Checked());
    EXPECT_FALSE(form->IcoOut);
    EXPECT_TRUE(form->BmpOut);
    EXPECT_TRUE(form->IcoAllSizes);
    EXPECT_TRUE(form->CheckBox2.Checked());
    form.reset();
    EXPECT_EQ(Value(ini, "Form", "Top"), "32");
    EXPECT_EQ(Value(ini, "Opt", "IcoAllSizes"), "1");
    EXPECT_EQ(Value(ini, "Opt", "BmpOut"), "1");
    EXPECT_EQ(Value(ini, "Opt", "MultiIcons"), "0");
}

TEST(Settings, MalformedValuesFallBackToTheDefaults) {
    TestFolder folder;
    const std::string ini = folder / "PICTAVO.INI";
    testsupport::WriteTextFile(ini, "[Form]\r\nTop=abc\r\nLeft=0x40\r\n"
                                    "[Opt]\r\nMultiIcons=yes\r\nIcoOut=\r\nBmpOut=maybe\r\n");
    const int systemTop = std::make_unique<TForm1>(folder / "OTHER.INI")->Top();
    auto form = std::make_unique<TForm1>(ini);
    EXPECT_EQ(form->Left(), 64);
    EXPECT_EQ(form->Top(), systemTop);  // not moved by "abc": the system's placement stays
    EXPECT_TRUE(form->CheckBox1.Checked());
    EXPECT_TRUE(form->IcoOut);
    EXPECT_FALSE(form->BmpOut);
    // Saved right of the only monitor: its right edge comes onto the work area's.
    form.reset();
    testsupport::WriteTextFile(ini, "[Form]\r\nTop=64\r\nLeft=20000\r\n");
    form = std::make_unique<TForm1>(ini);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT placed{};
    GetWindowRect(form->Handle(), &placed);
    EXPECT_EQ(placed.right, work.right);
    EXPECT_EQ(placed.top, 64);
}

TEST(Settings, ARememberedFolderThatIsGoneStartsInTheWindowsDirectory) {
    TestFolder folder;
    const std::string ini = folder / "PICTAVO.INI";
    testsupport::WriteTextFile(ini, "[Env]\r\nIniDir=" + folder.Path() + "\\gone\r\n");
    auto form = std::make_unique<TForm1>(ini);
    EXPECT_EQ(form->SearchDir, form->WindowsDir);
    const std::string windowsDir = form->WindowsDir;
    form.reset();
    EXPECT_EQ(Value(ini, "Env", "IniDir"), windowsDir);
}

TEST(Settings, AFailedWriteIsReportedWithThePathAndTheRunStillEnds) {
    TestFolder folder;
    // A folder standing where the file should be: the profile write really fails, even as root.
    const std::string ini = folder / "PICTAVO.INI";
    CreateDirectoryA(ini.c_str(), nullptr);
    ErrorRecorder recorder;
    auto form = std::make_unique<TForm1>(ini);
    form.reset();
    ASSERT_EQ(recorder.errors.size(), 1u);  // the first failure ends the saving
    EXPECT_EQ(recorder.errors[0], ini + " に書き込めません");
}

TEST(Settings, LongStringsAreReadUpTo2047Characters) {
    TestFolder folder;
    const std::string ini = folder / "PICTAVO.INI";
    testsupport::WriteTextFile(ini, "[Env]\r\nSaveDir=" + std::string(3000, 'x') + "\r\n");
    auto form = std::make_unique<TForm1>(ini);
    EXPECT_EQ(form->SaveDir, std::string(2047, 'x'));
}
