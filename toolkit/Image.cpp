#include "toolkit/Image.h"

#include <windowsx.h>

namespace toolkit {

void Image::Create(Window& parent, const Rect& bounds) {
    CreateOwnClass("TPictavoImage", WS_CHILD | WS_VISIBLE, 0, parent.Handle(), bounds, "", nullptr);
    AttachToForm(parent);
}

void Image::SetSize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Image::ClearPicture() {
    picture_.Reset();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Image::NewWhitePicture() {
    RECT r{};
    GetClientRect(Handle(), &r);
    ScreenDC screen;
    Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), r.right > 0 ? r.right : 1, r.bottom > 0 ? r.bottom : 1));
    if (!bitmap) RaiseLastGdiError();
    {
        MemoryDC dc;
        SelectedObject selected(dc.Get(), bitmap.Get());
        PatBlt(dc.Get(), 0, 0, r.right, r.bottom, WHITENESS);
    }
    picture_ = std::move(bitmap);
    InvalidateRect(Handle(), nullptr, FALSE);
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
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    default:
        break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace toolkit
