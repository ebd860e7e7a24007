#pragma once
// A bordered box that scrolls its one child horizontally: arrow steps of `step` pixels, `margin`
// pixels of room after the child, the child following the thumb while it is dragged. Step, margin
// and the child's place are designed (at 96 DPI); the child's size is its owner's.
#include "toolkit/Control.h"

namespace toolkit {

class ScrollBox : public Control {
public:
    void Create(Window& parent, const Rect& bounds, int step, int margin);
    // The child to scroll, at `left` and `top` when the box is scrolled to the left end. A child
    // that is a tab stop itself takes the box's place in the tab order.
    void SetContent(Control& content, int left, int top);
    // Scrolls as little as needed to show the child's pixels left ... right - 1 (the left ones
    // when they do not all fit).
    void ShowContentRange(int left, int right);
    // The width of the part of the child the box shows at a time.
    int VisibleWidth() const { return ClientWidth(); }
    // Recomputes the scroll range after the child's size changed.
    void UpdateRange();
    void ScrollToLeft() { ScrollTo(0); }
    void ScrollTo(int position);
    int Position() const { return position_; }
    void ApplyDpi(int previousDpi) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnHorizontalScroll(int request);
    void PlaceContent();
    int ClientWidth() const;
    int ContentExtent() const;

    Control* content_ = nullptr;
    int contentLeft_ = 0, contentTop_ = 0;
    int step_ = 32, margin_ = 0, position_ = 0;
};

}  // namespace toolkit
