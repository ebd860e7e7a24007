#include <gtest/gtest.h>

#include "toolkit/SettingsValues.h"

using toolkit::ParseSettingsInteger;
using toolkit::SettingsBoolOr;
using toolkit::SettingsIntegerOr;

TEST(SettingsInteger, ReadsDecimalAndBothHexadecimalForms) {
    EXPECT_EQ(ParseSettingsInteger("32"), 32);
    EXPECT_EQ(ParseSettingsInteger("-15"), -15);
    EXPECT_EQ(ParseSettingsInteger("+7"), 7);
    EXPECT_EQ(ParseSettingsInteger("0x20"), 32);
    EXPECT_EQ(ParseSettingsInteger("0X20"), 32);
    EXPECT_EQ(ParseSettingsInteger("$20"), 32);
    EXPECT_EQ(ParseSettingsInteger("$ff"), 255);
    EXPECT_EQ(ParseSettingsInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseSettingsInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseSettingsInteger("-2147483648"), INT32_MIN);
}

TEST(SettingsInteger, RejectsWhatIsNoNumber) {
    for (const char* text : {"", "abc", "0x", "$", "12a", "1 2", "0xg1", "2147483648", "$100000000",
                             "-", "--1", "0x-1"}) {
        EXPECT_FALSE(ParseSettingsInteger(text).has_value()) << text;
        EXPECT_EQ(SettingsIntegerOr(text, 77), 77) << text;
    }
    // "0x" alone is two characters, so it is not rewritten and stays no number; "0" is a number.
    EXPECT_EQ(ParseSettingsInteger("0"), 0);
}

TEST(SettingsBool, AnyNonZeroNumberIsTrueAndMalformedGivesTheDefault) {
    EXPECT_TRUE(SettingsBoolOr("1", false));
    EXPECT_TRUE(SettingsBoolOr("5", false));
    EXPECT_TRUE(SettingsBoolOr("-1", false));
    EXPECT_FALSE(SettingsBoolOr("0", true));
    EXPECT_FALSE(SettingsBoolOr("0x0", true));
    EXPECT_TRUE(SettingsBoolOr("yes", true));
    EXPECT_FALSE(SettingsBoolOr("yes", false));
}
