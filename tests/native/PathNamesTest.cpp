#include <gtest/gtest.h>

#include "icons/PathNames.h"

using toolkit::LeadByteTable;

namespace {
const LeadByteTable& sjis = LeadByteTable::ShiftJis();
const LeadByteTable single;
// "表" is 0x95 0x5C in Shift-JIS: its second byte looks like a backslash.
const std::string kHyou = "\x95\x5C";
}  // namespace

TEST(DirYen, AddsOneBackslashUnlessThereIsOne) {
    EXPECT_EQ(icons::DirYen("C:\\TOOLS", sjis), "C:\\TOOLS\\");
    EXPECT_EQ(icons::DirYen("C:\\", sjis), "C:\\");
    EXPECT_EQ(icons::DirYen("C:", sjis), "C:\\");
    EXPECT_EQ(icons::DirYen("", sjis), "\\");
    // A folder ending in a double-byte character whose second byte is 0x5C still gets its "\".
    EXPECT_EQ(icons::DirYen("C:\\" + kHyou, sjis), "C:\\" + kHyou + "\\");
    EXPECT_EQ(icons::DirYen("C:\\" + kHyou, single), "C:\\" + kHyou);
}

TEST(FolderPart, KeepsTheBackslashOfARootOnly) {
    EXPECT_EQ(icons::FolderPart("C:\\TOOLS\\PICTAVO.EXE", sjis), "C:\\TOOLS");
    EXPECT_EQ(icons::FolderPart("C:\\PICTAVO.EXE", sjis), "C:\\");
    EXPECT_EQ(icons::FolderPart("C:PICTAVO.EXE", sjis), "C:");
    EXPECT_EQ(icons::FolderPart("\\\\SERVER\\SHARE\\A.DLL", sjis), "\\\\SERVER\\SHARE");
    EXPECT_EQ(icons::FolderPart("PICTAVO.EXE", sjis), "");
    EXPECT_EQ(icons::FolderPart("C:\\" + kHyou + "\\A.ICO", sjis), "C:\\" + kHyou);
    EXPECT_EQ(icons::FolderPart("C:\\A\\" + kHyou + "X.ICO", sjis), "C:\\A");
}

TEST(FileNamePart, IsWhatFollowsTheLastDelimiter) {
    EXPECT_EQ(icons::FileNamePart("C:\\TOOLS\\PICTAVO.EXE", sjis), "PICTAVO.EXE");
    EXPECT_EQ(icons::FileNamePart("C:X.ICO", sjis), "X.ICO");
    EXPECT_EQ(icons::FileNamePart("C:\\A\\" + kHyou + "X.ICO", sjis), kHyou + "X.ICO");
    EXPECT_EQ(icons::FileNamePart("C:\\A\\", sjis), "");
}

TEST(ChangeFileExt, ReplacesOrAppendsTheExtension) {
    EXPECT_EQ(icons::ChangeFileExt("C:\\TOOLS\\PICTAVO.EXE", ".INI", sjis), "C:\\TOOLS\\PICTAVO.INI");
    EXPECT_EQ(icons::ChangeFileExt("C:\\TOOLS\\PICTAVO", ".INI", sjis), "C:\\TOOLS\\PICTAVO.INI");
    EXPECT_EQ(icons::ChangeFileExt("C:\\V1.2\\PICTAVO", ".INI", sjis), "C:\\V1.2\\PICTAVO.INI");
    EXPECT_EQ(icons::ChangeFileExt("C:\\A.B.EXE", ".INI", sjis), "C:\\A.B.INI");
}
