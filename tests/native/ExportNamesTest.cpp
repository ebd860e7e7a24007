// The names an export writes and the folder names the new-folder dialog accepts.
#include <gtest/gtest.h>

#include "icons/PathNames.h"
#include "export/ExportFileNames.h"
#include "export/FolderNameCheck.h"
#include "toolkit/Exceptions.h"

using toolkit::LeadByteTable;

namespace {
const LeadByteTable& sjis = LeadByteTable::ShiftJis();
}  // namespace

TEST(ExportFileName, IsTheBaseNameTheIndexWithAtLeastFourDigitsAndTheExtension) {
    const struct {
        const char* strip;
        int index;
        const char* expected;
    } cases[] = {
        {"SAMPLE.DLL", 0, "SAMPLE0000.ICO"},     {"SAMPLE.DLL", 9999, "SAMPLE9999.ICO"},
        {"SAMPLE.DLL", 10000, "SAMPLE10000.ICO"}, {"SAMPLE.DLL", 12345, "SAMPLE12345.ICO"},
        {"README", 0, "README0000.ICO"},          {"A.B.EXE", 3, "A.B0003.ICO"},
        {".x", 0, "0000.ICO"},                    {"x.", 1, "x0001.ICO"},
        {"\x95\x5C\x8E\xA6.DLL", 7, "\x95\x5C\x8E\xA6" "0007.ICO"},  // 表示.DLL
        // Found in sub-folders: the file's own name (表\X.DLL: the folder's last byte is no "\").
        {"sub.d\\deeper\\file.dll", 0, "file0000.ICO"}, {"\x95\x5C\\X.DLL", 1, "X0001.ICO"},
        // Listed under a name without an ANSI form; "\x83\x7C" (ポ) ends in the byte of "|".
        {"X?*X.DLL", 2, "X__X0002.ICO"}, {"\x83\x7C?.DLL", 3, "\x83\x7C_0003.ICO"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(iconexport::ExportFileName(iconexport::ExportBaseName(c.strip, sjis), c.index, ".ICO"), c.expected)
            << c.strip << " " << c.index;
}

TEST(ExportFilePath, JoinsTheFolderAndRefusesAPathLongerThanThePlatformTakes) {
    EXPECT_EQ(iconexport::ExportFilePath("C:\\OUT", "A0000.ICO", sjis), "C:\\OUT\\A0000.ICO");
    EXPECT_EQ(iconexport::ExportFilePath("C:\\", "A0000.ICO", sjis), "C:\\A0000.ICO");
    const std::string folder = "C:\\" + std::string(240, 'd');  // 243 characters, 244 with the "\"
    const std::string fits(259 - 244, 'n'), tooLong(260 - 244, 'n');
    EXPECT_EQ(iconexport::ExportFilePath(folder, fits, sjis).size(), 259u);
    try {
        iconexport::ExportFilePath(folder, tooLong, sjis);
        ADD_FAILURE() << "a 260-character path was accepted";
    } catch (const toolkit::EFCreateError& e) {
        // The whole path is named, never a shortened one.
        EXPECT_EQ(std::string(e.what()), "ファイル " + folder + "\\" + tooLong + " を作成できません");
    }
    // The limit counts characters: ＝ takes two bytes, as one character.
    const std::string japanese = "C:\\" + std::string(240, '\x81');  // 123 characters, 124 with the "\\"
    const std::string name259(259 - 124, 'n'), name260(260 - 124, 'n');
    EXPECT_EQ(iconexport::ExportFilePath(japanese, name259, sjis), japanese + "\\" + name259);
    EXPECT_THROW(iconexport::ExportFilePath(japanese, name260, sjis), toolkit::EFCreateError);
}

TEST(IsValidFolderName, RefusesTheSevenCharactersButNotTheSecondByteOfADoubleByteCharacter) {
    const struct {
        std::string name;
        bool valid;
    } cases[] = {
        {"", true},
        {"   ", true},
        {"new folder", true},
        {"\x95\x5C\x8E\xA6", true},              // 表示: second byte 0x5C
        {"\x83\x7C\x83\x58\x83\x5E\x81\x5B", true},  // ポスター: second byte 0x7C
        {"\x95\x5C", true},                      // the double-byte character as the last one
        {"\xCE\x5C", false},                     // half-width katakana is one byte: then a real "\"
        {"a\\b", false}, {"a/b", false}, {"a:b", false}, {"a\"b", false},
        {"a<b", false},  {"a>b", false}, {"a|b", false},
        {"|", false},    {"abc>", false},
        {"*?", true},  // refused later by the platform, not here
    };
    for (const auto& c : cases) EXPECT_EQ(iconexport::IsValidFolderName(c.name, sjis), c.valid) << c.name;
    // Without a double-byte code page the same bytes hold a "\".
    EXPECT_FALSE(iconexport::IsValidFolderName("\x95\x5C\x8E\xA6", LeadByteTable()));
}

TEST(IsFullPath, TakesDriveRootsAndSharesOnly) {
    EXPECT_TRUE(icons::IsFullPath("C:\\"));
    EXPECT_TRUE(icons::IsFullPath("C:\\OUT"));
    EXPECT_TRUE(icons::IsFullPath("\\\\SERVER\\SHARE"));
    EXPECT_FALSE(icons::IsFullPath(""));  // the computer folder
    EXPECT_FALSE(icons::IsFullPath("C:"));
    EXPECT_FALSE(icons::IsFullPath("\\OUT"));
    EXPECT_FALSE(icons::IsFullPath("Control Panel"));
}
