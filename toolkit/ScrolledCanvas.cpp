#include "toolkit/ScrolledCanvas.h"

#include <windowsx.h>

#include <algorithm>

namespace toolkit {

namespace {
constexpr int kLineStep = 32;  // at 96 DPI
}  // namespace

void ScrolledCanvas::Create(Window& parent, const Rect& bounds) {
    CreateOwnControl(parent, "TPictavoScrolledCanvas", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL, WS_EX_CLIENTEDGE,
                     bounds, nullptr);
}

int ScrolledCanvas::ViewHeight() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client.bottom;
}

int ScrolledCanvas::ViewWidth() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client.right;
}

void ScrolledCanvas::SetContentHeight(int height) {
    contentHeight_ = std::max(height, 0);
    UpdateScrollBar();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void ScrolledCanvas::ScrollTo(int y) {
    const int limited = std::clamp(y, 0, std::max(contentHeight_ - ViewHeight(), 0));
    if (limited == scrollY_) return;
    // Only the uncovered strip is painted again; the rest of the view is moved by the system.
    ScrollWindowEx(Handle(), 0, scrollY_ - limited, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    scrollY_ = limited;
    UpdateScrollBar();
    if (OnViewChange) OnViewChange();
}

void ScrolledCanvas::ScrollIntoView(int top, int bottom) {
    if (top < scrollY_) ScrollTo(top);
    else if (bottom > scrollY_ + ViewHeight()) ScrollTo(bottom - ViewHeight());
}

void ScrolledCanvas::UpdateScrollBar() {
    scrollY_ = std::clamp(scrollY_, 0, std::max(contentHeight_ - ViewHeight(), 0));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = std::max(contentHeight_ - 1, 0);
    info.nPage = static_cast<UINT>(std::max(ViewHeight(), 0));
    info.nPos = scrollY_;
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void ScrolledCanvas::ScrollBy(int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, &info);
    switch (request) {
    case SB_LINEUP: ScrollTo(scrollY_ - Scale(kLineStep)); break;
    case SB_LINEDOWN: ScrollTo(scrollY_ + Scale(kLineStep)); break;
    case SB_PAGEUP: ScrollTo(scrollY_ - static_cast<int>(info.nPage)); break;
    case SB_PAGEDOWN: ScrollTo(scrollY_ + static_cast<int>(info.nPage)); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(contentHeight_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
    default: break;
    }
}

void ScrolledCanvas::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (OnPaint) OnPaint(dc, ps.rcPaint);
    else FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_WINDOW));
    EndPaint(Handle(), &ps);
}

void ScrolledCanvas::ContextMenu(LPARAM lParam) {
    if (!OnContextMenu) return;
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (screen.x == -1 && screen.y == -1) {
        OnContextMenu(-1, -1, -1, -1);
        return;
    }
    POINT client = screen;
    ScreenToClient(Handle(), &client);
    OnContextMenu(client.x, client.y + scrollY_, screen.x, screen.y);
}

LRESULT ScrolledCanvas::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
        UpdateScrollBar();
        InvalidateRect(Handle(), nullptr, FALSE);
        if (OnViewChange) OnViewChange();
        break;
    case WM_VSCROLL: ScrollBy(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: {
        wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam);
        const int notches = wheelRest_ / WHEEL_DELTA;
        wheelRest_ -= notches * WHEEL_DELTA;
        ScrollTo(scrollY_ - notches * 3 * Scale(kLineStep));
        return 0;
    }
    case WM_GETDLGCODE: return KeyboardSelectionCode(lParam);
    case WM_KEYDOWN:
        if (OnKeyDown && OnKeyDown(wParam)) return 0;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        ::SetFocus(Handle());
        if (OnMouseDown) OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) + scrollY_, wParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) + scrollY_);
        return 0;
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) + scrollY_);
        break;
    case WM_CONTEXTMENU: ContextMenu(lParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(Handle(), nullptr, FALSE); break;
    default: break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace toolkit
