#include "export/IconBitmapRenderer.h"

#include <utility>

#include "toolkit/GdiObjects.h"

namespace iconexport {

namespace {

void DrawOnWhite(HDC dc, HICON icon) {
    if (!toolkit::GdiCall([dc] { return PatBlt(dc, 0, 0, Picture::kSize, Picture::kSize, WHITENESS); }))
        toolkit::RaiseLastGdiError();
    if (!icon) return;
    // These colours only matter on a monochrome display, where they stand for white and black.
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    // Width and height 0: the icon's own size; the picture's edges cut a larger icon.
    DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

}  // namespace

Picture RenderIconBitmap(HICON icon) {
    const toolkit::ScreenDC screen;
    toolkit::Bitmap image(
        toolkit::GdiCall([&] { return CreateCompatibleBitmap(screen.Get(), Picture::kSize, Picture::kSize); }));
    if (!image) toolkit::RaiseLastGdiError();
    {
        const toolkit::MemoryDC dc(screen.Get());
        const toolkit::SelectedObject held(dc.Get(), image.Get());
        DrawOnWhite(dc.Get(), icon);
    }
    return Picture(std::move(image));
}

}  // namespace iconexport
