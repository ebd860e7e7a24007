#include <gtest/gtest.h>

#include <algorithm>

#include "WriterTestSupport.h"
#include "export/IconFileWriter.h"
#include "export/WriterErrors.h"

using namespace writertest;
using iconexport::WriteIconFile;

namespace {

constexpr std::size_t kTableAt = 62, kColourAt = 126, kMaskAt = 638;

Rgb TableColour(const std::vector<std::uint8_t>& file, int index) {
    const std::size_t entry = kTableAt + 4 * index;
    return (file.at(entry + 2) << 16) | (file.at(entry + 1) << 8) | file.at(entry);
}

// The colour the file gives pixel (x, y) of a 32 x 32 icon, through its table.
Rgb FileColour(const std::vector<std::uint8_t>& file, int x, int y) {
    const std::uint8_t pair = file.at(kColourAt + (31 - y) * 16 + x / 2);
    return TableColour(file, (x % 2 == 0) ? pair >> 4 : pair & 0x0F);
}

bool FileTransparent(const std::vector<std::uint8_t>& file, int x, int y) {
    return file.at(kMaskAt + (31 - y) * 4 + x / 8) & (0x80 >> (x % 8));
}

// Left eight columns transparent; red above the middle, blue below.
HICON MakeTwoColourIcon() {
    return MakeIcon(32, 32, [](int, int y) { return y < 16 ? kRed : kBlue; },
                    [](int x, int) { return x < 8; });
}

}  // namespace

TEST(WriteIconFile, A32By32IconGives766BytesWithItsMaskAndColoursBottomRowFirst) {
    ScratchFolder folder;
    OwnedIcon icon(MakeTwoColourIcon());
    WriteIconFile(icon.Get(), folder / "A.ICO");
    const auto file = ReadFileBytes(folder / "A.ICO");

    ASSERT_EQ(file.size(), 766u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 22),
              (std::vector<std::uint8_t>{0, 0, 1, 0, 1, 0, 0x20, 0x20, 0x10, 0, 0, 0, 0, 0, 0xE8, 0x02, 0,
                                         0, 0x16, 0, 0, 0}));
    // The platform's conversion may clear the colours-used field; the file keeps 16.
    EXPECT_EQ(U32At(file, 54), 16u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            EXPECT_EQ(FileTransparent(file, x, y), x < 8);
            EXPECT_EQ(FileColour(file, x, y), x < 8 ? kBlack : (y < 16 ? kRed : kBlue));
        }
}

TEST(WriteIconFile, MoreThanSixteenColoursAreReducedToTheStandardSixteen) {
    // 1024 colours: a red-green gradient over a fixed blue.
    OwnedIcon gradient(MakeIcon(32, 32, [](int x, int y) { return Rgb((x * 8) << 16 | (y * 8) << 8 | 0x40); },
                                [](int, int) { return false; }));
    ScratchFolder folder;
    WriteIconFile(gradient.Get(), folder / "G.ICO");
    const auto file = ReadFileBytes(folder / "G.ICO");
    ASSERT_EQ(file.size(), 766u);

    std::vector<Rgb> table;
    for (int i = 0; i < 16; ++i) table.push_back(TableColour(file, i));
    // The platform's 16 colours: black, white and the pure primaries among them.
    for (Rgb c : {kBlack, kWhite, kRed, kBlue, Rgb(0x00FF00)})
        EXPECT_NE(std::find(table.begin(), table.end(), c), table.end()) << std::hex << c;

    // Colours that are not among the 16 but lie nearest the same entry give identical files.
    OwnedIcon reddish(MakeIcon(32, 32, [](int, int) { return Rgb(0xF40808); }, [](int, int) { return false; }));
    OwnedIcon otherReddish(MakeIcon(32, 32, [](int, int) { return Rgb(0xEE0310); }, [](int, int) { return false; }));
    WriteIconFile(reddish.Get(), folder / "R1.ICO");
    WriteIconFile(otherReddish.Get(), folder / "R2.ICO");
    const auto first = ReadFileBytes(folder / "R1.ICO");
    EXPECT_EQ(first, ReadFileBytes(folder / "R2.ICO"));
    EXPECT_EQ(FileColour(first, 5, 5), kRed);
    // The table is the platform's fixed one, not one chosen for each icon's colours.
    for (int i = 0; i < 16; ++i) EXPECT_EQ(TableColour(first, i), table[i]) << "entry " << i;
}

TEST(WriteIconFile, LargerIconsUseTheGeneralRowFormulas) {
    // Top-left quarter red, the rest blue, bottom-right corner transparent.
    OwnedIcon icon(MakeIcon(48, 48, [](int x, int y) { return x < 24 && y < 24 ? kRed : kBlue; },
                            [](int x, int y) { return x >= 40 && y >= 40; }));
    ScratchFolder folder;
    WriteIconFile(icon.Get(), folder / "L.ICO");
    const auto file = ReadFileBytes(folder / "L.ICO");

    // Colour rows of 24 bytes, mask rows of 6 bytes filled up to 8.
    ASSERT_EQ(file.size(), 22u + 40 + 64 + 24 * 48 + 8 * 48);
    EXPECT_EQ(file[6], 48);
    EXPECT_EQ(file[7], 48);
    EXPECT_EQ(U32At(file, 14), 40u + 64 + 24 * 48 + 8 * 48);
    EXPECT_EQ(U32At(file, 26), 48u);
    EXPECT_EQ(U32At(file, 30), 96u);
    const std::size_t maskAt = 126 + 24 * 48;
    // Bottom row first: the first mask row is y = 47, transparent from x = 40 on; fill bytes are 0.
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + maskAt, file.begin() + maskAt + 8),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0xFF, 0, 0}));
    // The last mask row is y = 0: opaque.
    EXPECT_EQ(std::vector<std::uint8_t>(file.end() - 8, file.end()), std::vector<std::uint8_t>(8, 0));
}

TEST(WriteIconFile, MissingOrBrokenIconsRaiseTheirErrorsAndLeaveTheFileAlone) {
    ScratchFolder folder;
    const std::string existing = folder / "OLD.ICO";
    WriteFileBytes(existing, {1, 2, 3});

    try {
        WriteIconFile(nullptr, existing);
        FAIL() << "no error for a missing icon";
    } catch (const iconexport::EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "アイコンイメージが不正です");
    }
    try {
        // A handle that names no icon: its images cannot be obtained.
        WriteIconFile(reinterpret_cast<HICON>(static_cast<std::uintptr_t>(0x7FFF1234)), existing);
        FAIL() << "no error for a broken icon";
    } catch (const iconexport::EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "ビットマップイメージが不正です");
    }
    EXPECT_EQ(ReadFileBytes(existing), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"OLD.ICO"});

    // A good icon then replaces the file completely.
    OwnedIcon icon(MakeTwoColourIcon());
    WriteIconFile(icon.Get(), existing);
    EXPECT_EQ(ReadFileBytes(existing).size(), 766u);
}
