#include "toolkit/Image.h"

#include <windowsx.h>

namespace toolkit {

void Image::Create(Window& parent, const Rect& bounds) {
    CreateOwnControl(parent, "TPictavoImage", WS_CHILD | WS_VISIBLE, 0, bounds, nullptr);
}

void Image::SetSize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Image::SetTabStop(bool tabStop) {
    const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    SetWindowLongA(Handle(), GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

void Image::SetFocusFrame(const RECT& frame) {
    InvalidateFocusFrame();
    focusFrame_ = frame;
    InvalidateFocusFrame();
}

void Image::InvalidateFocusFrame() {
    if (!IsRectEmpty(&focusFrame_)) InvalidateRect(Handle(), &focusFrame_, TRUE);
}

void Image::ClearPicture() { SetPicture(Bitmap()); }

void Image::SetPicture(Bitmap picture) {
    picture_ = std::move(picture);
    InvalidateRect(Handle(), nullptr, TRUE);
}

Bitmap WhiteBitmap(int width, int height) {
    ScreenDC screen;
    Bitmap bitmap(GdiCall([&] { return CreateCompatibleBitmap(screen.Get(), width, height); }));
    if (!bitmap) RaiseLastGdiError();
    MemoryDC dc;
    SelectedObject selected(dc.Get(), bitmap.Get());
    PatBlt(dc.Get(), 0, 0, width, height, WHITENESS);
    return bitmap;
}

void Image::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT r{};
    GetClientRect(Handle(), &r);
    if (picture_) {
        MemoryDC source(dc);
        SelectedObject selected(source.Get(), picture_.Get());
        BITMAP info{};
        GetObject(picture_.Get(), sizeof info, &info);
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
    } else {
        // No picture: the image shows what it stands on, like the box around it.
        auto background = reinterpret_cast<HBRUSH>(GetClassLongPtrA(GetParent(Handle()), GCLP_HBRBACKGROUND));
        FillRect(dc, &r, background ? background : GetSysColorBrush(COLOR_BTNFACE));
        if (icon_) DrawIconEx(dc, 0, 0, icon_, r.right, r.bottom, 0, nullptr, DI_NORMAL);
    }
    if (Focused() && !IsRectEmpty(&focusFrame_)) DrawFocusRect(dc, &focusFrame_);
    EndPaint(Handle(), &ps);
}

LRESULT Image::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        if (picture_) return 1;
        break;
    case WM_LBUTTONDOWN:
        if (GetWindowLongA(Handle(), GWL_STYLE) & WS_TABSTOP) ::SetFocus(Handle());
        if (OnMouseDown) OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateFocusFrame();
        break;
    case WM_GETDLGCODE:
        if (!OnKeyDown) break;
        return KeyboardSelectionCode(lParam);
    case WM_KEYDOWN:
        if (OnKeyDown && OnKeyDown(wParam)) return 0;
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CONTEXTMENU:
        if (OnContextMenu) {
            POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (screen.x == -1 && screen.y == -1 && OnKeyboardMenu) {
                OnKeyboardMenu();
                return 0;
            }
            if (screen.x == -1 && screen.y == -1) GetCursorPos(&screen);
            POINT client = screen;
            ScreenToClient(Handle(), &client);
            OnContextMenu(client.x, client.y, screen.x, screen.y);
            return 0;
        }
        break;
    default:
        break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace toolkit
