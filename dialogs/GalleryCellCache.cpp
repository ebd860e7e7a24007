#include "dialogs/GalleryCellCache.h"

namespace gallery {

DrawnCell OverGround(const iconexport::ImagePixels& pixels, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    DrawnCell cell;
    cell.width = pixels.width;
    cell.height = pixels.height;
    cell.bgrx.resize(pixels.bgra.size());
    const std::uint8_t ground[3] = {blue, green, red};
    for (std::size_t at = 0; at + 3 < pixels.bgra.size(); at += 4) {
        const unsigned alpha = pixels.bgra[at + 3];
        for (std::size_t c = 0; c < 3; ++c)
            cell.bgrx[at + c] = static_cast<std::uint8_t>((pixels.bgra[at + c] * alpha + ground[c] * (255 - alpha) + 127) / 255);
    }
    return cell;
}

const DrawnCell* GalleryCellCache::Find(int number) {
    const auto found = where_.find(number);
    if (found == where_.end()) return nullptr;
    cells_.splice(cells_.begin(), cells_, found->second);
    return &found->second->second;
}

void GalleryCellCache::Put(int number, DrawnCell cell) {
    const auto found = where_.find(number);
    if (found != where_.end()) {
        bytes_ -= found->second->second.Bytes();
        cells_.erase(found->second);
        where_.erase(found);
    }
    bytes_ += cell.Bytes();
    cells_.emplace_front(number, std::move(cell));
    where_[number] = cells_.begin();
    while (bytes_ > budget_ && cells_.size() > 1) {
        bytes_ -= cells_.back().second.Bytes();
        where_.erase(cells_.back().first);
        cells_.pop_back();
    }
}

void GalleryCellCache::Clear() {
    cells_.clear();
    where_.clear();
    bytes_ = 0;
}

}  // namespace gallery
