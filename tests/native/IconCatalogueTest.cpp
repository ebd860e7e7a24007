#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "icons/IconCatalogue.h"

using icons::IconCatalogue;

namespace {
const icons::DoubleByteUpperCase upperCase(toolkit::LeadByteTable::ShiftJis());

std::vector<std::string> ShownNames(const IconCatalogue& catalogue) {
    std::vector<std::string> names;
    for (int row = 0; row < catalogue.Count(); ++row) names.emplace_back(catalogue.ShownEntry(row).Name());
    return names;
}

std::vector<int> ShownCounts(const IconCatalogue& catalogue) {
    std::vector<int> counts;
    for (int row = 0; row < catalogue.Count(); ++row) counts.push_back(catalogue.ShownEntry(row).icons);
    return counts;
}

IconCatalogue Filled(const std::vector<std::pair<std::string, int>>& entries) {
    IconCatalogue catalogue;
    for (const auto& [name, icons] : entries) catalogue.Append(name, icons);
    return catalogue;
}
}  // namespace

TEST(IconCatalogue, GrowsByThousandRecordsKeepingTheEntries) {
    IconCatalogue catalogue;
    EXPECT_EQ(catalogue.Capacity(), 0);
    for (int i = 0; i < 1000; ++i) catalogue.Append("F" + std::to_string(i) + ".DLL", i + 1);
    EXPECT_EQ(catalogue.Capacity(), 1000);
    catalogue.Append("LAST.DLL", 5);
    EXPECT_EQ(catalogue.Capacity(), 2000);
    EXPECT_EQ(catalogue.Count(), 1001);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(catalogue.At(i + 1).Name(), "F" + std::to_string(i) + ".DLL");
        ASSERT_EQ(catalogue.At(i + 1).icons, i + 1);
    }
    EXPECT_EQ(catalogue.At(1001).Name(), "LAST.DLL");
    // A reset keeps the block; the next search fills it again without growing.
    catalogue.Reset();
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_EQ(catalogue.Capacity(), 2000);
    catalogue.Release();
    EXPECT_EQ(catalogue.Capacity(), 0);
}

TEST(IconCatalogue, KeepsWholeLongNames) {
    IconCatalogue catalogue;
    const std::string longName = std::string(180, 'a') + "\x95\x5C" + ".DLL";  // a Shift-JIS char at byte 180
    catalogue.Append(longName, 3);
    EXPECT_EQ(catalogue.At(1).Name(), longName);
    const std::string fullLength(259, 'b');
    catalogue.Append(fullLength, 3);
    EXPECT_EQ(catalogue.At(2).Name(), fullLength);
}

TEST(IconCatalogue, NameSortIgnoresAsciiCaseAndKeepsDoubleByteCharacters) {
    // 0x83 0x61 ("ﾃ"-range katakana lead byte with a trail byte of 'a'): the trail byte stays
    // lower case, so the name sorts after one whose trail byte is 'A' only by that byte.
    auto catalogue = Filled({{"zeta.dll", 2}, {"Alpha.exe", 3}, {"beta.ICO", 1}, {"ALPHA.DLL", 4},
                             {"\x83\x61x", 2}, {"\x83\x41x", 2}, {"_x", 2}, {"alpha.ex", 2}});
    catalogue.SortByName(upperCase);
    catalogue.ShowNormal();
    EXPECT_EQ(ShownNames(catalogue),
              (std::vector<std::string>{"ALPHA.DLL", "alpha.ex", "Alpha.exe", "beta.ICO", "zeta.dll",
                                        "_x", "\x83\x41x", "\x83\x61x"}));
    EXPECT_EQ(catalogue.SortKey(), 'F');
    EXPECT_EQ(catalogue.SortDir(), '+');
}

TEST(IconCatalogue, SortsMatchAReferenceOrderOnRandomData) {
    std::mt19937 random(7);
    std::vector<std::pair<std::string, int>> entries;
    for (int i = 0; i < 3000; ++i) {
        std::string name;
        for (int k = 0, n = 1 + static_cast<int>(random() % 12); k < n; ++k)
            name += "abcXYZ019._-"[random() % 12];
        entries.emplace_back(name, 1 + static_cast<int>(random() % 50));
    }
    auto catalogue = Filled(entries);
    catalogue.SortByName(upperCase);
    catalogue.ShowNormal();
    std::vector<std::string> expected;
    for (auto& e : entries) {
        std::string u;
        upperCase.Apply(e.first, u);
        expected.push_back(u);
    }
    std::sort(expected.begin(), expected.end(),
              [](const std::string& a, const std::string& b) { return icons::CompareNames(a, b) < 0; });
    std::vector<std::string> shownUpper;
    for (auto& n : ShownNames(catalogue)) {
        std::string u;
        upperCase.Apply(n, u);
        shownUpper.push_back(u);
    }
    EXPECT_EQ(shownUpper, expected);

    catalogue.SortByCount();
    catalogue.ShowNormal();
    auto counts = ShownCounts(catalogue);
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
    // Whole records move: every name still carries its own count.
    std::multiset<std::pair<std::string, int>> before(entries.begin(), entries.end()), after;
    for (int p = 1; p <= catalogue.Count(); ++p)
        after.emplace(std::string(catalogue.At(p).Name()), catalogue.At(p).icons);
    EXPECT_EQ(before, after);
}

TEST(IconCatalogue, EqualCountsStayInTheOrderTheExchangesLeave) {
    // By hand: pivot 2; "a" and "d" are exchanged, then "b" and "c": the equal counts end reversed.
    auto catalogue = Filled({{"a", 3}, {"b", 2}, {"c", 2}, {"d", 1}});
    catalogue.SortByCount();
    catalogue.ShowNormal();
    EXPECT_EQ(ShownNames(catalogue), (std::vector<std::string>{"d", "c", "b", "a"}));
    // By hand: pivot b's 3, copied once: b and d are exchanged; then in a d c the pivot d's 1: a and c.
    // (A pivot read again after the first exchange would be d's 1, and end with d a c b.)
    auto pivotCopied = Filled({{"a", 2}, {"b", 3}, {"c", 1}, {"d", 1}});
    pivotCopied.SortByCount();
    pivotCopied.ShowNormal();
    EXPECT_EQ(ShownNames(pivotCopied), (std::vector<std::string>{"c", "d", "a", "b"}));
}

TEST(IconCatalogue, SortIsSkippedWhenAlreadyInThatOrder) {
    auto catalogue = Filled({{"b", 1}, {"a", 2}});
    catalogue.SortByName(upperCase);
    catalogue.SortByCount();
    EXPECT_EQ(catalogue.At(1).Name(), "b");
    catalogue.SortByCount();  // key is already 'N': nothing moves
    EXPECT_EQ(catalogue.At(1).Name(), "b");
    EXPECT_EQ(catalogue.SortKey(), 'N');
    EXPECT_EQ(catalogue.SortDir(), 0);
}

TEST(IconCatalogue, HeaderClicksToggleAndSwitchColumns) {
    auto catalogue = Filled({{"b", 5}, {"c", 1}, {"a", 9}});
    catalogue.SortByName(upperCase);
    catalogue.ShowNormal();  // as right after a search

    auto click = catalogue.ClickHeader(0, upperCase);  // same column: descending
    ASSERT_TRUE(click.changed);
    EXPECT_TRUE(click.reverse);
    EXPECT_EQ(click.nameCaption, "ﾌｧｲﾙ名 -");
    EXPECT_EQ(click.countCaption, "ｱｲｺﾝ数");
    catalogue.ShowReverse();
    EXPECT_EQ(ShownNames(catalogue), (std::vector<std::string>{"c", "b", "a"}));

    click = catalogue.ClickHeader(0, upperCase);  // and back
    EXPECT_FALSE(click.reverse);
    EXPECT_EQ(click.nameCaption, "ﾌｧｲﾙ名 +");
    catalogue.ShowNormal();

    click = catalogue.ClickHeader(1, upperCase);  // other column: re-sorted, ascending
    EXPECT_FALSE(click.reverse);
    EXPECT_EQ(click.nameCaption, "ﾌｧｲﾙ名");
    EXPECT_EQ(click.countCaption, "ｱｲｺﾝ数 +");
    catalogue.ShowNormal();
    EXPECT_EQ(ShownCounts(catalogue), (std::vector<int>{1, 5, 9}));

    click = catalogue.ClickHeader(1, upperCase);
    EXPECT_TRUE(click.reverse);
    EXPECT_EQ(click.countCaption, "ｱｲｺﾝ数 -");
    catalogue.ShowReverse();
    EXPECT_EQ(ShownCounts(catalogue), (std::vector<int>{9, 5, 1}));

    click = catalogue.ClickHeader(0, upperCase);  // back to names: ascending with "+"
    EXPECT_FALSE(click.reverse);
    EXPECT_EQ(click.nameCaption, "ﾌｧｲﾙ名 +");
    catalogue.ShowNormal();
    EXPECT_EQ(ShownNames(catalogue), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(IconCatalogue, FirstCountClickAfterASearchShowsAscending) {
    auto catalogue = Filled({{"b", 5}, {"a", 9}, {"c", 1}});
    catalogue.SortByName(upperCase);
    catalogue.ShowNormal();
    const auto click = catalogue.ClickHeader(1, upperCase);
    EXPECT_FALSE(click.reverse);
    EXPECT_EQ(click.countCaption, "ｱｲｺﾝ数 +");
}

TEST(IconCatalogue, HeaderClickWithFewerThanTwoEntriesChangesNothing) {
    auto catalogue = Filled({{"only", 2}});
    catalogue.SortByName(upperCase);
    catalogue.ShowNormal();
    EXPECT_FALSE(catalogue.ClickHeader(0, upperCase).changed);
    EXPECT_FALSE(catalogue.ClickHeader(1, upperCase).changed);
    EXPECT_EQ(catalogue.SortKey(), 'F');
    EXPECT_EQ(catalogue.SortDir(), '+');
}
