#pragma once
// Finding the gallery's icons by a picture on a thread of its own, so that the window answers while
// every icon is read: the window hears of progress and of the end through a posted message.
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/GalleryModel.h"
#include "export/ImagePixels.h"

namespace gallery {

class GalleryPictureSearch {
public:
    // Ranks every icon of `files` (the gallery's) by its likeness to `picture`; posts `message` to
    // `window` after each file and once more at the end.
    GalleryPictureSearch(HWND window, UINT message, iconexport::ImagePixels picture, const std::vector<GalleryFile>& files);
    ~GalleryPictureSearch();  // stops after the file in hand
    GalleryPictureSearch(const GalleryPictureSearch&) = delete;
    GalleryPictureSearch& operator=(const GalleryPictureSearch&) = delete;

    std::size_t FilesDone() const { return done_.load(); }
    std::size_t FileCount() const { return paths_.size(); }
    bool Finished() const { return finished_.load(); }
    // Once finished: the icons, the most alike first, in the gallery's terms; or why it failed.
    std::vector<OrderedIcon> Result() const;
    std::string Error() const;

private:
    void Run(iconexport::ImagePixels picture);

    HWND window_;
    UINT message_;
    std::vector<std::string> paths_;
    std::atomic<bool> stop_{false}, finished_{false};
    std::atomic<std::size_t> done_{0};
    mutable std::mutex mutex_;
    std::vector<OrderedIcon> result_;
    std::string error_;
    std::thread thread_;
};

}  // namespace gallery
