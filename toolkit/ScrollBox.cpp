#include "toolkit/ScrollBox.h"

#include <algorithm>

namespace toolkit {

void ScrollBox::Create(Window& parent, const Rect& bounds, int step, int margin) {
    step_ = step;
    margin_ = margin;
    CreateOwnClass("TPictavoScrollBox", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_BORDER | WS_TABSTOP |
                                            WS_CLIPCHILDREN,
                   0, parent.Handle(), bounds, "", static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    AttachToForm(parent);
    UpdateRange();
}

void ScrollBox::SetContent(Control& content, int left, int top) {
    content_ = &content;
    contentLeft_ = left;
    contentTop_ = top;
    UpdateRange();
}

int ScrollBox::ClientWidth() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.right;
}

int ScrollBox::ContentExtent() const {
    return content_ ? contentLeft_ + content_->Width() + margin_ : 0;
}

void ScrollBox::UpdateRange() {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL};
    info.nMin = 0;
    info.nMax = std::max(ContentExtent() - 1, 0);
    info.nPage = static_cast<UINT>(ClientWidth());
    SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
    ScrollTo(position_);
}

void ScrollBox::ScrollTo(int position) {
    const int limit = std::max(ContentExtent() - ClientWidth(), 0);
    position_ = std::clamp(position, 0, limit);
    SCROLLINFO info{sizeof info, SIF_POS};
    info.nPos = position_;
    SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
    if (content_)
        SetWindowPos(content_->Handle(), nullptr, contentLeft_ - position_, contentTop_, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScrollBox::OnHorizontalScroll(int request) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(Handle(), SB_HORZ, &info);
    switch (request) {
    case SB_LINELEFT: ScrollTo(position_ - step_); break;
    case SB_LINERIGHT: ScrollTo(position_ + step_); break;
    case SB_PAGELEFT: ScrollTo(position_ - static_cast<int>(info.nPage)); break;
    case SB_PAGERIGHT: ScrollTo(position_ + static_cast<int>(info.nPage)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
    case SB_LEFT: ScrollTo(0); break;
    case SB_RIGHT: ScrollTo(ContentExtent()); break;
    default: break;
    }
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
