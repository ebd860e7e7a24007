#include "dialogs/GalleryReader.h"

#include <map>
#include <memory>

#include "icons/IconSource.h"
#include "export/PngFileWriter.h"
#include "export/PngSizeChoice.h"
#include "export/ShellIconImage.h"
#include "export/StoredImageFacts.h"
#include "export/WicImaging.h"

namespace gallery {

namespace {

// The largest readable stored image of an icon, kNoReadableImage when it has none.
int LargestReadable(const std::vector<iconexport::StoredImageFacts>& facts) {
    const std::size_t best = iconexport::LargestDeepestImage(facts);
    return best < facts.size() && facts[best].readable ? iconexport::SizeOf(facts[best]) : kNoReadableImage;
}

DrawnCell DrawCell(const iconexport::WicImaging& imaging, const icons::StoredIcon& images,
                   const std::vector<iconexport::StoredImageFacts>& facts, int size, int pixels, COLORREF ground) {
    const std::vector<iconexport::PngChoice> choices = iconexport::ChoosePngImages(facts, size);
    if (choices.empty()) return {};
    iconexport::ImagePixels chosen = iconexport::ChosenPixels(imaging, images, choices.front());
    if (chosen.width != pixels || chosen.height != pixels) chosen = imaging.ScalePixels(chosen, pixels, pixels);
    return OverGround(chosen, GetBValue(ground), GetGValue(ground), GetRValue(ground));
}

}  // namespace

// The files the reading has open: the scan's and the view's, a few at a time.
class GalleryReader::Files {
public:
    Files(HWND owner, const std::vector<GalleryFile>& files) : owner_(owner), files_(files) {}

    icons::IconFile& Of(int file) {
        auto found = open_.find(file);
        if (found == open_.end()) {
            if (open_.size() >= kKept) open_.erase(open_.begin());
            found = open_.emplace(file, std::make_unique<icons::IconFile>(owner_, files_[static_cast<std::size_t>(file)].path)).first;
        }
        return *found->second;
    }

private:
    static constexpr std::size_t kKept = 4;
    HWND owner_;
    const std::vector<GalleryFile>& files_;
    std::map<int, std::unique_ptr<icons::IconFile>> open_;
};

GalleryReader::GalleryReader(HWND window, UINT message, const std::vector<GalleryFile>& files)
    : window_(window), message_(message), files_(files), total_([&] {
          int total = 0;
          for (const GalleryFile& file : files) total += std::max(file.count, 0);
          return total;
      }()) {
    thread_ = std::thread([this] { Run(); });
}

GalleryReader::~GalleryReader() {
    {
        const std::lock_guard<std::mutex> held(lock_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void GalleryReader::Want(std::vector<CellWish> wishes, int size, int pixels, COLORREF ground) {
    {
        const std::lock_guard<std::mutex> held(lock_);
        if (size != look_.size || pixels != look_.pixels || ground != look_.ground) {
            look_ = {size, pixels, ground, look_.generation + 1};
            cells_.clear();
        }
        wishes_.assign(wishes.begin(), wishes.end());
    }
    wake_.notify_one();
}

std::vector<ReadCell> GalleryReader::TakeCells() {
    const std::lock_guard<std::mutex> held(lock_);
    posted_ = false;
    return std::move(cells_);
}

std::vector<std::pair<int, int>> GalleryReader::TakeSizes() {
    const std::lock_guard<std::mutex> held(lock_);
    posted_ = false;
    return std::move(sizes_);
}

// Wishes go first; between them the scan reads the icons in the list's order.
bool GalleryReader::NextWork(CellWish& wish, Look& look, bool& isWish) {
    std::unique_lock<std::mutex> held(lock_);
    wake_.wait(held, [this] { return stop_ || !wishes_.empty() || scanNumber_ < total_; });
    if (stop_) return false;
    look = look_;
    isWish = !wishes_.empty();
    if (isWish) {
        wish = wishes_.front();
        wishes_.pop_front();
        return true;
    }
    while (scanIcon_ >= files_[static_cast<std::size_t>(scanFile_)].count) {
        ++scanFile_;
        scanIcon_ = 0;
    }
    wish = {scanNumber_++, scanFile_, scanIcon_++};
    return true;
}

// A read cell is announced at once; the scan's sizes every so often and at its end, since a window
// whose queue never empties is never painted.
void GalleryReader::Deliver(std::vector<ReadCell>* cell, int number, int largest, unsigned generation) {
    {
        const std::lock_guard<std::mutex> held(lock_);
        if (largest != kSizeUnknown) sizes_.emplace_back(number, largest);
        if (cell && generation == look_.generation) cells_.insert(cells_.end(), std::make_move_iterator(cell->begin()), std::make_move_iterator(cell->end()));
    }
    const ULONGLONG now = GetTickCount64();
    if (!cell && now - lastPost_ < kSizesEvery && known_.load() < total_) return;
    if (!posted_.exchange(true)) {
        lastPost_ = now;
        PostMessageA(window_, message_, 0, 0);
    }
}

void GalleryReader::Run() {
    std::unique_ptr<iconexport::WicImaging> imaging;
    try {
        imaging = std::make_unique<iconexport::WicImaging>();
    } catch (...) {
        // without the imaging component only bitmap images are read: PNG images stay blank
    }
    Files open(window_, files_);
    std::vector<bool> known(static_cast<std::size_t>(total_), false);
    CellWish wish;
    Look look;
    bool isWish = false;
    while (NextWork(wish, look, isWish)) {
        const bool firstTime = !known[static_cast<std::size_t>(wish.number)];
        if (!isWish && !firstTime) continue;
        int largest = kNoReadableImage;
        std::vector<ReadCell> cell;
        try {
            icons::IconFile& file = open.Of(wish.file);
            const icons::StoredIcon stored = file.Stored(wish.icon);
            largest = LargestReadable(iconexport::FactsOf(stored));
            if (isWish) {
                const icons::StoredIcon images = iconexport::ImagesOrShellIcon(stored, [&] { return file.Extract(wish.icon); });
                cell.push_back({wish.number, {}});
                if (imaging) cell.back().cell = DrawCell(*imaging, images, iconexport::FactsOf(images), look.size, look.pixels, look.ground);
            }
        } catch (...) {
            // an icon that cannot be read is a blank cell; the reading goes on
            if (isWish && cell.empty()) cell.push_back({wish.number, {}});
        }
        if (!cell.empty()) cell.back().cell.largestSize = largest;
        if (firstTime) {
            known[static_cast<std::size_t>(wish.number)] = true;
            ++known_;
        }
        Deliver(isWish ? &cell : nullptr, wish.number, firstTime ? largest : kSizeUnknown, look.generation);
    }
}

}  // namespace gallery
