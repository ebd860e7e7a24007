#include "toolkit/Panel.h"

namespace toolkit {

void Panel::Create(Window& parent, const Rect& bounds) {
    CreateOwnControl(parent, "TPictavoPanel", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, bounds,
                     GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT r{};
        GetClientRect(Handle(), &r);
        PaintFrame(dc, r);
        EndPaint(Handle(), &ps);
        return 0;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

void Panel::PaintFrame(HDC dc, RECT r) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);  // lowered outside
    InflateRect(&r, -1, -1);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);  // raised inside
}

}  // namespace toolkit
