// The icon gallery without its window: what it shows under filters and orders, the rows its cells
// flow into, Explorer's selection, and the budget of drawn cells.
#include <gtest/gtest.h>

#include "dialogs/GalleryCellCache.h"
#include "dialogs/GalleryModel.h"

using gallery::GalleryIcons;
using gallery::OrderedIcon;

namespace {

const toolkit::LeadByteTable& ShiftJis() { return toolkit::LeadByteTable::ShiftJis(); }

// Icons numbered 0-2 (SHELL32), 3-4 (sub\imageres), none (empty), 5-6 (a name in Shift-JIS whose
// second byte of "ア" is "A").
std::vector<gallery::GalleryFile> Files() {
    return {{"C:\\w\\SHELL32.DLL", "SHELL32.DLL", 3},
            {"C:\\w\\sub\\imageres.dll", "sub\\imageres.dll", 2},
            {"C:\\w\\empty.dll", "empty.dll", 0},
            {"C:\\w\\\x83\x41.dll", "\x83\x41.dll", 2}};
}

}  // namespace

TEST(GalleryIcons, FiltersByNameAndByTheLargestImage) {
    GalleryIcons icons(Files(), ShiftJis());
    ASSERT_EQ(icons.IconCount(), 7);
    EXPECT_EQ(icons.FileOf(3), 1);
    EXPECT_EQ(icons.FileOf(5), 3);  // past the file without icons
    EXPECT_EQ(icons.IconOf(6), 1);
    EXPECT_EQ(icons.NumberOf(2, 0), -1);
    // Largest images learned so far: 2 and 6 not yet known, 4 has none readable.
    const int sizes[] = {256, 32, 0, 48, -1, 128, 0};
    for (int number = 0; number < 7; ++number) icons.SetLargestSize(number, sizes[number]);
    const struct {
        const char* name;
        int minimum;
        std::vector<int> shown;
    } cases[] = {
        {"", 0, {0, 1, 2, 3, 4, 5, 6}},
        {"shell", 0, {0, 1, 2}},          // any case
        {"SUB\\IMAGE", 0, {3, 4}},        // the path as listed
        {"A", 0, {3, 4}},                 // not inside "ア"
        {"\x83\x41", 0, {5, 6}},
        {"dll", 48, {0, 3, 5}},           // unknown and unreadable sizes are left out
        {"", 256, {0}},
        {"nothing", 0, {}},
    };
    for (const auto& c : cases) {
        icons.SetFilter(c.name, c.minimum);
        EXPECT_EQ(icons.Shown(), c.shown) << c.name << " " << c.minimum;
    }
    icons.SetLargestSize(6, 64);
    icons.SetFilter("", 48);
    icons.Refresh();
    EXPECT_EQ(icons.Shown(), (std::vector<int>{0, 3, 5, 6}));
    EXPECT_EQ(icons.PositionOf(5), 2);
    EXPECT_EQ(icons.PositionOf(1), -1);
}

TEST(GalleryIcons, AGivenOrderKeepsItsEntriesOnceUnderTheFilters) {
    GalleryIcons icons(Files(), ShiftJis());
    icons.ShowInOrder({{3, 1, 97, true}, {0, 2, 80, false}, {9, 0, 70, false}, {1, 5, 60, false}, {3, 1, 50, false},
                       {1, 0, 40, false}});
    EXPECT_TRUE(icons.InGivenOrder());
    EXPECT_EQ(icons.Shown(), (std::vector<int>{6, 2, 3}));
    ASSERT_NE(icons.OrderedAt(0), nullptr);
    EXPECT_TRUE(icons.OrderedAt(0)->same);
    EXPECT_EQ(icons.OrderedAt(2)->likeness, 40);
    icons.SetFilter("dll", 0);
    EXPECT_EQ(icons.Shown(), (std::vector<int>{6, 2, 3}));
    icons.SetFilter("shell", 0);
    EXPECT_EQ(icons.Shown(), (std::vector<int>{2}));
    EXPECT_EQ(icons.OrderedAt(0)->likeness, 80);
    icons.ShowListOrder();
    EXPECT_EQ(icons.Shown(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(icons.OrderedAt(0), nullptr);
}

TEST(GalleryLayout, CellsFlowUnderTheirFilesHeadersAndTheKeysMoveByRows) {
    // 3 + 2 + 2 icons; cells 40 wide, 50 high; headers 20 high.
    GalleryIcons icons(Files(), ShiftJis());
    const struct {
        int width;
        int columns;
        std::vector<std::pair<bool, int>> rows;  // header?, cells
        int height;
    } cases[] = {
        {100, 2, {{true, 0}, {false, 2}, {false, 1}, {true, 0}, {false, 2}, {true, 0}, {false, 2}}, 3 * 20 + 4 * 50},
        {120, 3, {{true, 0}, {false, 3}, {true, 0}, {false, 2}, {true, 0}, {false, 2}}, 3 * 20 + 3 * 50},
        {10, 1, {{true, 0}, {false, 1}, {false, 1}, {false, 1}, {true, 0}, {false, 1}, {false, 1}, {true, 0}, {false, 1}, {false, 1}},
         3 * 20 + 7 * 50},
    };
    for (const auto& c : cases) {
        const gallery::GalleryLayout layout(icons, c.width, 40, 50, 20);
        EXPECT_EQ(layout.Columns(), c.columns) << c.width;
        std::vector<std::pair<bool, int>> rows;
        for (const auto& row : layout.Rows()) rows.emplace_back(row.header, row.count);
        EXPECT_EQ(rows, c.rows) << c.width;
        EXPECT_EQ(layout.Height(), c.height) << c.width;
    }
    const gallery::GalleryLayout layout(icons, 100, 40, 50, 20);
    // Rows: header 0-19, cells 20-69 (0, 1), 70-119 (2), header 120-139, 140-189 (3, 4), ...
    EXPECT_EQ(layout.PositionAt(45, 30), 1);
    EXPECT_EQ(layout.PositionAt(45, 80), -1);   // no second cell in that row
    EXPECT_EQ(layout.PositionAt(5, 125), -1);   // a header
    EXPECT_EQ(layout.PositionAt(5, 140), 3);
    EXPECT_EQ(layout.PositionAt(85, 30), -1);   // beyond the last column
    int x = 0, y = 0;
    layout.CellOrigin(4, x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(40, 140));
    EXPECT_EQ(layout.PositionBelow(1), 2);  // the shorter row's last cell
    EXPECT_EQ(layout.PositionBelow(2), 3);  // over the header
    EXPECT_EQ(layout.PositionAbove(4), 2);
    EXPECT_EQ(layout.PositionAbove(0), 0);
    EXPECT_EQ(layout.PositionBelow(6), 6);

    icons.ShowInOrder({{3, 0, 1, false}, {0, 0, 1, false}, {1, 1, 1, false}});
    const gallery::GalleryLayout ordered(icons, 100, 40, 50, 20);
    EXPECT_EQ(ordered.Rows().size(), 2u);  // one run of cells, no headers
    EXPECT_FALSE(ordered.Rows()[0].header);
    EXPECT_EQ(ordered.Height(), 100);
}

TEST(GallerySelection, ClicksAndKeysSelectAsExplorerDoes) {
    GalleryIcons icons(Files(), ShiftJis());
    enum Kind { Click, Move, All };
    struct Step {
        Kind kind;
        int position;
        bool control, shift;
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
        std::vector<int> selected;
        int focused;
    } cases[] = {
        {"click", {{Click, 2, false, false}}, {2}, 2},
        {"click another", {{Click, 2, false, false}, {Click, 4, false, false}}, {4}, 4},
        {"ctrl adds and toggles", {{Click, 1, false, false}, {Click, 3, true, false}, {Click, 1, true, false}}, {3}, 1},
        {"shift from the anchor", {{Click, 4, false, false}, {Click, 1, false, true}}, {1, 2, 3, 4}, 1},
        {"shift again replaces", {{Click, 4, false, false}, {Click, 1, false, true}, {Click, 5, false, true}}, {4, 5}, 5},
        {"ctrl+shift adds a range", {{Click, 0, false, false}, {Click, 5, true, false}, {Click, 6, true, true}}, {0, 5, 6}, 6},
        {"arrow selects one", {{Click, 0, false, false}, {Move, 1, false, false}}, {1}, 1},
        {"shift+arrows extend", {{Click, 2, false, false}, {Move, 3, false, true}, {Move, 4, false, true}}, {2, 3, 4}, 4},
        {"ctrl+arrow moves the focus only", {{Click, 2, false, false}, {Move, 5, true, false}}, {2}, 5},
        {"ctrl+a", {{Click, 3, false, false}, {All, 0, true, false}}, {0, 1, 2, 3, 4, 5, 6}, 3},
        {"outside the shown icons", {{Click, 7, false, false}, {Move, -1, false, false}}, {}, -1},
    };
    for (const auto& c : cases) {
        gallery::GallerySelection selection;
        selection.Reset(icons.IconCount());
        for (const Step& step : c.steps) {
            if (step.kind == Click) selection.Click(icons, step.position, step.control, step.shift);
            else if (step.kind == Move) selection.MoveTo(icons, step.position, step.control, step.shift);
            else selection.SelectAll(icons);
        }
        EXPECT_EQ(selection.SelectedShown(icons), c.selected) << c.what;
        EXPECT_EQ(selection.Focused(), c.focused) << c.what;
    }
    // A selection outlives a filter that hides part of it; what is hidden is not acted on.
    gallery::GallerySelection selection;
    selection.Reset(icons.IconCount());
    selection.SelectAll(icons);
    icons.SetFilter("imageres", 0);
    EXPECT_EQ(selection.SelectedShown(icons), (std::vector<int>{3, 4}));
    icons.SetFilter("", 0);
    EXPECT_EQ(selection.SelectedShown(icons).size(), 7u);
}

TEST(GalleryCellCache, KeepsTheRecentlyUsedCellsWithinItsBudget) {
    const auto cell = [](int side) {
        gallery::DrawnCell drawn;
        drawn.width = drawn.height = side;
        drawn.bgrx.assign(static_cast<std::size_t>(side * side * 4), 0);
        return drawn;
    };
    const std::size_t one = cell(16).Bytes();
    gallery::GalleryCellCache cache(3 * one);
    for (int number : {1, 2, 3}) cache.Put(number, cell(16));
    EXPECT_NE(cache.Find(1), nullptr);  // 1 is now the most recent: 2 goes first
    cache.Put(4, cell(16));
    EXPECT_EQ(cache.Find(2), nullptr);
    for (int number : {1, 3, 4}) EXPECT_NE(cache.Find(number), nullptr) << number;
    EXPECT_EQ(cache.Bytes(), 3 * one);
    cache.Put(3, cell(16));  // again: replaced, not counted twice
    EXPECT_EQ(cache.Count(), 3u);
    EXPECT_EQ(cache.Bytes(), 3 * one);
    cache.Put(5, cell(64));  // larger than the budget: kept alone
    EXPECT_EQ(cache.Count(), 1u);
    EXPECT_NE(cache.Find(5), nullptr);
    cache.Clear();
    EXPECT_EQ(cache.Bytes(), 0u);
}

TEST(GalleryCellCache, PixelsAreLaidOverTheGround) {
    iconexport::ImagePixels pixels;
    pixels.width = 3;
    pixels.height = 1;
    // opaque red, transparent red, half-covering blue
    pixels.bgra = {0, 0, 255, 255, 0, 0, 255, 0, 255, 0, 0, 128};
    const gallery::DrawnCell drawn = gallery::OverGround(pixels, 10, 200, 250);
    EXPECT_EQ(drawn.bgrx, (std::vector<std::uint8_t>{0, 0, 255, 0, 10, 200, 250, 0, 133, 100, 125, 0}));
}

TEST(GalleryCount, ThousandsAreGrouped) {
    const std::pair<int, const char*> cases[] = {{0, "0"}, {999, "999"}, {1000, "1,000"}, {20000, "20,000"}, {1234567, "1,234,567"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(gallery::GroupedNumber(value), text);
}
