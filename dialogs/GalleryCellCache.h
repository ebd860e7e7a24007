#pragma once
// The gallery's drawn cells, kept up to a number of bytes: the cell used longest ago goes first.
// Platform-free.
#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

#include "export/ImagePixels.h"

namespace gallery {

// A cell's picture: its pixels already laid over the window's ground, four bytes each (blue,
// green, red, unused), rows from the top; empty for an icon without a readable image.
struct DrawnCell {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgrx;
    int largestSize = 0;  // the icon's largest stored image (its tip and the size filter)

    std::size_t Bytes() const { return bgrx.size() + sizeof(DrawnCell); }
};

// The pixels (alpha not multiplied in) laid over a ground of blue, green and red.
DrawnCell OverGround(const iconexport::ImagePixels& pixels, std::uint8_t blue, std::uint8_t green, std::uint8_t red);

class GalleryCellCache {
public:
    explicit GalleryCellCache(std::size_t budgetBytes) : budget_(budgetBytes) {}

    // The cell of icon `number`, marked as just used; nullptr when it is not kept.
    const DrawnCell* Find(int number);
    // Keeps the cell, dropping the least recently used ones beyond the budget (never the new one).
    void Put(int number, DrawnCell cell);
    void Clear();
    std::size_t Bytes() const { return bytes_; }
    std::size_t Count() const { return cells_.size(); }

private:
    using Entry = std::pair<int, DrawnCell>;
    std::list<Entry> cells_;  // the most recently used first
    std::unordered_map<int, std::list<Entry>::iterator> where_;
    std::size_t budget_;
    std::size_t bytes_ = 0;
};

}  // namespace gallery
