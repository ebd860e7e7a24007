#include <gtest/gtest.h>

#include "app/IconHolder.h"
#include "app/IconSource.h"
#include "tests/win/WinTestFiles.h"

using wintest::Fixture;

namespace {

class BitmapHandle {
public:
    explicit BitmapHandle(HBITMAP b) : b_(b) {}
    ~BitmapHandle() {
        if (b_) DeleteObject(b_);
    }
    BitmapHandle(const BitmapHandle&) = delete;
    BitmapHandle& operator=(const BitmapHandle&) = delete;
    HBITMAP Get() const { return b_; }

private:
    HBITMAP b_;
};

// The icon's colour pixels as 32-bit values; empty when the icon is not 32 x 32.
std::vector<std::uint32_t> Pixels32x32(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BitmapHandle colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (!colour.Get() || !GetObjectA(colour.Get(), sizeof bm, &bm) || bm.bmWidth != 32 || bm.bmHeight != 32) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 32;
    bi.bmiHeader.biHeight = 32;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(32 * 32);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, colour.Get(), 0, 32, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return lines == 32 ? pixels : std::vector<std::uint32_t>{};
}

}  // namespace

TEST(IconSource, CountsTheRequiredFixtures) {
    EXPECT_EQ(app::IconCount(nullptr, Fixture("ONE.DLL")), 1);
    EXPECT_EQ(app::IconCount(nullptr, Fixture("TWO.DLL")), 2);
    EXPECT_EQ(app::IconCount(nullptr, Fixture("TWELVE.DLL")), 12);
    EXPECT_EQ(app::IconCount(nullptr, Fixture("FORTY.DLL")), 40);
    EXPECT_EQ(app::IconCount(nullptr, Fixture("SIZES.ICO")), 1);
    EXPECT_EQ(app::IconCount(nullptr, Fixture("NOTE.TXT")), 0);
    EXPECT_EQ(app::IconCount(nullptr, Fixture("EMPTY.DAT")), 0);
}

TEST(IconSource, FoldersAndMissingFilesHoldNoIcons) {
    for (const std::string& path : {Fixture("corpus"), Fixture("."), Fixture(".."), Fixture("NOSUCH.DLL"),
                                    std::string("Z:\\no\\such\\folder\\A.ICO"), std::string()}) {
        EXPECT_EQ(app::IconCount(nullptr, path), 0) << path;
        EXPECT_EQ(app::ExtractIconAt(nullptr, path, 0), nullptr) << path;
    }
}

TEST(IconSource, ExtractsEachIconAt32x32InOrder) {
    const std::string forty = Fixture("FORTY.DLL");
    std::vector<std::vector<std::uint32_t>> seen;
    for (int i = 0; i < 40; ++i) {
        app::IconHolder icon(app::ExtractIconAt(nullptr, forty, i));
        ASSERT_NE(icon.Handle(), nullptr) << i;
        seen.push_back(Pixels32x32(icon.Handle()));
        ASSERT_FALSE(seen.back().empty()) << "icon " << i << " is not 32 x 32";
    }
    // Each group has its own pattern: the icons come in group order, not one group repeated.
    for (int i = 1; i < 40; ++i) EXPECT_NE(seen[i], seen[i - 1]) << i;
    // The same index gives the same icon again (index 0 and 39 re-read).
    app::IconHolder again(app::ExtractIconAt(nullptr, forty, 39));
    EXPECT_EQ(Pixels32x32(again.Handle()), seen[39]);

    EXPECT_EQ(app::ExtractIconAt(nullptr, forty, 40), nullptr);
    EXPECT_EQ(app::ExtractIconAt(nullptr, forty, -1), nullptr);
    app::IconHolder sizes(app::ExtractIconAt(nullptr, Fixture("SIZES.ICO"), 0));
    EXPECT_FALSE(Pixels32x32(sizes.Handle()).empty());
    EXPECT_EQ(app::ExtractIconAt(nullptr, Fixture("SIZES.ICO"), 1), nullptr);
}

TEST(IconSource, MalformedCorpusCountsNoneAndIsNeverExtracted) {
    int files = 0;
    wintest::ForEachEntry(Fixture("corpus"), false, [&](const std::string& path, bool isFolder) {
        if (isFolder) return;
        ++files;
        EXPECT_EQ(app::IconCount(nullptr, path), 0) << path;
        for (int index : {0, 1, -1}) EXPECT_EQ(app::ExtractIconAt(nullptr, path, index), nullptr) << path;
    });
    EXPECT_GE(files, 25);
}

TEST(IconSource, ReadsAFileOthersHaveOpenForWriting) {
    const std::string path = Fixture("TWO.DLL");
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(app::IconCount(nullptr, path), 2);
    CloseHandle(writer);
    // No handle of ours stays open: the file can be opened without sharing afterwards.
    HANDLE exclusive = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    if (exclusive != INVALID_HANDLE_VALUE) CloseHandle(exclusive);
}

// A file the search checked is not trusted after it changed: a view finds the new content
// checked afresh (here a file that would crash the shell's extraction).
TEST(IconFile, ChecksAFileAgainWhenItChangedAfterTheSearch) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "pictavo-changed-" + std::to_string(GetCurrentProcessId()) + ".dll";
    ASSERT_TRUE(CopyFileA(Fixture("FORTY.DLL").c_str(), path.c_str(), FALSE));
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA(path.c_str(), &entry);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_EQ(app::IconCount(nullptr, path, entry), 40);
    EXPECT_EQ(app::IconFile(nullptr, path).Count(), 40);

    ASSERT_TRUE(CopyFileA(Fixture("corpus\\pe-resource-outside.dll").c_str(), path.c_str(), FALSE));
    const app::IconFile changed(nullptr, path);
    EXPECT_EQ(changed.Count(), 0);
    EXPECT_EQ(changed.Extract(0), nullptr);
    DeleteFileA(path.c_str());
}
