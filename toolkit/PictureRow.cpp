#include "toolkit/PictureRow.h"

#include <windowsx.h>

#include <algorithm>

#include "toolkit/Form.h"

namespace toolkit {

namespace {

// Lengths at 96 DPI, scaled to the window's; the pictures keep their own pixels.
constexpr int kMargin = 12;       // around the row and between pictures
constexpr int kFrame = 3;         // the selection frame's distance from its picture
constexpr int kCaptionGap = 6;
constexpr int kCaptionHeight = 14;
constexpr int kCheckerSquare = 8;
constexpr std::uint8_t kCheckerLight = 255, kCheckerDark = 224;
constexpr int kScrollStep = 16;

// The picture laid over the checkerboard, as a 32-bit bitmap with rows from the top.
Bitmap CheckeredBitmap(int width, int height, const std::vector<std::uint8_t>& bgra) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    Bitmap bitmap(GdiCall([&] { return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0); }));
    if (!bitmap) RaiseLastGdiError();
    auto* out = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = (std::size_t(y) * width + x) * 4;
            const int back = ((x / kCheckerSquare + y / kCheckerSquare) % 2) ? kCheckerDark : kCheckerLight;
            const int alpha = bgra[at + 3];
            for (int c = 0; c < 3; ++c) out[at + c] = static_cast<std::uint8_t>((bgra[at + c] * alpha + back * (255 - alpha) + 127) / 255);
            out[at + 3] = 0;
        }
    return bitmap;
}

}  // namespace

void PictureRow::Create(Window& parent, const Rect& bounds) {
    CreateOwnControl(parent, "TPictavoPictureRow", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL,
                     WS_EX_CLIENTEDGE, bounds, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void PictureRow::Clear() {
    cells_.clear();
    selected_ = -1;
    scrollX_ = scrollY_ = 0;
    UpdateScrollBars();
    InvalidateRect(Handle(), nullptr, TRUE);
}

HFONT PictureRow::FontHandle() const { return OwnerForm() ? OwnerForm()->GetFont().Handle() : nullptr; }

void PictureRow::Add(int width, int height, const std::vector<std::uint8_t>& bgra, const std::string& caption) {
    Cell cell;
    cell.picture = CheckeredBitmap(width, height, bgra);
    cell.width = width;
    cell.height = height;
    cell.caption = caption;
    cells_.push_back(std::move(cell));
    LayOutCells();
}

void PictureRow::ApplyDpi(int previousDpi) {
    Control::ApplyDpi(previousDpi);
    LayOutCells();
    if (selected_ >= 0) Select(selected_);
}

void PictureRow::LayOutCells() {
    HDC dc = GetDC(Handle());
    const HGDIOBJ previous = SelectObject(dc, FontHandle());
    int left = Scale(kMargin);
    for (Cell& cell : cells_) {
        SIZE text{};
        GetTextExtentPoint32A(dc, cell.caption.c_str(), static_cast<int>(cell.caption.size()), &text);
        cell.extent = std::max(cell.width + 2 * Scale(kFrame), static_cast<int>(text.cx));
        cell.left = left;
        left += cell.extent + Scale(kMargin);
    }
    SelectObject(dc, previous);
    ReleaseDC(Handle(), dc);
    UpdateScrollBars();
    InvalidateRect(Handle(), nullptr, TRUE);
}

int PictureRow::ContentWidth() const { return cells_.empty() ? 0 : cells_.back().left + cells_.back().extent + Scale(kMargin); }

int PictureRow::ContentHeight() const {
    int tallest = 0;
    for (const Cell& cell : cells_) tallest = std::max(tallest, cell.height);
    return Scale(kMargin) + Scale(kFrame) + tallest + Scale(kFrame) + Scale(kCaptionGap) + Scale(kCaptionHeight) + Scale(kMargin);
}

void PictureRow::Select(int index) {
    if (cells_.empty()) return;
    selected_ = std::clamp(index, 0, Count() - 1);
    RECT client{};
    GetClientRect(Handle(), &client);
    const Cell& cell = cells_[static_cast<std::size_t>(selected_)];
    if (cell.left - Scale(kMargin) < scrollX_) scrollX_ = cell.left - Scale(kMargin);
    else if (cell.left + cell.extent + Scale(kMargin) > scrollX_ + client.right) scrollX_ = cell.left + cell.extent + Scale(kMargin) - client.right;
    UpdateScrollBars();
    InvalidateRect(Handle(), nullptr, TRUE);
    if (OnSelect) OnSelect(selected_);
}

void PictureRow::UpdateScrollBars() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const struct { int bar, content, page; int& position; } bars[] = {
        {SB_HORZ, ContentWidth(), client.right, scrollX_}, {SB_VERT, ContentHeight(), client.bottom, scrollY_}};
    for (const auto& b : bars) {
        b.position = std::clamp(b.position, 0, std::max(b.content - b.page, 0));
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS};
        info.nMax = std::max(b.content - 1, 0);
        info.nPage = static_cast<UINT>(std::max(b.page, 0));
        info.nPos = b.position;
        SetScrollInfo(Handle(), b.bar, &info, TRUE);
    }
}

void PictureRow::ScrollBy(int bar, int request) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(Handle(), bar, &info);
    int& position = bar == SB_HORZ ? scrollX_ : scrollY_;
    switch (request) {
    case SB_LINEUP: position -= kScrollStep; break;
    case SB_LINEDOWN: position += kScrollStep; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    default: return;
    }
    UpdateScrollBars();
    InvalidateRect(Handle(), nullptr, TRUE);
}

int PictureRow::CellAt(int x, int y) const {
    x += scrollX_;
    y += scrollY_;
    for (int i = 0; i < Count(); ++i) {
        const Cell& cell = cells_[static_cast<std::size_t>(i)];
        if (x >= cell.left && x < cell.left + cell.extent && y >= Scale(kMargin) && y < ContentHeight() - Scale(kMargin)) return i;
    }
    return -1;
}

void PictureRow::PaintCell(HDC dc, HDC source, const Cell& cell, bool selected) const {
    const int left = cell.left - scrollX_ + (cell.extent - cell.width) / 2, top = Scale(kMargin) + Scale(kFrame) - scrollY_;
    const SelectedObject held(source, cell.picture.Get());
    BitBlt(dc, left, top, cell.width, cell.height, source, 0, 0, SRCCOPY);
    if (selected) {
        const HBRUSH frame = GetSysColorBrush(COLOR_HIGHLIGHT);
        for (int inset = 0; inset < 2; ++inset) {
            RECT r{left - Scale(kFrame) + inset, top - Scale(kFrame) + inset, left + cell.width + Scale(kFrame) - inset, top + cell.height + Scale(kFrame) - inset};
            FrameRect(dc, &r, frame);
        }
    }
    RECT text{cell.left - scrollX_, top + cell.height + Scale(kFrame) + Scale(kCaptionGap), cell.left - scrollX_ + cell.extent,
              top + cell.height + Scale(kFrame) + Scale(kCaptionGap) + Scale(kCaptionHeight)};
    DrawTextA(dc, cell.caption.c_str(), static_cast<int>(cell.caption.size()), &text, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (selected && GetFocus() == Handle()) DrawFocusRect(dc, &text);
}

void PictureRow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const HGDIOBJ previousFont = SelectObject(dc, FontHandle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    {
        const MemoryDC source(dc);
        for (int i = 0; i < Count(); ++i) PaintCell(dc, source.Get(), cells_[static_cast<std::size_t>(i)], i == selected_);
    }
    SelectObject(dc, previousFont);
    EndPaint(Handle(), &ps);
}

void PictureRow::OnKey(WPARAM key) {
    switch (key) {
    case VK_LEFT: case VK_UP: Select(selected_ - 1); break;
    case VK_RIGHT: case VK_DOWN: Select(selected_ + 1); break;
    case VK_HOME: Select(0); break;
    case VK_END: Select(Count() - 1); break;
    default: break;
    }
}

void PictureRow::OnButtonDown(int x, int y) {
    SetFocus();
    const int index = CellAt(x, y);
    if (index < 0) return;
    Select(index);
    UpdateWindow(Handle());
    POINT screen{x, y};
    ClientToScreen(Handle(), &screen);
    if (DragDetect(Handle(), screen) && OnDragOut) OnDragOut(index);
}

LRESULT PictureRow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: UpdateScrollBars(); break;
    case WM_HSCROLL: ScrollBy(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: ScrollBy(SB_VERT, LOWORD(wParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: OnKey(wParam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(Handle(), nullptr, FALSE); break;
    default: break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace toolkit
