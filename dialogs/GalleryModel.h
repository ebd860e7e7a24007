#pragma once
// What the icon gallery shows, without a window: every icon of its files numbered in the list's
// order, what is known of each (its largest stored image), the filters, the order shown (the
// list's, or a given one with likeness marks), the rows the cells flow into and the selection.
// Platform-free.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "icons/FileNameCase.h"

namespace gallery {

struct GalleryFile {
    std::string path;       // full path, for reading
    std::string shownName;  // as the list shows it (a path from the search folder for a sub-folder search)
    int count = 0;          // icons
};

// One icon in a given order: file (index into the gallery's files), icon number, likeness 0..100,
// and whether its pixels are the same as the picture's.
struct OrderedIcon {
    int file = 0;
    int icon = 0;
    int likeness = 0;
    bool same = false;
};

// The largest stored image of an icon before it is read, and of one without a readable image.
constexpr int kSizeUnknown = 0;
constexpr int kNoReadableImage = -1;

class GalleryIcons {
public:
    // Names are compared in `codePage` (kept by reference).
    GalleryIcons(std::vector<GalleryFile> files, const toolkit::LeadByteTable& codePage);

    const std::vector<GalleryFile>& Files() const { return files_; }
    int IconCount() const { return total_; }
    // Icons are numbered 0..IconCount-1 through the files in the list's order.
    int NumberOf(int file, int icon) const;
    int FileOf(int number) const;
    int IconOf(int number) const { return number - firstOf_[static_cast<std::size_t>(FileOf(number))]; }

    void SetLargestSize(int number, int pixels) { largest_[static_cast<std::size_t>(number)] = pixels; }
    int LargestSize(int number) const { return largest_[static_cast<std::size_t>(number)]; }

    // The file name filter (contained, any case; empty: every file) and the smallest largest image
    // (0: any icon). An icon whose size is not known yet is left out while a size is asked for.
    void SetFilter(std::string_view nameContains, int minimumSize);
    // Shows `order` (entries outside the files are left out) instead of the list's order.
    void ShowInOrder(const std::vector<OrderedIcon>& order);
    void ShowListOrder();
    bool InGivenOrder() const { return givenOrder_; }
    // The given order's entry of a shown position (nullptr in the list's order).
    const OrderedIcon* OrderedAt(int position) const;

    // Recomputes what is shown (after new sizes, a filter or an order).
    void Refresh();
    const std::vector<int>& Shown() const { return shown_; }
    int ShownCount() const { return static_cast<int>(shown_.size()); }
    // Where number is shown, -1 when it is not.
    int PositionOf(int number) const;

private:
    bool Passes(int number) const;

    std::vector<GalleryFile> files_;
    std::vector<int> firstOf_;  // number of each file's first icon, and the total at the end
    int total_ = 0;
    std::vector<int> largest_;
    std::vector<bool> nameMatches_;  // per file
    int minimumSize_ = 0;
    bool givenOrder_ = false;
    std::vector<OrderedIcon> order_;
    std::vector<int> orderNumbers_;  // numbers of order_'s entries
    std::vector<int> shown_;         // numbers shown, in order
    std::vector<int> shownOrder_;    // per shown position, its order_ entry (given order only)
    std::vector<int> positionOf_;    // per number, its shown position or -1
    std::string nameUpper_;
    const toolkit::LeadByteTable& codePage_;
};

// Contained in, any case: the code page's double-byte characters kept whole.
bool NameContains(std::string_view name, std::string_view needle, const toolkit::LeadByteTable& codePage);

// A count with its thousands grouped: 20000 gives "20,000".
std::string GroupedNumber(int value);

// The rows the shown icons flow into: in the list's order each file's icons under a header row of
// their own; in a given order one run of cells. Lengths in pixels.
struct GalleryRow {
    bool header = false;
    int file = 0;       // header rows
    int first = 0;      // cell rows: the first shown position and how many
    int count = 0;
    int top = 0;
};

class GalleryLayout {
public:
    GalleryLayout() = default;
    GalleryLayout(const GalleryIcons& icons, int width, int cellWidth, int cellHeight, int headerHeight);

    int Columns() const { return columns_; }
    int Height() const { return height_; }
    const std::vector<GalleryRow>& Rows() const { return rows_; }
    // The first row reaching below y.
    int RowAt(int y) const;
    int RowHeight(const GalleryRow& row) const { return row.header ? headerHeight_ : cellHeight_; }
    // The shown position of the cell at (x, y), -1 where there is none.
    int PositionAt(int x, int y) const;
    // A cell's row and its top-left corner.
    int RowOfPosition(int position) const;
    void CellOrigin(int position, int& x, int& y) const;
    // The position one row up or down, in the same column or the row's last; itself at the ends.
    int PositionAbove(int position) const;
    int PositionBelow(int position) const;
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }

private:
    int Step(int position, int rows) const;

    std::vector<GalleryRow> rows_;
    std::vector<int> rowOfPosition_;
    int columns_ = 1, cellWidth_ = 1, cellHeight_ = 1, headerHeight_ = 0, height_ = 0;
};

// Explorer's selection over the shown positions, kept by icon number so that it outlives a filter.
class GallerySelection {
public:
    void Reset(int iconCount);
    bool IsSelected(int number) const { return number >= 0 && selected_[static_cast<std::size_t>(number)]; }
    int Focused() const { return focused_; }  // an icon number, -1 for none
    // A click, Ctrl+click (toggles), Shift+click (the range from the anchor), both (adds the range).
    void Click(const GalleryIcons& icons, int position, bool control, bool shift);
    // The focus moved by a key to `position`: with Shift the range from the anchor, with Control only
    // the focus, else the one icon.
    void MoveTo(const GalleryIcons& icons, int position, bool control, bool shift);
    void SelectAll(const GalleryIcons& icons);
    // The selected icons that are shown, in the shown order.
    std::vector<int> SelectedShown(const GalleryIcons& icons) const;

private:
    void SelectRange(const GalleryIcons& icons, int from, int to);

    std::vector<bool> selected_;
    int focused_ = -1;
    int anchor_ = -1;
};

}  // namespace gallery
