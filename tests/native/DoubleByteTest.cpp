#include <gtest/gtest.h>

#include "icons/FileNameCase.h"
#include "toolkit/DoubleByte.h"

using toolkit::LeadByteTable;

TEST(DoubleByte, TrailBytesCountFromTheStart) {
    const auto& sjis = LeadByteTable::ShiftJis();
    // "ソ" is 0x83 0x5C; "\x83\x83" is two lead-range bytes forming one character.
    const std::string s = "a\x83\x5C\\\x83\x83\x5C";
    EXPECT_FALSE(sjis.IsTrailByte(s, 0));
    EXPECT_FALSE(sjis.IsTrailByte(s, 1));
    EXPECT_TRUE(sjis.IsTrailByte(s, 2));
    EXPECT_FALSE(sjis.IsTrailByte(s, 3));
    EXPECT_TRUE(sjis.IsTrailByte(s, 5));
    EXPECT_FALSE(sjis.IsTrailByte(s, 6));
    // The delimiter rule looks at the run of lead-byte values before the byte.
    EXPECT_TRUE(sjis.IsTrailByRun(s, 2));
    EXPECT_FALSE(sjis.IsTrailByRun(s, 3));
    EXPECT_FALSE(sjis.IsTrailByRun(s, 6));  // two lead-range bytes before it: even
    EXPECT_EQ(sjis.LastDelimiter(s, "\\"), 6u);
    EXPECT_EQ(sjis.FirstDelimiter(s, "\\"), 3u);
    EXPECT_EQ(LeadByteTable().LastDelimiter("a\x83\x5C", "\\"), 2u);
}

// The application title: アイコン.exe must not become "ヂイコン" (0x83 0x41 → 0x83 0x61).
TEST(DoubleByte, LowerCaseAfterFirstKeepsDoubleByteCharactersWhole) {
    const LeadByteTable& sjis = LeadByteTable::ShiftJis();
    const struct { const char* name; const char* title; } cases[] = {
        {"PICTAVO", "Pictavo"},
        {"\x83\x41\x83\x43\x83\x52\x83\x93", "\x83\x41\x83\x43\x83\x52\x83\x93"},  // アイコン
        {"\x83\x41ICON", "\x83\x41icon"},  // a double-byte first character, then letters
        {"AB\x83\x5A\x82\x60Z", "Ab\x83\x5A\x82\x60z"},  // trail bytes "Z" and "`" stay
        {"X\xB1\xB2Q", "X\xB1\xB2q"},  // half-width katakana are single bytes, not letters
        {"A", "A"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(sjis.LowerCaseAfterFirst(c.name), c.title) << c.name;
    EXPECT_EQ(LeadByteTable().LowerCaseAfterFirst("\x83\x41"), "\x83\x61");  // single-byte page: bytes
}

TEST(FileNameUpperCase, ChangesOnlySingleByteAsciiLetters) {
    const icons::DoubleByteUpperCase upper(LeadByteTable::ShiftJis());
    std::string out;
    upper.Apply("abc\x83\x61z\xE0\x7A", out);  // trail bytes 'a' and 'z' stay as they are
    EXPECT_EQ(out, "ABC\x83\x61Z\xE0\x7A");
    upper.Apply("\xB1\xB2q", out);  // half-width katakana are single bytes, not letters
    EXPECT_EQ(out, "\xB1\xB2Q");
}
