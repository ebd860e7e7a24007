#pragma once
// A tall drawing that scrolls up and down: the owner paints the part in view, learns of clicks,
// keys and the menu in the drawing's coordinates, and is told when the view moves.
#include <functional>

#include "toolkit/Control.h"

namespace toolkit {

class ScrolledCanvas : public Control {
public:
    void Create(Window& parent, const Rect& bounds);

    // The drawing's height in pixels; the view stays within it.
    void SetContentHeight(int height);
    int ContentHeight() const { return contentHeight_; }
    int ScrollY() const { return scrollY_; }
    void ScrollTo(int y);
    // Scrolls the least that brings top..bottom into view.
    void ScrollIntoView(int top, int bottom);
    int ViewHeight() const;
    int ViewWidth() const;

    // Paints the view: `dc` is the view's, the drawing's row y is at y - ScrollY().
    std::function<void(HDC dc, const RECT& dirty)> OnPaint;
    // The view moved or changed its size.
    std::function<void()> OnViewChange;
    // A button pressed, in the drawing's coordinates, with the keys held (MK_CONTROL, MK_SHIFT).
    std::function<void(int x, int y, WPARAM keys)> OnMouseDown;
    std::function<void(int x, int y)> OnDblClick;
    std::function<void(int x, int y)> OnMouseMove;
    // A right click (drawing and screen coordinates), or the menu key (no pointer: x = y = -1).
    std::function<void(int x, int y, int screenX, int screenY)> OnContextMenu;
    // A key while the canvas has the focus (Enter and the arrows included); true when taken.
    std::function<bool(WPARAM key)> OnKeyDown;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void UpdateScrollBar();
    void ScrollBy(int request);
    void ContextMenu(LPARAM lParam);

    int contentHeight_ = 0;
    int scrollY_ = 0;
    int wheelRest_ = 0;
};

}  // namespace toolkit
