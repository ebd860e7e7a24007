#pragma once
// The list of the search folder's files that carry icons: fixed-size records in one block that
// grows 1000 records at a time, the name and count sorts, and the sort state that the list's
// column headers toggle. Platform-free; the list view reads rows from it on demand.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "icons/FileNameCase.h"
#include "toolkit/ProgramTexts.h"

namespace icons {

struct IconFileEntry {
    // Room for a whole path below the search folder (MAX_PATH characters, each up to two bytes),
    // so every listed file can be opened again.
    static constexpr std::size_t kNameCapacity = 2 * 260;

    std::uint16_t length = 0;
    char name[kNameCapacity] = {};
    std::int32_t icons = 0;

    std::string_view Name() const { return {name, length}; }
};

class IconCatalogue {
public:
    static constexpr int kGrowth = 1000;
    static constexpr char kByName = 'F', kByCount = 'N';
    static constexpr char kAscending = '+', kDescending = '-';

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    // 'F', 'N' or 0 (order unknown); '+', '-' or 0 (not shown since the last sort).
    char SortKey() const { return sortKey_; }
    char SortDir() const { return sortDir_; }

    // Entry at `position`, counted from 1 as the list shows them.
    const IconFileEntry& At(int position) const { return block_[position - 1]; }

    // Count 0 and the order unknown; the block is kept.
    void Reset();
    // Adds a file; the block grows by 1000 records whenever it is full.
    void Append(std::string_view name, std::int32_t icons);
    // Frees the block (at the end of the run).
    void Release();

    void SortByName(const FileNameUpperCase& upperCase);
    void SortByCount();

    // The order the list shows the entries in; the row source follows it.
    void ShowNormal() { sortDir_ = kAscending; }
    void ShowReverse() { sortDir_ = kDescending; }
    // The entry the list shows in `row` (from 0) for the current display order.
    const IconFileEntry& ShownEntry(int row) const;

    // A click on a column header: re-sorts when needed and says how the list is to be shown.
    struct HeaderClick {
        bool changed = false;   // false: fewer than two entries, nothing happens
        bool reverse = false;   // show with DispReverse rather than DispNormal
        std::string nameCaption, countCaption;
    };
    // countColumn: the count column's text (icons or cursors).
    HeaderClick ClickHeader(int column, const FileNameUpperCase& upperCase,
                            toolkit::TextId countColumn = toolkit::TextId::MainCountColumn);

private:
    void SortNames(int left, int right, const FileNameUpperCase& upperCase, std::string& scratch,
                   std::string& pivot);
    void SortCounts(int left, int right);
    void Exchange(int i, int j);

    std::unique_ptr<IconFileEntry[]> block_;
    int count_ = 0;
    int capacity_ = 0;
    char sortKey_ = 0;
    char sortDir_ = 0;
};

// Compares two upper-cased names byte by byte as unsigned values; a shorter equal prefix is smaller.
int CompareNames(std::string_view a, std::string_view b);

}  // namespace icons
