#pragma once
// The 32 x 32 picture an icon is drawn into for a bitmap file: an image compatible with the
// screen, owned here and deleted with the picture.
#include <windows.h>

#include <utility>

#include "toolkit/GdiObjects.h"

namespace iconexport {

class Picture {
public:
    static constexpr int kSize = 32;

    explicit Picture(toolkit::Bitmap image) : image_(std::move(image)) {}

    HBITMAP Handle() const { return image_.Get(); }

    // Bits per pixel times colour planes: the display depth the picture was made with.
    int Depth() const {
        BITMAP info{};
        if (!toolkit::GdiCall([&] { return GetObjectA(image_.Get(), sizeof info, &info); })) toolkit::RaiseLastGdiError();
        return info.bmBitsPixel * info.bmPlanes;
    }

private:
    toolkit::Bitmap image_;
};

}  // namespace iconexport
