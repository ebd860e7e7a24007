#pragma once
// The gallery's reading, on a thread of its own so that the window answers while icons are read:
// the cells in view first (each the image the PNG export chooses for the size, over the window's
// ground), and meanwhile every icon's largest stored image, for the size filter and the count.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "dialogs/GalleryCellCache.h"
#include "dialogs/GalleryModel.h"

namespace gallery {

struct CellWish {
    int number = 0;  // the gallery's icon number
    int file = 0;
    int icon = 0;
};

struct ReadCell {
    int number = 0;
    DrawnCell cell;
};

class GalleryReader {
public:
    // Posts `message` to `window` when read cells or sizes wait (once until they are taken).
    GalleryReader(HWND window, UINT message, const std::vector<GalleryFile>& files);
    ~GalleryReader();  // ends the reading after the icon in hand
    GalleryReader(const GalleryReader&) = delete;
    GalleryReader& operator=(const GalleryReader&) = delete;

    // The cells wanted now, the first first, at `size` (the PNG export's choice) drawn `pixels`
    // square over `ground`: replaces the wishes before. Cells of an earlier size are not delivered.
    void Want(std::vector<CellWish> wishes, int size, int pixels, COLORREF ground);
    std::vector<ReadCell> TakeCells();
    // (number, largest stored image) learned since the last call.
    std::vector<std::pair<int, int>> TakeSizes();
    // Icons whose largest image is known, of all.
    int Known() const { return known_.load(); }
    int Total() const { return total_; }

private:
    struct Look {
        int size = 0, pixels = 0;
        COLORREF ground = 0;
        unsigned generation = 0;
    };
    class Files;
    void Run();
    bool NextWork(CellWish& wish, Look& look, bool& isWish);
    void Deliver(std::vector<ReadCell>* cell, int number, int largest, unsigned generation);

    const HWND window_;
    const UINT message_;
    const std::vector<GalleryFile> files_;
    const int total_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<CellWish> wishes_;
    Look look_;
    std::vector<ReadCell> cells_;
    std::vector<std::pair<int, int>> sizes_;
    int scanFile_ = 0, scanIcon_ = 0, scanNumber_ = 0;  // the next icon the scan reads
    std::atomic<int> known_{0};
    std::atomic<bool> posted_{false};
    static constexpr ULONGLONG kSizesEvery = 100;  // ms
    ULONGLONG lastPost_ = 0;  // the reading thread's own
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace gallery
