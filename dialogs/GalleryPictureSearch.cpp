#include "dialogs/GalleryPictureSearch.h"

#include <exception>
#include <unordered_map>
#include <utility>

#include "export/IconPictureFinder.h"

namespace gallery {

GalleryPictureSearch::GalleryPictureSearch(HWND window, UINT message, iconexport::ImagePixels picture,
                                           const std::vector<GalleryFile>& files)
    : window_(window), message_(message) {
    for (const GalleryFile& file : files) paths_.push_back(file.path);
    thread_ = std::thread([this, picture = std::move(picture)]() mutable { Run(std::move(picture)); });
}

GalleryPictureSearch::~GalleryPictureSearch() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

std::vector<OrderedIcon> GalleryPictureSearch::Result() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return result_;
}

std::string GalleryPictureSearch::Error() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

void GalleryPictureSearch::Run(iconexport::ImagePixels picture) {
    std::vector<OrderedIcon> order;
    std::string error;
    try {
        const auto found = iconexport::FindIconsByPicture(picture, paths_, [this](std::size_t done, std::size_t) {
            done_ = done;
            PostMessageA(window_, message_, 0, 0);
            return !stop_.load();
        });
        // The finder names each icon's file by the path it was given: the gallery's file number.
        std::unordered_map<std::string, int> fileOf;
        for (std::size_t i = 0; i < paths_.size(); ++i) fileOf.emplace(paths_[i], static_cast<int>(i));
        for (const iconexport::FoundIcon& icon : found) {
            const auto file = fileOf.find(icon.icon.path);
            if (file != fileOf.end()) order.push_back({file->second, icon.icon.index, icon.likeness, icon.same});
        }
    } catch (const std::exception& e) {
        error = e.what();
    }
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        result_ = std::move(order);
        error_ = std::move(error);
    }
    finished_ = true;
    if (!stop_) PostMessageA(window_, message_, 0, 0);
}

}  // namespace gallery
