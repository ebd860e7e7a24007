#include "icons/IconCatalogue.h"
#include "toolkit/ProgramTexts.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace icons {

int CompareNames(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    const int bytes = common ? std::memcmp(a.data(), b.data(), common) : 0;  // memcmp is unsigned
    if (bytes != 0) return bytes;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

void IconCatalogue::Reset() {
    count_ = 0;
    sortKey_ = 0;
    sortDir_ = 0;
}

void IconCatalogue::Append(std::string_view name, std::int32_t icons) {
    if (capacity_ <= count_) {
        auto grown = std::make_unique<IconFileEntry[]>(capacity_ + kGrowth);
        std::copy(block_.get(), block_.get() + capacity_, grown.get());
        block_ = std::move(grown);
        capacity_ += kGrowth;
    }
    IconFileEntry& entry = block_[count_++];
    entry.length = static_cast<std::uint16_t>(std::min(name.size(), IconFileEntry::kNameCapacity));
    std::memcpy(entry.name, name.data(), entry.length);
    entry.icons = icons;
}

void IconCatalogue::Release() {
    if (capacity_ == 0) return;
    block_.reset();
    capacity_ = 0;
    count_ = 0;
}

void IconCatalogue::Exchange(int i, int j) { std::swap(block_[i], block_[j]); }

void IconCatalogue::SortByName(const FileNameUpperCase& upperCase) {
    if (count_ > 1 && sortKey_ != kByName) {
        std::string scratch, pivot;
        SortNames(0, count_ - 1, upperCase, scratch, pivot);
    }
    sortKey_ = kByName;
    sortDir_ = 0;
}

void IconCatalogue::SortByCount() {
    if (count_ > 1 && sortKey_ != kByCount) SortCounts(0, count_ - 1);
    sortKey_ = kByCount;
    sortDir_ = 0;
}

// Hoare's scheme with the middle record as pivot, exchanging whole records; indices from 0
// (the middle of positions L..R counted from 1 is the same record).
void IconCatalogue::SortNames(int left, int right, const FileNameUpperCase& upperCase,
                              std::string& scratch, std::string& pivot) {
    int i = left, j = right;
    upperCase.Apply(block_[(left + right) / 2].Name(), pivot);
    const auto upperAt = [&](int k) -> const std::string& {
        upperCase.Apply(block_[k].Name(), scratch);
        return scratch;
    };
    do {
        while (CompareNames(upperAt(i), pivot) < 0) ++i;
        while (CompareNames(upperAt(j), pivot) > 0) --j;
        if (i <= j) {
            Exchange(i, j);
            ++i;
            --j;
        }
    } while (i <= j);
    if (left < j) SortNames(left, j, upperCase, scratch, pivot);
    if (i < right) SortNames(i, right, upperCase, scratch, pivot);
}

void IconCatalogue::SortCounts(int left, int right) {
    int i = left, j = right;
    const std::int32_t pivot = block_[(left + right) / 2].icons;
    do {
        while (block_[i].icons < pivot) ++i;
        while (block_[j].icons > pivot) --j;
        if (i <= j) {
            Exchange(i, j);
            ++i;
            --j;
        }
    } while (i <= j);
    if (left < j) SortCounts(left, j);
    if (i < right) SortCounts(i, right);
}

const IconFileEntry& IconCatalogue::ShownEntry(int row) const {
    return block_[sortDir_ == kDescending ? count_ - 1 - row : row];
}

IconCatalogue::HeaderClick IconCatalogue::ClickHeader(int column, const FileNameUpperCase& upperCase,
                                                      toolkit::TextId countColumn) {
    HeaderClick click;
    if (count_ < 2) return click;
    click.changed = true;
    const bool byName = column == 0;
    if (byName && sortKey_ != kByName) SortByName(upperCase);
    if (!byName && sortKey_ != kByCount) SortByCount();
    click.reverse = sortDir_ == kAscending;
    const char* mark = click.reverse ? " -" : " +";
    click.nameCaption = std::string(toolkit::Text(toolkit::TextId::MainNameColumn)) + (byName ? mark : "");
    click.countCaption = std::string(toolkit::Text(countColumn)) + (byName ? "" : mark);
    return click;
}

}  // namespace icons
