#include "dialogs/GalleryModel.h"

#include <algorithm>

namespace gallery {

GalleryIcons::GalleryIcons(std::vector<GalleryFile> files, const toolkit::LeadByteTable& codePage)
    : files_(std::move(files)), codePage_(codePage) {
    firstOf_.reserve(files_.size() + 1);
    for (const GalleryFile& file : files_) {
        firstOf_.push_back(total_);
        total_ += std::max(file.count, 0);
    }
    firstOf_.push_back(total_);
    largest_.assign(static_cast<std::size_t>(total_), kSizeUnknown);
    nameMatches_.assign(files_.size(), true);
    Refresh();
}

int GalleryIcons::NumberOf(int file, int icon) const {
    if (file < 0 || static_cast<std::size_t>(file) >= files_.size() || icon < 0 || icon >= files_[static_cast<std::size_t>(file)].count)
        return -1;
    return firstOf_[static_cast<std::size_t>(file)] + icon;
}

int GalleryIcons::FileOf(int number) const {
    // The last file starting at or before number (files without icons start where the next does).
    const auto after = std::upper_bound(firstOf_.begin(), firstOf_.end() - 1, number);
    return static_cast<int>(after - firstOf_.begin()) - 1;
}

bool NameContains(std::string_view name, std::string_view needle, const toolkit::LeadByteTable& codePage) {
    if (needle.empty()) return true;
    const icons::DoubleByteUpperCase upper(codePage);
    std::string name_, needle_;
    upper.Apply(name, name_);
    upper.Apply(needle, needle_);
    // A match starts on a character, never on a double-byte character's second byte.
    for (std::size_t at = 0; at + needle_.size() <= name_.size(); ++at) {
        if (name_.compare(at, needle_.size(), needle_) == 0) return true;
        if (codePage.IsLead(static_cast<unsigned char>(name_[at]))) ++at;
    }
    return false;
}

void GalleryIcons::SetFilter(std::string_view nameContains, int minimumSize) {
    for (std::size_t file = 0; file < files_.size(); ++file)
        nameMatches_[file] = NameContains(files_[file].shownName, nameContains, codePage_);
    minimumSize_ = minimumSize;
    Refresh();
}

void GalleryIcons::ShowInOrder(const std::vector<OrderedIcon>& order) {
    order_.clear();
    orderNumbers_.clear();
    for (const OrderedIcon& entry : order) {
        const int number = NumberOf(entry.file, entry.icon);
        if (number < 0) continue;
        order_.push_back(entry);
        orderNumbers_.push_back(number);
    }
    givenOrder_ = true;
    Refresh();
}

void GalleryIcons::ShowListOrder() {
    givenOrder_ = false;
    order_.clear();
    orderNumbers_.clear();
    Refresh();
}

bool GalleryIcons::Passes(int number) const {
    if (!nameMatches_[static_cast<std::size_t>(FileOf(number))]) return false;
    return minimumSize_ <= 0 || LargestSize(number) >= minimumSize_;
}

void GalleryIcons::Refresh() {
    shown_.clear();
    shownOrder_.clear();
    positionOf_.assign(static_cast<std::size_t>(total_), -1);
    const auto show = [this](int number) {
        if (!Passes(number) || positionOf_[static_cast<std::size_t>(number)] >= 0) return false;
        positionOf_[static_cast<std::size_t>(number)] = static_cast<int>(shown_.size());
        shown_.push_back(number);
        return true;
    };
    if (givenOrder_) {
        for (std::size_t i = 0; i < orderNumbers_.size(); ++i)
            if (show(orderNumbers_[i])) shownOrder_.push_back(static_cast<int>(i));
    } else {
        for (int number = 0; number < total_; ++number) show(number);
    }
}

const OrderedIcon* GalleryIcons::OrderedAt(int position) const {
    if (!givenOrder_ || position < 0 || static_cast<std::size_t>(position) >= shownOrder_.size()) return nullptr;
    return &order_[static_cast<std::size_t>(shownOrder_[static_cast<std::size_t>(position)])];
}

int GalleryIcons::PositionOf(int number) const {
    return number >= 0 && number < total_ ? positionOf_[static_cast<std::size_t>(number)] : -1;
}

std::string GroupedNumber(int value) {
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
    return value < 0 ? "-" + digits : digits;
}

GalleryLayout::GalleryLayout(const GalleryIcons& icons, int width, int cellWidth, int cellHeight, int headerHeight)
    : columns_(std::max(width / std::max(cellWidth, 1), 1)),
      cellWidth_(std::max(cellWidth, 1)),
      cellHeight_(std::max(cellHeight, 1)),
      headerHeight_(headerHeight) {
    const std::vector<int>& shown = icons.Shown();
    rowOfPosition_.resize(shown.size());
    const auto addCells = [this](int first, int end) {
        for (int at = first; at < end; at += columns_) {
            const int count = std::min(columns_, end - at);
            for (int i = 0; i < count; ++i) rowOfPosition_[static_cast<std::size_t>(at + i)] = static_cast<int>(rows_.size());
            rows_.push_back({false, 0, at, count, height_});
            height_ += cellHeight_;
        }
    };
    if (icons.InGivenOrder()) {
        addCells(0, static_cast<int>(shown.size()));
        return;
    }
    for (std::size_t at = 0; at < shown.size();) {
        const int file = icons.FileOf(shown[at]);
        std::size_t end = at;
        while (end < shown.size() && icons.FileOf(shown[end]) == file) ++end;
        rows_.push_back({true, file, static_cast<int>(at), 0, height_});
        height_ += headerHeight_;
        addCells(static_cast<int>(at), static_cast<int>(end));
        at = end;
    }
}

int GalleryLayout::RowAt(int y) const {
    const auto after = std::upper_bound(rows_.begin(), rows_.end(), y, [](int value, const GalleryRow& row) { return value < row.top; });
    return std::max(static_cast<int>(after - rows_.begin()) - 1, 0);
}

int GalleryLayout::PositionAt(int x, int y) const {
    if (rows_.empty() || x < 0 || y < 0 || y >= height_) return -1;
    const GalleryRow& row = rows_[static_cast<std::size_t>(RowAt(y))];
    const int column = x / cellWidth_;
    if (row.header || column >= row.count) return -1;
    return row.first + column;
}

int GalleryLayout::RowOfPosition(int position) const { return rowOfPosition_[static_cast<std::size_t>(position)]; }

void GalleryLayout::CellOrigin(int position, int& x, int& y) const {
    const GalleryRow& row = rows_[static_cast<std::size_t>(RowOfPosition(position))];
    x = (position - row.first) * cellWidth_;
    y = row.top;
}

int GalleryLayout::Step(int position, int rows) const {
    if (position < 0 || static_cast<std::size_t>(position) >= rowOfPosition_.size()) return position;
    int row = RowOfPosition(position);
    const int column = position - rows_[static_cast<std::size_t>(row)].first;
    const int direction = rows > 0 ? 1 : -1;
    for (int left = rows > 0 ? rows : -rows; left > 0;) {
        int next = row + direction;
        while (next >= 0 && static_cast<std::size_t>(next) < rows_.size() && rows_[static_cast<std::size_t>(next)].header) next += direction;
        if (next < 0 || static_cast<std::size_t>(next) >= rows_.size()) break;
        row = next;
        --left;
    }
    const GalleryRow& target = rows_[static_cast<std::size_t>(row)];
    return target.first + std::min(column, target.count - 1);
}

int GalleryLayout::PositionAbove(int position) const { return Step(position, -1); }
int GalleryLayout::PositionBelow(int position) const { return Step(position, 1); }

void GallerySelection::Reset(int iconCount) {
    selected_.assign(static_cast<std::size_t>(std::max(iconCount, 0)), false);
    focused_ = anchor_ = -1;
}

void GallerySelection::SelectRange(const GalleryIcons& icons, int from, int to) {
    if (from > to) std::swap(from, to);
    for (int position = std::max(from, 0); position <= to && position < icons.ShownCount(); ++position)
        selected_[static_cast<std::size_t>(icons.Shown()[static_cast<std::size_t>(position)])] = true;
}

void GallerySelection::Click(const GalleryIcons& icons, int position, bool control, bool shift) {
    if (position < 0 || position >= icons.ShownCount()) return;
    const int number = icons.Shown()[static_cast<std::size_t>(position)];
    const int anchorPosition = icons.PositionOf(anchor_);
    if (shift && anchorPosition >= 0) {
        if (!control) std::fill(selected_.begin(), selected_.end(), false);
        SelectRange(icons, anchorPosition, position);
    } else if (control) {
        selected_[static_cast<std::size_t>(number)] = !selected_[static_cast<std::size_t>(number)];
        anchor_ = number;
    } else {
        std::fill(selected_.begin(), selected_.end(), false);
        selected_[static_cast<std::size_t>(number)] = true;
        anchor_ = number;
    }
    focused_ = number;
}

void GallerySelection::MoveTo(const GalleryIcons& icons, int position, bool control, bool shift) {
    if (position < 0 || position >= icons.ShownCount()) return;
    if (control && !shift) {
        focused_ = icons.Shown()[static_cast<std::size_t>(position)];
        return;
    }
    Click(icons, position, false, shift);
}

void GallerySelection::SelectAll(const GalleryIcons& icons) {
    SelectRange(icons, 0, icons.ShownCount() - 1);
    if (focused_ < 0 && icons.ShownCount() > 0) focused_ = anchor_ = icons.Shown().front();
}

std::vector<int> GallerySelection::SelectedShown(const GalleryIcons& icons) const {
    std::vector<int> numbers;
    for (int number : icons.Shown())
        if (selected_[static_cast<std::size_t>(number)]) numbers.push_back(number);
    return numbers;
}

}  // namespace gallery
