#include <gtest/gtest.h>

#include "foldertree/FileExtension.h"

using foldertree::FileExtension;
using toolkit::LeadByteTable;

TEST(FileExtension, IsTheTailFromTheLastDotAfterTheLastDelimiter) {
    const LeadByteTable& sjis = LeadByteTable::ShiftJis();
    EXPECT_EQ(FileExtension("C:\\ICONS\\NOTE.ICO", sjis), ".ICO");
    EXPECT_EQ(FileExtension("C:\\ICONS\\ARCHIVE.TAR.GZ", sjis), ".GZ");
    EXPECT_EQ(FileExtension("C:\\ICONS.D\\README", sjis), "");
    EXPECT_EQ(FileExtension("C:README", sjis), "");
    EXPECT_EQ(FileExtension("C:\\ICONS\\TRAIL.", sjis), ".");
    EXPECT_EQ(FileExtension("", sjis), "");
    // "表" ends in 0x5C: in Shift-JIS it is no delimiter, so the dot before it still counts.
    const std::string hyou = "\x95\x5C";
    EXPECT_EQ(FileExtension("C:\\A.B" + hyou, sjis), ".B" + hyou);
    EXPECT_EQ(FileExtension("C:\\A.B" + hyou, LeadByteTable()), "");
}
