#pragma once
// Pictures side by side, each at its own pixel size on a light checkerboard (so that transparency
// shows) with its caption below; one is selected (a frame) by a click or the arrow keys. The area
// scrolls both ways; a picture dragged out is reported for the owner to offer.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/GdiObjects.h"

namespace toolkit {

class PictureRow : public Control {
public:
    void Create(Window& parent, const Rect& bounds);
    void Clear();
    // A picture of width x height pixels, four bytes each (blue, green, red, alpha not multiplied
    // in), rows from the top.
    void Add(int width, int height, const std::vector<std::uint8_t>& bgra, const std::string& caption);
    int Count() const { return static_cast<int>(cells_.size()); }
    const std::string& CaptionOf(int index) const { return cells_[static_cast<std::size_t>(index)].caption; }
    int Selected() const { return selected_; }
    // Selects a picture and scrolls it into view.
    void Select(int index);

    // The selection changed to `index` (a click, a key or Select).
    std::function<void(int index)> OnSelect;
    // The pointer left the selected picture with the left button down: `index` is being dragged.
    std::function<void(int index)> OnDragOut;

    // The designed place at the new DPI, the cells laid out again in the form's new font.
    void ApplyDpi(int previousDpi) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Cell {
        Bitmap picture;
        int width = 0, height = 0, left = 0, extent = 0;
        std::string caption;
    };
    // Each cell's width (its picture or its caption) and place, in the font and DPI of now.
    void LayOutCells();
    void Paint();
    void PaintCell(HDC dc, HDC source, const Cell& cell, bool selected) const;
    void UpdateScrollBars();
    void ScrollBy(int bar, int request);
    int CellAt(int x, int y) const;
    void OnKey(WPARAM key);
    void OnButtonDown(int x, int y);
    int ContentWidth() const;
    int ContentHeight() const;
    HFONT FontHandle() const;

    std::vector<Cell> cells_;
    int selected_ = -1;
    int scrollX_ = 0, scrollY_ = 0;
};

}  // namespace toolkit
