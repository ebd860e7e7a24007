// The text table: both languages everywhere, English in plain ASCII, every caption within its room
// in the form font of this system at each DPI a display commonly has, and no window with two texts
// on one accelerator.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

#include "toolkit/Dpi.h"
#include "toolkit/Font.h"
#include "toolkit/ProgramTexts.h"

namespace {

// A control shows "&Search" as "Search" with the S underlined.
std::string Shown(const std::string& text) {
    std::string shown;
    for (char c : text)
        if (c != '&') shown += c;
    return shown;
}

// A caption that does not fit its room at one of these DPIs is cut there: its control is made
// wider (the font stays). Japanese is measured where its bytes are Shift-JIS.
TEST(ProgramTexts, EveryCaptionFitsItsRoomAt96120144And192Dpi) {
    const bool japanese = GetACP() == 932;
    for (const int dpi : {96, 120, 144, 192}) {
        const toolkit::Font font = toolkit::FormFontForDpi(dpi);
        for (std::size_t i = 0; i < toolkit::kProgramTextCount; ++i) {
            const toolkit::ProgramText& entry = toolkit::ProgramTextTable()[i];
            if (entry.room <= 0) continue;
            for (const char* text : {entry.english, japanese ? entry.japanese : nullptr}) {
                if (!text) continue;
                EXPECT_LE(toolkit::MeasureText(font.Handle(), Shown(text)).cx, toolkit::ScaleToDpi(entry.room, dpi))
                    << dpi << " DPI: " << text;
            }
        }
    }
}

TEST(ProgramTexts, BothLanguagesAsciiEnglishAndOneAcceleratorPerKeyInAWindow) {
    std::map<std::string, std::set<int>> taken[2];
    for (std::size_t i = 0; i < toolkit::kProgramTextCount; ++i) {
        const toolkit::ProgramText& entry = toolkit::ProgramTextTable()[i];
        SCOPED_TRACE(entry.english);
        EXPECT_EQ(static_cast<std::size_t>(entry.id), i);
        EXPECT_NE(*entry.japanese, '\0');
        EXPECT_NE(*entry.english, '\0');
        for (const unsigned char c : std::string(entry.english)) EXPECT_TRUE(c < 0x80 && (c >= 0x20 || c == '\r' || c == '\n'));
        int column = 0;
        for (const char* text : {entry.japanese, entry.english}) {
            const std::string s = text;
            const auto at = s.find('&');
            if (at != std::string::npos && at + 1 < s.size())
                EXPECT_TRUE(taken[column][entry.window].insert(std::toupper(static_cast<unsigned char>(s[at + 1]))).second)
                    << entry.window << ": " << s;
            ++column;
        }
    }
}

TEST(ProgramTexts, EnglishAnywhereJapaneseOnlyWhereTheCodePageIs932) {
    using toolkit::Language;
    EXPECT_EQ(toolkit::ChooseLanguage(932, ""), Language::Japanese);
    EXPECT_EQ(toolkit::ChooseLanguage(932, "ja"), Language::Japanese);
    EXPECT_EQ(toolkit::ChooseLanguage(932, "en"), Language::English);
    EXPECT_EQ(toolkit::ChooseLanguage(1252, ""), Language::English);
    EXPECT_EQ(toolkit::ChooseLanguage(1252, "ja"), Language::English);
    EXPECT_EQ(toolkit::ChooseLanguage(936, "ja"), Language::English);
}

// Values are put in as they are: a "%s" in a file name is no place for the next value.
TEST(ProgramTexts, AValueThatHoldsAPlaceholderStaysAsItIs) {
    const toolkit::Language language = toolkit::CurrentLanguage();
    toolkit::SetLanguage(toolkit::Language::English);
    EXPECT_EQ(toolkit::TextWith(toolkit::TextId::ConsoleNamesTaken, {"C:\\%s.EXE", "%s0000.ICO", "C:\\%s.DLL"}),
              "C:\\%s.EXE: %s0000.ICO was written from C:\\%s.DLL in this run; nothing of this file is written");
    toolkit::SetLanguage(language);
}

}  // namespace
