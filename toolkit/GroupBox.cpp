#include "toolkit/GroupBox.h"

#include "toolkit/Form.h"

namespace toolkit {

void GroupBox::Create(Window& parent, const Rect& bounds) {
    CreateOwnClass("TPictavoGroupBox", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                   parent.Handle(), bounds, "", GetSysColorBrush(COLOR_BTNFACE));
    AttachToForm(parent);
}

LRESULT GroupBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT r{};
        GetClientRect(Handle(), &r);
        // The frame starts half a text line down, where a caption would sit on it.
        const Font& font = OwnerForm() ? OwnerForm()->GetFont() : DefaultFormFont();
        r.top = MeasureText(font.Handle(), "0").cy / 2 - 1;
        DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
        EndPaint(Handle(), &ps);
        return 0;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace toolkit
