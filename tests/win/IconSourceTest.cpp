#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "icons/IconHolder.h"
#include "icons/IconSource.h"
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
    EXPECT_EQ(icons::IconCount(nullptr, Fixture("ONE.DLL")), 1);
    EXPECT_EQ(icons::IconCount(nullptr, Fixture("TWO.DLL")), 2);
    EXPECT_EQ(icons::IconCount(nullptr, Fixture("TWELVE.DLL")), 12);
    EXPECT_EQ(icons::IconCount(nullptr, Fixture("FORTY.DLL")), 40);
    EXPECT_EQ(icons::IconCount(nullptr, Fixture("SIZES.ICO")), 1);
    EXPECT_EQ(icons::IconCount(nullptr, Fixture("NOTE.TXT")), 0);
    EXPECT_EQ(icons::IconCount(nullptr, Fixture("EMPTY.DAT")), 0);
}

TEST(IconSource, FoldersAndMissingFilesHoldNoIcons) {
    for (const std::string& path : {Fixture("corpus"), Fixture("."), Fixture(".."), Fixture("NOSUCH.DLL"),
                                    std::string("Z:\\no\\such\\folder\\A.ICO"), std::string()}) {
        EXPECT_EQ(icons::IconCount(nullptr, path), 0) << path;
        EXPECT_EQ(icons::ExtractIconAt(nullptr, path, 0), nullptr) << path;
    }
}

TEST(IconSource, ExtractsEachIconAt32x32InOrder) {
    const std::string forty = Fixture("FORTY.DLL");
    std::vector<std::vector<std::uint32_t>> seen;
    for (int i = 0; i < 40; ++i) {
        icons::IconHolder icon(icons::ExtractIconAt(nullptr, forty, i));
        ASSERT_NE(icon.Handle(), nullptr) << i;
        seen.push_back(Pixels32x32(icon.Handle()));
        ASSERT_FALSE(seen.back().empty()) << "icon " << i << " is not 32 x 32";
    }
    // Each group has its own pattern: the icons come in group order, not one group repeated.
    for (int i = 1; i < 40; ++i) EXPECT_NE(seen[i], seen[i - 1]) << i;
    // The same index gives the same icon again (index 0 and 39 re-read).
    icons::IconHolder again(icons::ExtractIconAt(nullptr, forty, 39));
    EXPECT_EQ(Pixels32x32(again.Handle()), seen[39]);

    EXPECT_EQ(icons::ExtractIconAt(nullptr, forty, 40), nullptr);
    EXPECT_EQ(icons::ExtractIconAt(nullptr, forty, -1), nullptr);
    icons::IconHolder sizes(icons::ExtractIconAt(nullptr, Fixture("SIZES.ICO"), 0));
    EXPECT_FALSE(Pixels32x32(sizes.Handle()).empty());
    EXPECT_EQ(icons::ExtractIconAt(nullptr, Fixture("SIZES.ICO"), 1), nullptr);
}

// Damaged files count as the shell counts them; only their good icons are taken from the shell,
// the others give no icon (an empty strip cell).
TEST(IconSource, DamagedFilesGiveTheirGoodIconsOnly) {
    const struct { const char* name; int count; std::vector<int> good; } corpus[] = {
        {"ico-65535-images.ico", 0, {}},       {"ico-directory-truncated.ico", 0, {}},
        {"ico-no-images.ico", 0, {}},          {"ico-bitmap-bit-count.ico", 1, {}},
        {"ico-bitmap-header-size.ico", 1, {}}, {"ico-bitmap-too-wide.ico", 1, {}},
        {"ico-offset-past-end.ico", 1, {}},    {"ico-png-bad-size.ico", 1, {}},
        {"ico-png-zero-width.ico", 1, {}},     {"ico-size-past-end.ico", 1, {}},
        {"ico-truncated.ico", 1, {}},          {"mz-header-past-end.exe", 0, {}},
        {"ne-bad-shift.exe", 2, {}},           {"ne-group-missing-icon.exe", 3, {0, 1}},
        {"ne-no-icon-type.exe", 0, {}},        {"ne-resource-past-end.exe", 2, {1}},  // icon 1 of group 1 is past the end
        {"ne-truncated.exe", 2, {}},           {"ne-type-count-overflow.exe", 0, {}},
        {"pe-bad-image-header.dll", 1, {}},    {"pe-data-rva-outside.dll", 3, {1, 2}},  // icon 1 of group 1
        {"pe-data-size-outside.dll", 3, {1, 2}}, {"pe-group-count-overflow.dll", 0, {}},
        {"pe-group-entries-overflow.dll", 1, {}}, {"pe-group-missing-icon.dll", 2, {0}},
        {"pe-headers-only.dll", 0, {}},        {"pe-mixed-groups.dll", 4, {0, 3}},
        {"pe-no-icon-type.dll", 1, {}},        {"pe-resource-outside.dll", 0, {}},
        {"pe-resource-unmapped.dll", 0, {}},   {"pe-truncated.dll", 3, {}},
        {"pe-types-out-of-order.dll", 0, {}},
    };
    int listed = 0;
    wintest::ForEachEntry(Fixture("corpus"), false, [&](const std::string&, bool isFolder) { listed += !isFolder; });
    EXPECT_EQ(listed, static_cast<int>(std::size(corpus))) << "every corpus file has its expectation here";
    for (const auto& file : corpus) {
        SCOPED_TRACE(file.name);
        const icons::IconFile icons(nullptr, Fixture("corpus\\") + file.name);
        EXPECT_EQ(icons.Count(), file.count);
        for (int i = -1; i <= file.count; ++i) {
            icons::IconHolder icon(icons.Extract(i));
            const bool good = std::find(file.good.begin(), file.good.end(), i) != file.good.end();
            EXPECT_EQ(icon.Handle() != nullptr, good) << "icon " << i;
            if (good) {
                EXPECT_FALSE(Pixels32x32(icon.Handle()).empty()) << "icon " << i;
            }
        }
    }
}

TEST(IconSource, ReadsAFileOthersHaveOpenForWriting) {
    const std::string path = Fixture("TWO.DLL");
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(icons::IconCount(nullptr, path), 2);
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
    EXPECT_EQ(icons::IconCount(nullptr, path, entry, icons::VolumeSerialOf(temp)), 40);
    EXPECT_EQ(icons::IconFile(nullptr, path).Count(), 40);

    ASSERT_TRUE(CopyFileA(Fixture("corpus\\pe-resource-outside.dll").c_str(), path.c_str(), FALSE));
    const icons::IconFile changed(nullptr, path);
    EXPECT_EQ(changed.Count(), 0);
    EXPECT_EQ(changed.Extract(0), nullptr);
    DeleteFileA(path.c_str());
}

namespace {

std::vector<char> FileBytes(const std::string& path) {
    std::vector<char> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) bytes.clear();
    CloseHandle(file);
    return bytes;
}

// Writes bytes as path with the given last write time.
bool WriteFileAt(const std::string& path, const std::vector<char>& bytes, const FILETIME& written) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                    done == bytes.size() && SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    return ok;
}

}  // namespace

// The search's reading is trusted while the file is the same one, unchanged in size and write time
// (here rewritten in place behind its back: still trusted). Another file moved into its place with
// the same size and write time is another file all the same: its icons are read afresh.
TEST(IconFile, ChecksAFileAgainWhenAnotherOfEqualSizeAndTimeTookItsPlace) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "pictavo-swapped-" + std::to_string(GetCurrentProcessId()) + ".dll";
    const std::string other = path + ".new";
    const std::vector<char> forty = FileBytes(Fixture("FORTY.DLL"));
    std::vector<char> one = FileBytes(Fixture("ONE.DLL"));
    ASSERT_LT(one.size(), forty.size());
    one.resize(forty.size());  // bytes after the sections are no part of the image
    const FILETIME written{0x12345678u, 0x01D00000u};
    ASSERT_TRUE(WriteFileAt(path, forty, written));
    ASSERT_TRUE(WriteFileAt(other, one, written));

    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA(path.c_str(), &entry);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_EQ(icons::IconCount(nullptr, path, entry, icons::VolumeSerialOf(temp)), 40);
    HANDLE same = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(same, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    WriteFile(same, one.data(), static_cast<DWORD>(one.size()), &done, nullptr);
    SetFileTime(same, nullptr, nullptr, &written);
    CloseHandle(same);
    EXPECT_EQ(icons::IconFile(nullptr, path).Count(), 40) << "the same file, unchanged as far as can be seen";

    ASSERT_TRUE(MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    WIN32_FILE_ATTRIBUTE_DATA now{};
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &now));
    ASSERT_EQ(CompareFileTime(&now.ftLastWriteTime, &written), 0);
    ASSERT_EQ(now.nFileSizeLow, forty.size());

    const icons::IconFile swapped(nullptr, path);
    EXPECT_EQ(swapped.Count(), 1);
    icons::IconHolder second(swapped.Extract(1));
    EXPECT_EQ(second.Handle(), nullptr);
    DeleteFileA(path.c_str());
}

// A file lying directly in the Windows folder or a system folder has the icons of its .mun in
// <Windows folder>\SystemResources, when that holds any; anywhere else it is read as itself. The
// .mun is looked for afresh each time, so one that goes or comes is noticed.
TEST(IconSource, SystemFilesHaveTheIconsTheirMunHolds) {
    const std::string windows = wintest::WindowsFolder(), system = wintest::SystemFolder();
    wintest::SystemResourcesFolder resources;
    const std::string redirected = "PICTAVO-REDIRECTED.DLL", emptyMun = "PICTAVO-EMPTY-MUN.DLL";
    char temp[MAX_PATH] = {};
    const std::string elsewhere = std::string(temp, GetTempPathA(MAX_PATH, temp)) + redirected;
    const std::string wow64 = windows + "\\syswow64";
    CreateDirectoryA((system + "\\pictavo-sub").c_str(), nullptr);
    using wintest::PlacedCopy;
    PlacedCopy placed[] = {
        {Fixture("shapes\\NOICONS.DLL"), system + "\\" + redirected},
        {Fixture("shapes\\NOICONS.DLL"), windows + "\\" + redirected},
        {Fixture("shapes\\NOICONS.DLL"), system + "\\pictavo-sub\\" + redirected},
        {Fixture("shapes\\NOICONS.DLL"), wow64 + "\\" + redirected},
        {Fixture("shapes\\NOICONS.DLL"), elsewhere},
        {Fixture("TWELVE.DLL"), resources / (redirected + ".mun")},
        {Fixture("TWO.DLL"), system + "\\" + emptyMun},
        {Fixture("shapes\\NOICONS.DLL"), resources / (emptyMun + ".mun")},
    };
    for (const PlacedCopy& copy : placed) ASSERT_TRUE(copy.Placed());
    std::string upper = system + "\\" + redirected;
    CharUpperA(upper.data());
    char shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(upper.c_str(), shortName, MAX_PATH), 0u);
    const struct { std::string path; int count; } cases[] = {
        {system + "\\" + redirected, 12},
        {upper, 12},                                            // letter case aside
        {system + "\\.\\" + redirected, 12},                    // compared as folders, however spelled
        {"\\\\?\\" + system + "\\" + redirected, 12},
        {shortName, 12},
        {system + "\\" + redirected + ". ", 12},                  // the system drops the dot and the space
        {wow64 + "\\" + redirected, 12},
        {windows + "\\" + redirected, 12},
        {system + "\\pictavo-sub\\" + redirected, 0},           // not directly in the folder
        {elsewhere, 0},
        {resources / (redirected + ".mun"), 12},                // listed itself, like any executable
        {system + "\\" + emptyMun, 2},                          // a .mun without icons is not used
    };
    for (const auto& c : cases) {
        EXPECT_EQ(icons::IconCount(nullptr, c.path), c.count) << c.path;
        EXPECT_EQ(icons::IconFile(nullptr, c.path).Count(), c.count) << c.path;
    }
    // The strip's icons are the .mun's, in its order.
    icons::IconFile icons(nullptr, system + "\\" + redirected);
    for (int i : {0, 11}) {
        icons::IconHolder got(icons.Extract(i)), own(icons::ExtractIconAt(nullptr, Fixture("TWELVE.DLL"), i));
        EXPECT_FALSE(Pixels32x32(got.Handle()).empty()) << i;
        EXPECT_EQ(Pixels32x32(got.Handle()), Pixels32x32(own.Handle())) << i;
    }
    placed[5].Remove();
    EXPECT_EQ(icons::IconCount(nullptr, system + "\\" + redirected), 0) << "the .mun went away";
    PlacedCopy other(Fixture("TWO.DLL"), resources / (redirected + ".mun"));
    EXPECT_EQ(icons::IconCount(nullptr, system + "\\" + redirected), 2) << "another .mun came";
    for (PlacedCopy& copy : placed) copy.Remove();
    RemoveDirectoryA((system + "\\pictavo-sub").c_str());
}
