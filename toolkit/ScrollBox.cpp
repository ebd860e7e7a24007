#include "toolkit/ScrollBox.h"

#include <algorithm>

#include "toolkit/Form.h"

namespace toolkit {

void ScrollBox::Create(Window& parent, const Rect& bounds, int step, int margin) {
    step_ = step;
    margin_ = margin;
    CreateOwnControl(parent, "TPictavoScrollBox",
                     WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_BORDER | WS_TABSTOP | WS_CLIPCHILDREN, 0, bounds,
                     static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    UpdateRange();
}

void ScrollBox::SetContent(Control& content, int left, int top) {
    content_ = &content;
    contentLeft_ = left;
    contentTop_ = top;
    if (GetWindowLongA(content.Handle(), GWL_STYLE) & WS_TABSTOP) {
        // The dialog keys go through the box to the child, which holds the focus.
        SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~WS_TABSTOP);
        SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    }
    UpdateRange();
}

void ScrollBox::ShowContentRange(int left, int right) {
    const int offset = Scale(contentLeft_);
    int position = std::max(position_, offset + right - ClientWidth());
    position = std::min(position, left);  // the child's own margin stays in sight
    ScrollTo(position);
}

int ScrollBox::ClientWidth() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.right;
}

int ScrollBox::ContentExtent() const {
    return content_ ? Scale(contentLeft_) + content_->Width() + Scale(margin_) : 0;
}

// Range, page and position go to the scroll bar in one call: each call redraws the bar.
void ScrollBox::UpdateRange() {
    position_ = std::clamp(position_, 0, std::max(ContentExtent() - ClientWidth(), 0));
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
    info.nMin = 0;
    info.nMax = std::max(ContentExtent() - 1, 0);
    info.nPage = static_cast<UINT>(ClientWidth());
    info.nPos = position_;
    SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
    PlaceContent();
}

void ScrollBox::ScrollTo(int position) {
    const int clamped = std::clamp(position, 0, std::max(ContentExtent() - ClientWidth(), 0));
    if (clamped == position_) return;
    position_ = clamped;
    SCROLLINFO info{sizeof info, SIF_POS};
    info.nPos = position_;
    SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
    PlaceContent();
}

void ScrollBox::PlaceContent() {
    if (content_)
        SetWindowPos(content_->Handle(), nullptr, Scale(contentLeft_) - position_, Scale(contentTop_), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScrollBox::OnHorizontalScroll(int request) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(Handle(), SB_HORZ, &info);
    switch (request) {
    case SB_LINELEFT: ScrollTo(position_ - Scale(step_)); break;
    case SB_LINERIGHT: ScrollTo(position_ + Scale(step_)); break;
    case SB_PAGELEFT: ScrollTo(position_ - static_cast<int>(info.nPage)); break;
    case SB_PAGERIGHT: ScrollTo(position_ + static_cast<int>(info.nPage)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
    case SB_LEFT: ScrollTo(0); break;
    case SB_RIGHT: ScrollTo(ContentExtent()); break;
    default: break;
    }
}

// The content keeps its size (its owner sizes it); the range follows the new sizes.
void ScrollBox::ApplyDpi(int previousDpi) {
    const Rect content = content_ ? content_->Bounds() : Rect{};
    Control::ApplyDpi(previousDpi);
    if (content_) content_->SetBounds(content);
    position_ = MulDiv(position_, OwnerForm() ? OwnerForm()->Dpi() : previousDpi, previousDpi);
    UpdateRange();
}

LRESULT ScrollBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL && lParam == 0) {
        OnHorizontalScroll(LOWORD(wParam));
        return 0;
    }
    if (message == WM_SIZE) UpdateRange();
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace toolkit
