#include "toolkit/ListView.h"

#include <windowsx.h>

#include "toolkit/Form.h"

namespace toolkit {

namespace {
std::string AnsiFromWide(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), size, nullptr, nullptr);
    ansi.resize(lstrlenA(ansi.c_str()));
    return ansi;
}
}  // namespace

void ListView::Create(Window& parent, const Rect& bounds, const std::vector<ListColumn>& columns,
                      const ListRowSource& rows) {
    rows_ = &rows;
    CreateControl(parent, WC_LISTVIEWA,
                  LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA | WS_TABSTOP,
                  WS_EX_CLIENTEDGE, bounds);
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string caption = columns[i].caption;
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = columns[i].format;
        column.cx = Scale(columns[i].width);
        column.pszText = caption.data();
        column.iSubItem = static_cast<int>(i);
        Send(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

// The column widths as shown (the user may have dragged them) go to the new DPI.
void ListView::ApplyDpi(int previousDpi) {
    Control::ApplyDpi(previousDpi);
    const HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    const int dpi = OwnerForm() ? OwnerForm()->Dpi() : previousDpi;
    for (int i = 0; i < columns; ++i) {
        const int width = static_cast<int>(Send(LVM_GETCOLUMNWIDTH, i));
        Send(LVM_SETCOLUMNWIDTH, i, MulDiv(width, dpi, previousDpi));
    }
}

void ListView::SetColumnCaption(int index, const std::string& caption) {
    std::string text = caption;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = text.data();
    Send(LVM_SETCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

std::string ListView::ColumnCaption(int index) const {
    char text[256] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    Send(LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    return text;
}

void ListView::SetRowCount(int count) {
    LVITEMA clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    Send(LVM_SETITEMCOUNT, count, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

int ListView::SelectedRow() const {
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::SelectRow(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int ListView::FindCaptionPrefix(const std::string& prefix) const {
    LVFINDINFOA find{};
    find.flags = LVFI_PARTIAL | LVFI_STRING;
    find.psz = prefix.c_str();
    return static_cast<int>(Send(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

RECT ListView::RowRect(int row) const {
    RECT r{};
    r.left = LVIR_BOUNDS;
    Send(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The list view's own prefix search, which a list of on-demand rows leaves to its owner:
// the first caption from the start row on that begins with the text, letter case ignored.
int ListView::FindPrefix(const std::string& prefix, UINT flags, int start) const {
    if (!(flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
    const int count = RowCount();
    const bool wrap = (flags & LVFI_WRAP) != 0;
    const bool partial = (flags & LVFI_PARTIAL) != 0;
    if (start < 0 || start >= count) start = 0;
    for (int n = 0; n < count; ++n) {
        if (start + n >= count && !wrap) break;
        const int row = (start + n) % count;
        const std::string caption = rows_->CellText(row, 0);
        if (caption.size() < prefix.size() || (!partial && caption.size() != prefix.size())) continue;
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.data(),
                           static_cast<int>(prefix.size()), prefix.data(),
                           static_cast<int>(prefix.size())) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

LRESULT ListView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE: {
        const LRESULT code = Control::HandleMessage(message, wParam, lParam);
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        // Enter is the list's own while it has a use for it, not the window's default button.
        if (OnReturn && pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
            return code | DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN && OnReturn) {
            OnReturn();
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        if (OnRowMenu && ShowRowMenu(lParam)) return 0;
        break;
    default:
        break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

bool ListView::ShowRowMenu(LPARAM where) {
    POINT screen{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    int row = -1;
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: the selected row, the menu at its caption's lower left.
        row = SelectedRow();
        if (row < 0) return false;
        Send(LVM_ENSUREVISIBLE, row, FALSE);
        const RECT r = RowRect(row);
        screen = {r.left + Scale(8), r.bottom};
        ClientToScreen(Handle(), &screen);
    } else {
        LVHITTESTINFO hit{};
        hit.pt = screen;
        ScreenToClient(Handle(), &hit.pt);
        row = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (row < 0) return false;
        if (SelectedRow() != row) SelectRow(row);
        if (OnClick) OnClick();
    }
    OnRowMenu(row, screen.x, screen.y);
    return true;
}

bool ListView::OnNotify(NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case LVN_GETDISPINFOA: {
        auto& item = reinterpret_cast<NMLVDISPINFOA&>(header).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            cellBuffer_ = rows_->CellText(item.iItem, item.iSubItem);
            lstrcpynA(item.pszText, cellBuffer_.c_str(), item.cchTextMax);
        }
        return true;
    }
    case LVN_ODFINDITEMA: {
        const auto& find = reinterpret_cast<NMLVFINDITEMA&>(header);
        result = find.lvfi.psz ? FindPrefix(find.lvfi.psz, find.lvfi.flags, find.iStart) : -1;
        return true;
    }
    case LVN_ODFINDITEMW: {
        // Wine asks in UTF-16 even from an ANSI list view.
        const auto& find = reinterpret_cast<NMLVFINDITEMW&>(header);
        result = find.lvfi.psz ? FindPrefix(AnsiFromWide(find.lvfi.psz), find.lvfi.flags, find.iStart) : -1;
        return true;
    }
    case NM_CLICK:
        if (OnClick) OnClick();
        return true;
    case NM_DBLCLK:
        if (OnDblClick) OnDblClick();
        return true;
    case LVN_COLUMNCLICK:
        if (OnColumnClick) OnColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
        return true;
    default:
        return false;
    }
}

}  // namespace toolkit
