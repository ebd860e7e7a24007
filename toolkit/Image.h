#pragma once
// A picture box: shows an owned bitmap at its top-left corner, reports double clicks with the
// pointer's position. As a tab stop it takes the focus on a click, hands its keys to OnKeyDown and
// marks a part of the picture with the focus frame while it has the focus.
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
    void SetTabStop(bool tabStop);
    bool Focused() const { return GetFocus() == Handle(); }
    // The part the focus frame marks while the image has the focus; an empty one marks nothing.
    void SetFocusFrame(const RECT& frame);

    std::function<void(int x, int y)> OnDblClick;
    // A right click (or the menu key): the pointer in the image's and in screen coordinates.
    std::function<void(int x, int y, int screenX, int screenY)> OnContextMenu;
    // Shift+F10 or the menu key while the image has the focus (no pointer position).
    std::function<void()> OnKeyboardMenu;
    std::function<void(int x, int y)> OnMouseDown;
    std::function<void(int x, int y)> OnMouseMove;
    // A key pressed while the image has the focus (Enter and the arrows included); true when taken.
    std::function<bool(WPARAM key)> OnKeyDown;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void InvalidateFocusFrame();
    Bitmap picture_;
    HICON icon_ = nullptr;
    RECT focusFrame_{};
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
