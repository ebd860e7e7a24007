#include <gtest/gtest.h>

#include "WriterTestSupport.h"
#include "export/SafeFileReplace.h"
#include "export/WriterErrors.h"

using namespace writertest;
using iconexport::ReplaceFileContents;
using iconexport::TemporaryNameFor;

namespace {
const std::vector<std::uint8_t> kOld{'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'};
const std::vector<std::uint8_t> kNew{'n', 'e', 'w'};

std::string CreateErrorText(const std::string& path) { return "ファイル " + path + " を作成できません"; }
}  // namespace

TEST(ReplaceFileContents, CreatesOrReplacesTheFileAndLeavesNothingElse) {
    ScratchFolder folder;
    ReplaceFileContents(folder / "A.ICO", kNew);
    WriteFileBytes(folder / "B.ICO", kOld);
    ReplaceFileContents(folder / "B.ICO", kNew);
    ReplaceFileContents(folder / "C.ICO", {});

    EXPECT_EQ(ReadFileBytes(folder / "A.ICO"), kNew);
    EXPECT_EQ(ReadFileBytes(folder / "B.ICO"), kNew);  // shorter than before: nothing of the old stays
    EXPECT_TRUE(ReadFileBytes(folder / "C.ICO").empty());
    EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"A.ICO", "B.ICO", "C.ICO"}));
}

TEST(ReplaceFileContents, WorksInFoldersWithDoubleByteNames) {
    // "表" ends in the byte 0x5C, which looks like a backslash.
    ScratchFolder folder;
    const std::string sub = folder / "\x95\x5C\x8E\xA6";
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    ReplaceFileContents(sub + "\\\x95\x5C" "0000.ICO", kNew);
    EXPECT_EQ(ReadFileBytes(sub + "\\\x95\x5C" "0000.ICO"), kNew);
    EXPECT_EQ(FolderEntries(sub), std::vector<std::string>{"\x95\x5C" "0000.ICO"});
}

TEST(ReplaceFileContents, TakesTheNextTemporaryNameWhenOneIsInTheWay) {
    // A temporary left by an earlier run that was killed, and a folder of the next name.
    ScratchFolder folder;
    const std::string path = folder / "A.ICO";
    WriteFileBytes(TemporaryNameFor(path, 0), kOld);
    ASSERT_TRUE(CreateDirectoryA(TemporaryNameFor(path, 1).c_str(), nullptr));
    ReplaceFileContents(path, kNew);
    EXPECT_EQ(ReadFileBytes(path), kNew);
    EXPECT_EQ(ReadFileBytes(TemporaryNameFor(path, 0)), kOld);
    EXPECT_TRUE(IsFolder(TemporaryNameFor(path, 1)));
    EXPECT_EQ(FolderEntries(folder.Path()).size(), 3u);
}

TEST(ReplaceFileContents, AFolderOfTheTargetsNameIsRefusedAndLeftAlone) {
    ScratchFolder folder;
    const std::string path = folder / "A.ICO";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    WriteFileBytes(path + "\\INSIDE.TXT", kOld);
    try {
        ReplaceFileContents(path, kNew);
        FAIL() << "no error";
    } catch (const toolkit::EFCreateError& e) {
        EXPECT_EQ(e.what(), CreateErrorText(path));
    }
    EXPECT_TRUE(IsFolder(path));
    EXPECT_EQ(ReadFileBytes(path + "\\INSIDE.TXT"), kOld);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"A.ICO"});
}

TEST(ReplaceFileContents, AMissingFolderGivesTheCreateError) {
    ScratchFolder folder;
    const std::string path = folder / "GONE\\A.ICO";
    try {
        ReplaceFileContents(path, kNew);
        FAIL() << "no error";
    } catch (const toolkit::EFCreateError& e) {
        EXPECT_EQ(e.what(), CreateErrorText(path));
    }
    EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

TEST(ReplaceFileContents, AReadOnlyFileIsRefusedAndKeepsItsContents) {
    ScratchFolder folder;
    const std::string path = folder / "A.ICO";
    WriteFileBytes(path, kOld);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        ReplaceFileContents(path, kNew);
        FAIL() << "no error";
    } catch (const toolkit::EFCreateError& e) {
        EXPECT_EQ(e.what(), CreateErrorText(path));
    }
    EXPECT_EQ(ReadFileBytes(path), kOld);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"A.ICO"});
}
