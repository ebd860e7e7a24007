#include <gtest/gtest.h>

#include <vector>

#include "toolkit/PathShortener.h"

using toolkit::LeadByteTable;

namespace {

// Records every candidate measured and answers "too wide" until `fitsAt` has been seen.
struct Measurer {
    std::vector<std::string> candidates;
    std::string fitsAt;
    int operator()(const std::string& s) {
        candidates.push_back(s);
        return s == fitsAt ? 0 : 1000;
    }
};

std::vector<std::string> Candidates(const std::string& path, const LeadByteTable& codePage = LeadByteTable::ShiftJis()) {
    Measurer m;  // nothing fits: every candidate down to the name alone is tried
    auto width = [&](const std::string& s) { return m(s); };
    const std::string result = toolkit::ShortenPath(path, width, 10, codePage);
    m.candidates.push_back("=" + result);
    return m.candidates;
}

}  // namespace

TEST(PathShortener, DrivePathsLoseLeadingFoldersThenTheDrive) {
    EXPECT_EQ(Candidates("C:\\A\\B\\C\\D"),
              (std::vector<std::string>{"C:\\A\\B\\C\\D", "C:\\...\\B\\C\\D", "C:\\...\\C\\D", "C:\\...\\D",
                                        "...\\D", "=D"}));
}

TEST(PathShortener, UncPathsKeepTheirLeadingBackslash) {
    EXPECT_EQ(Candidates("\\\\S\\H\\F\\X"),
              (std::vector<std::string>{"\\\\S\\H\\F\\X", "\\...\\S\\H\\F\\X", "\\...\\H\\F\\X", "\\...\\F\\X",
                                        "\\...\\X", "...\\X", "=X"}));
}

TEST(PathShortener, ADriveRootShrinksToNothing) {
    EXPECT_EQ(Candidates("C:\\"), (std::vector<std::string>{"C:\\", "C:", "="}));
}

TEST(PathShortener, AShortDotFolderIsTakenForTheMarker) {
    EXPECT_EQ(Candidates("C:\\.ab\\x\\y"),
              (std::vector<std::string>{"C:\\.ab\\x\\y", "C:\\...\\y", "...\\y", "=y"}));
    EXPECT_EQ(Candidates("C:\\.cache\\x\\y"),
              (std::vector<std::string>{"C:\\.cache\\x\\y", "C:\\...\\x\\y", "C:\\...\\y", "...\\y", "=y"}));
}

TEST(PathShortener, AFolderWithATrailByte5CStaysWhole) {
    const std::string hyou = "\x95\x5C";  // "表": its second byte looks like "\"
    EXPECT_EQ(Candidates("C:\\" + hyou + "A\\B\\N"),
              (std::vector<std::string>{"C:\\" + hyou + "A\\B\\N", "C:\\...\\B\\N", "C:\\...\\N", "...\\N", "=N"}));
    // Read as a single-byte code page the same bytes hold one more folder.
    EXPECT_EQ(Candidates("C:\\" + hyou + "A\\N", LeadByteTable()),
              (std::vector<std::string>{"C:\\" + hyou + "A\\N", "C:\\...\\A\\N", "C:\\...\\N", "...\\N", "=N"}));
}

TEST(PathShortener, StopsAtTheFirstCandidateThatFitsAndNeverCutsTheName) {
    Measurer m;
    m.fitsAt = "C:\\...\\C\\D";
    auto width = [&](const std::string& s) { return m(s); };
    EXPECT_EQ(toolkit::ShortenPath("C:\\A\\B\\C\\D", width, 10, LeadByteTable::ShiftJis()), "C:\\...\\C\\D");
    EXPECT_EQ(m.candidates.size(), 3u);

    const auto length = [](const std::string& s) { return static_cast<int>(s.size()); };
    EXPECT_EQ(toolkit::ShortenPath("C:\\A\\B", length, 100, LeadByteTable::ShiftJis()), "C:\\A\\B");
    const std::string longName(80, 'n');
    EXPECT_EQ(toolkit::ShortenPath("C:\\A\\" + longName, length, 10, LeadByteTable::ShiftJis()), longName);
}
