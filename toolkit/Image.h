#pragma once
// A picture box: shows an owned bitmap at its top-left corner, reports double clicks with the
// pointer's position.
#include <functional>

#include "toolkit/Control.h"
#include "toolkit/GdiObjects.h"

namespace toolkit {

class Image : public Control {
public:
    void Create(Window& parent, const Rect& bounds);
    void SetSize(int width, int height);
    // Removes the picture; the image keeps its size and shows blank.
    void ClearPicture();
    // Shows picture (none: blank); the image keeps its size.
    void SetPicture(Bitmap picture);
    HBITMAP Picture() const { return picture_.Get(); }
    // Shows an icon stretched to the whole box instead of a picture (the About box's program icon).
    void SetIcon(HICON icon) { icon_ = icon; InvalidateRect(Handle(), nullptr, TRUE); }

    std::function<void(int x, int y)> OnDblClick;
    // A right click (or the menu key): the pointer in the image's and in screen coordinates.
    std::function<void(int x, int y, int screenX, int screenY)> OnContextMenu;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    Bitmap picture_;
    HICON icon_ = nullptr;
};

// A new white bitmap compatible with the screen, ready to draw on; raises the graphics error when
// it cannot be made (too large for the system).
Bitmap WhiteBitmap(int width, int height);

// Draws on an image's picture for as long as it lives.
class ImageCanvas {
public:
    explicit ImageCanvas(const Image& image) : selected_(dc_.Get(), image.Picture()) {}
    HDC Get() const { return dc_.Get(); }

private:
    MemoryDC dc_;
    SelectedObject selected_;
};

}  // namespace toolkit
