#pragma once
// TIconGallery, the window ｱｲｺﾝ一覧: every icon of the listed files at once, each file's icons under
// a header row, cells at a chosen size flowing with the window's width. Only the cells in view are
// read (on a thread of the window's own) and drawn; drawn cells are kept up to a fixed budget.
// Filters by name and by the largest stored image; Explorer's selection; the detail window, copy,
// export and drag-out of the selected icons; the icons ordered by their likeness to a picture.
#include <memory>
#include <string>
#include <vector>

#include "dialogs/GalleryCellCache.h"
#include "dialogs/GalleryModel.h"
#include "dialogs/GalleryPictureSearch.h"
#include "dialogs/GalleryReader.h"
#include "export/ProgramState.h"
#include "export/WicImaging.h"
#include "toolkit/ComboBox.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/ScrolledCanvas.h"
#include "toolkit/SizableForm.h"
#include "toolkit/StdControls.h"

class TIconGallery : public toolkit::SizableForm {
public:
    TIconGallery();
    ~TIconGallery() override;

    // The sizes of the cells, and of the size filter (0: every icon).
    static constexpr int kCellSizes[] = {32, 48, 64, 96, 128, 256};
    static constexpr int kDefaultCellSize = 48;
    static constexpr int kMinimumSizes[] = {0, 48, 64, 128, 256};
    // Drawn cells kept at most, in bytes: a few screens at 256 pixels.
    static constexpr std::size_t kCacheBudget = std::size_t(128) << 20;

    toolkit::Label Label1, Label2, Label3, Label4;
    toolkit::ComboBox ComboBox1;  // ｻｲｽﾞ
    toolkit::Edit Edit1;          // the file name filter
    toolkit::ComboBox ComboBox2;  // 最小ｻｲｽﾞ
    toolkit::Button Button1;      // 画像で探す
    toolkit::Button Button2;      // すべて表示
    toolkit::ScrolledCanvas Canvas1;
    toolkit::PopupMenu CellMenu;

    // Shows the files (full paths, and names as the list shows them) at the place and size
    // remembered in the state's settings; a gallery open already shows them instead of its own.
    void Open(iconexport::ProgramState& state, std::vector<gallery::GalleryFile> files);
    // Remembers the place and size and lets the reading and the drawn cells go (the window hides).
    void Finish();

    // For a finder: the files (full paths) and the imaging the window uses.
    const std::vector<gallery::GalleryFile>& Files() const;
    const iconexport::WicImaging& Imaging();
    // Shows the icons in `order` (best first: likeness and the same mark shown), the filters applied;
    // ShowListOrder returns to the files' order.
    void ShowInOrder(const std::vector<gallery::OrderedIcon>& order);
    void ShowListOrder();
    // Orders the icons by their likeness to the picture in the file at `path` (its first image), or
    // to the clipboard's image; the search runs while the window answers. A picture that cannot be
    // taken is refused with a message.
    void FindPictureFile(const std::string& path);
    void FindClipboardPicture();
    // A search is under way.
    bool Searching() const { return search_ && !search_->Finished(); }

    // What the window shows, for its tests and its benchmark.
    const gallery::GalleryIcons& Icons() const { return *icons_; }
    const gallery::GalleryLayout& Layout() const { return layout_; }
    const gallery::GallerySelection& Selection() const { return selection_; }
    const gallery::GalleryCellCache& Cache() const { return cache_; }
    // Icons of the view not drawn yet (0 once every cell in view is drawn).
    int MissingInView() const { return missingInView_; }
    // Some icon's largest image is not known yet.
    bool Reading() const { return reader_ && reader_->Known() < reader_->Total(); }
    int CellPixels() const { return Scale(cellSize_); }
    std::string CountText() const { return Label4.Caption(); }
    // The tip of the cell at shown position `position`.
    std::string CellTip(int position) const;

    void ComboBox1Change();
    void FilterChange();
    void IconDetailClick();
    void IconCopyClick();
    void ExportSelectedClick();
    void FindByPictureClick();
    void ShowAllClick();
    bool CanvasKeyDown(WPARAM key);

protected:
    void FormResize() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WMDropFiles(HDROP drop) override;

private:
    void CreateControls();
    void Relayout();
    void TakeReadings();
    void FindPicture(iconexport::ImagePixels picture);
    void TakeSearch();
    void WantVisibleCells();
    void ShowCount();
    void PaintCanvas(HDC dc, const RECT& dirty);
    void PaintHeader(HDC dc, const gallery::GalleryRow& row, int top, int width) const;
    void PaintCell(HDC dc, int position, int left, int top);
    void CanvasMouseDown(int x, int y, WPARAM keys);
    void CanvasContextMenu(int x, int y, int screenX, int screenY);
    void CanvasMouseMove(int x, int y);
    void DragSelectionOut();
    void MoveFocus(int position);
    void ScrollToPosition(int position);
    int FocusedPosition() const;
    std::string FileFolder(int file) const;
    std::string FileName(int file) const;
    std::vector<int> SelectionOrFocus() const;

    iconexport::ProgramState* state_ = nullptr;
    std::unique_ptr<gallery::GalleryIcons> icons_;
    std::unique_ptr<gallery::GalleryReader> reader_;
    std::unique_ptr<gallery::GalleryPictureSearch> search_;
    gallery::GalleryLayout layout_;
    gallery::GallerySelection selection_;
    gallery::GalleryCellCache cache_{kCacheBudget};
    std::unique_ptr<iconexport::WicImaging> imaging_;
    int cellSize_ = kDefaultCellSize;
    int drawnPixels_ = 0;  // the side of the cells in the cache
    int missingInView_ = 0;
    int menuNumber_ = -1;
    int tipPosition_ = -1;
    bool open_ = false;
};
