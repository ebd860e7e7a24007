#pragma once
// A report-style list view whose rows are read on demand from a row source the owner keeps, so
// filling thousands of rows costs one message, not one per row.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace toolkit {

class ListRowSource {
public:
    virtual ~ListRowSource() = default;
    // The text of a cell; column 0 is the row's caption.
    virtual std::string CellText(int row, int column) const = 0;
};

struct ListColumn {
    std::string caption;
    int width = 50;
    int format = LVCFMT_LEFT;  // LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT
};

class ListView : public Control {
public:
    // Single selection, whole-row selection, selection shown without focus, captions not editable,
    // no sorting of its own. Column widths are designed (at 96 DPI).
    void Create(Window& parent, const Rect& bounds, const std::vector<ListColumn>& columns,
                const ListRowSource& rows);

    void SetColumnCaption(int column, const std::string& caption);
    std::string ColumnCaption(int column) const;

    // Shows `count` rows of the row source (0 removes every row).
    void SetRowCount(int count);
    int RowCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    std::string RowCaption(int row) const { return rows_->CellText(row, 0); }
    std::string CellText(int row, int column) const { return rows_->CellText(row, column); }

    int SelectedRow() const;  // -1 when none is selected
    int SelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
    void SelectRow(int row);
    // The first row from the top whose caption begins with `prefix`, letter case ignored; -1 if none.
    int FindCaptionPrefix(const std::string& prefix) const;
    int TopRow() const { return static_cast<int>(Send(LVM_GETTOPINDEX)); }
    RECT RowRect(int row) const;
    void ScrollBy(int dx, int dy) { Send(LVM_SCROLL, dx, dy); }

    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void ApplyDpi(int previousDpi) override;

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(int column)> OnColumnClick;
    // Enter on the list.
    std::function<void()> OnReturn;
    // A right click on a row (selected first), or Shift+F10 or the menu key on the selected row:
    // the row and where its menu goes on the screen. Elsewhere the list's parent gets the request.
    std::function<void(int row, int screenX, int screenY)> OnRowMenu;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool ShowRowMenu(LPARAM where);
    int FindPrefix(const std::string& text, UINT flags, int start) const;

    const ListRowSource* rows_ = nullptr;
    mutable std::string cellBuffer_;
};

}  // namespace toolkit
