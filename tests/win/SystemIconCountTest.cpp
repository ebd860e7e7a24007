// Our count against the shell's own count for every file of the Windows folder and every fixture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "icons/IconSource.h"
#include "tests/win/WinTestFiles.h"

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Files of the Windows folder whose count the shell reports but our reading rejects, by path below
// the Windows folder (lower case), with the reason.
const std::map<std::string, const char*>& KnownRejections() {
    static const std::map<std::string, const char*> known = {};
    return known;
}

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceFrequency(&frequency_); }
    template <class F>
    auto Time(F&& f) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        auto result = f();
        QueryPerformanceCounter(&end);
        ticks_ += end.QuadPart - start.QuadPart;
        return result;
    }
    double Microseconds() const { return 1e6 * static_cast<double>(ticks_) / static_cast<double>(frequency_.QuadPart); }

private:
    LARGE_INTEGER frequency_{};
    long long ticks_ = 0;
};

}  // namespace

std::string WindowsFolder() {
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows, length);
}

TEST(IconCountAgainstShell, EveryFileOfTheWindowsFolder) {
    const std::string root = WindowsFolder();
    ASSERT_FALSE(root.empty());
    int entries = 0, withIcons = 0;
    std::map<std::string, bool> seenKnown;
    wintest::ForEachEntry(root, true, [&](const std::string& path, bool) {
        ++entries;
        const int count = icons::IconCount(nullptr, path);
        const int expected = wintest::PlatformCount(path);
        withIcons += expected > 0;
        const std::string relative = Lower(path.substr(root.size() + 1));
        const auto known = KnownRejections().find(relative);
        if (known == KnownRejections().end()) {
            EXPECT_EQ(count, expected) << path;
            return;
        }
        seenKnown[relative] = true;
        EXPECT_EQ(count, 0) << path << " (" << known->second << ")";
        EXPECT_GT(expected, 0) << path << " no longer differs";
    });
    EXPECT_EQ(seenKnown.size(), KnownRejections().size()) << "a listed file is gone";
    // Wine's own programs and libraries: few carry icons, shell32.dll the most.
    EXPECT_GT(withIcons, 10);
    EXPECT_EQ(icons::IconCount(nullptr, root + "\\system32\\shell32.dll"), 184);
    std::printf("%d entries, %d with icons\n", entries, withIcons);
}

// Not a timed test: it reports the cost per folder entry of both ways of counting.
TEST(IconCountAgainstShell, ReportsTheCostPerEntry) {
    const std::string folder = WindowsFolder() + "\\system32";
    std::vector<std::string> paths;
    wintest::ForEachEntry(folder, false, [&](const std::string& path, bool) { paths.push_back(path); });
    ASSERT_FALSE(paths.empty());
    Stopwatch ours, shell;
    long long oursTotal = 0, shellTotal = 0;
    for (const std::string& path : paths) shellTotal += shell.Time([&] { return wintest::PlatformCount(path); });
    for (const std::string& path : paths) oursTotal += ours.Time([&] { return icons::IconCount(nullptr, path); });
    EXPECT_EQ(oursTotal, shellTotal);
    const double n = static_cast<double>(paths.size());
    std::printf("%zu entries of %s: IconCount %.1f us, ExtractIconA(-1) %.1f us per entry\n", paths.size(),
                folder.c_str(), ours.Microseconds() / n, shell.Microseconds() / n);
}

// Damaged fixtures that the shell counts without crashing although a directory of theirs runs
// past the end of the file: the shell reads whatever lies beyond it (here the zero fill of the
// file's last page), a bigger file or another layout would crash it. We count such files 0.
const std::map<std::string, const char*>& DirectoryPastTheEnd() {
    static const std::map<std::string, const char*> files = {
        {"ico-directory-truncated.ico", "the icon directory claims more entries than the file holds"},
        {"pe-group-count-overflow.dll", "the group-icon directory claims 65535 entries past the file's end"},
    };
    return files;
}

// Every fixture, damaged ones included, against the shell asked in a child process: a count may
// differ only where the shell crashed on the file, or read a directory past the file's end.
TEST(IconCountAgainstShell, EveryFixtureAgreesWithTheShellUnlessTheShellCrashes) {
    int files = 0, crashes = 0, pastTheEnd = 0;
    for (const char* folder : {"", "\\shapes", "\\corpus"}) {
        wintest::ForEachEntry(wintest::FixtureDir() + folder, false, [&](const std::string& path, bool isFolder) {
            if (isFolder) return;
            ++files;
            const int ours = icons::IconCount(nullptr, path);
            const wintest::ShellVerdict shell = wintest::ChildShellCount(path);
            ASSERT_TRUE(shell.ran) << path;
            crashes += shell.crashed;
            if (shell.crashed) {
                EXPECT_EQ(ours, 0) << path;
            } else if (const auto known = DirectoryPastTheEnd().find(path.substr(path.rfind('\\') + 1));
                       known != DirectoryPastTheEnd().end()) {
                ++pastTheEnd;
                EXPECT_EQ(ours, 0) << path << " (" << known->second << ")";
                EXPECT_GT(shell.count, 0) << path << " no longer differs";
            } else {
                EXPECT_EQ(ours, shell.count) << path;
            }
        });
    }
    EXPECT_GE(files, 40);
    EXPECT_GE(crashes, 3);
    EXPECT_EQ(pastTheEnd, static_cast<int>(DirectoryPastTheEnd().size()));
    std::printf("%d files, the shell crashed on %d\n", files, crashes);
}
