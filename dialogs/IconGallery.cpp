#include "dialogs/IconGallery.h"

#include <algorithm>

#include "icons/IconSource.h"
#include "icons/PathNames.h"
#include "dialogs/PictavoUnit7.h"
#include "export/ExportFileNames.h"
#include "export/ExportRun.h"
#include "export/ImageClipboard.h"
#include "export/ImageDragOut.h"
#include "export/PngFileWriter.h"
#include "export/PictureSources.h"
#include "export/PngSizeChoice.h"
#include "export/StoredImageFacts.h"
#include "toolkit/Application.h"
#include "toolkit/MessageDialog.h"
#include "toolkit/OpenFileDialog.h"
#include "toolkit/WideArguments.h"
#include "toolkit/ProgramTexts.h"

namespace {

constexpr UINT kReadingMessage = WM_APP + 41;
constexpr UINT kSearchMessage = WM_APP + 42;
// Lengths at 96 DPI.
constexpr int kMinimumWidth = 640, kMinimumHeight = 360;
constexpr int kOpeningWidth = 800, kOpeningHeight = 560;
constexpr int kCellsTop = 36;
constexpr int kStatusRow = 24;  // from the bottom edge
constexpr int kCellMargin = 12;  // beside the image, across
constexpr int kImageTop = 4;
constexpr int kCaptionHeight = 16;
constexpr int kHeaderHeight = 24;
constexpr COLORREF kSameColour = RGB(0xC0, 0x00, 0x00);

std::vector<std::string> SizeItems(const int* sizes, std::size_t count, bool firstIsAll) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < count; ++i)
        items.push_back(i == 0 && firstIsAll ? toolkit::Text(toolkit::TextId::GalleryMinSizeAll) : std::to_string(sizes[i]));
    return items;
}

}  // namespace

TIconGallery::TIconGallery() {
    CreateForm(toolkit::Text(toolkit::TextId::GalleryCaption), kMinimumWidth, kMinimumHeight, toolkit::FormPosition::SystemDefault, true);
    CreateControls();
    MakeSizable();
    SetSize(Scale(kOpeningWidth), Scale(kOpeningHeight));
}

TIconGallery::~TIconGallery() {
    search_.reset();
    reader_.reset();
    Destroy();
}

// The filters' row leaves its right part to the finder's buttons.
void TIconGallery::CreateControls() {
    Label1.Create(*this, {8, 12, 0, 0}, toolkit::Text(toolkit::TextId::GallerySizeLabel));
    ComboBox1.Create(*this, {52, 8, 60, 21}, SizeItems(kCellSizes, std::size(kCellSizes), false),
                     static_cast<int>(std::find(std::begin(kCellSizes), std::end(kCellSizes), kDefaultCellSize) - std::begin(kCellSizes)));
    ComboBox1.OnChange = [this] { ComboBox1Change(); };
    Label2.Create(*this, {124, 12, 0, 0}, toolkit::Text(toolkit::TextId::GalleryNameLabel));
    Edit1.Create(*this, {176, 8, 124, 21}, "");
    Edit1.OnChange = [this] { FilterChange(); };
    Label3.Create(*this, {312, 12, 0, 0}, toolkit::Text(toolkit::TextId::GalleryMinSizeLabel));
    ComboBox2.Create(*this, {372, 8, 70, 21}, SizeItems(kMinimumSizes, std::size(kMinimumSizes), true), 0);
    ComboBox2.OnChange = [this] { FilterChange(); };
    Button1.Create(*this, {452, 7, 112, 23}, toolkit::Text(toolkit::TextId::GalleryFindButton));
    Button1.OnClick = [this] { FindByPictureClick(); };
    Button2.Create(*this, {568, 7, 64, 23}, toolkit::Text(toolkit::TextId::GalleryShowAll));
    Button2.OnClick = [this] { ShowAllClick(); };
    Button2.SetEnabled(false);
    DragAcceptFiles(Handle(), TRUE);  // a picture to find by
    Canvas1.Create(*this, {8, kCellsTop, kMinimumWidth - 16, kMinimumHeight - kCellsTop - kStatusRow});
    Canvas1.OnPaint = [this](HDC dc, const RECT& dirty) { PaintCanvas(dc, dirty); };
    Canvas1.OnViewChange = [this] { WantVisibleCells(); };
    Canvas1.OnMouseDown = [this](int x, int y, WPARAM keys) { CanvasMouseDown(x, y, keys); };
    Canvas1.OnDblClick = [this](int x, int y) {
        const int position = layout_.PositionAt(x, y);
        if (position < 0 || !icons_) return;
        menuNumber_ = icons_->Shown()[static_cast<std::size_t>(position)];
        IconDetailClick();
    };
    Canvas1.OnMouseMove = [this](int x, int y) { CanvasMouseMove(x, y); };
    Canvas1.OnContextMenu = [this](int x, int y, int screenX, int screenY) { CanvasContextMenu(x, y, screenX, screenY); };
    Canvas1.OnKeyDown = [this](WPARAM key) { return CanvasKeyDown(key); };
    Canvas1.SetShowHint(true);
    Label4.Create(*this, {8, kMinimumHeight - kStatusRow + 4, 0, 0}, "");
    CellMenu.AddItem(toolkit::Text(toolkit::TextId::MenuIconDetail), [this] { IconDetailClick(); });
    CellMenu.AddItem(toolkit::Text(toolkit::TextId::MenuCopy), [this] { IconCopyClick(); });
    CellMenu.AddItem(toolkit::Text(toolkit::TextId::GalleryExportSelected), [this] { ExportSelectedClick(); });
    FormResize();
}

void TIconGallery::FormResize() {
    if (!Label4.Handle()) return;
    const int width = ClientWidth(), height = ClientHeight();
    Canvas1.SetBounds({Scale(8), Scale(kCellsTop), width - Scale(16), height - Scale(kCellsTop + kStatusRow)});
    Label4.SetBounds({Scale(8), height - Scale(kStatusRow - 4), Label4.Width(), Label4.Height()});
    Relayout();
}

void TIconGallery::Open(iconexport::ProgramState& state, std::vector<gallery::GalleryFile> files) {
    Finish();
    state_ = &state;
    auto& settings = *state.Settings;
    icons_ = std::make_unique<gallery::GalleryIcons>(std::move(files), toolkit::SystemLeadBytes());
    selection_.Reset(icons_->IconCount());
    cache_.Clear();
    reader_ = std::make_unique<gallery::GalleryReader>(Handle(), kReadingMessage, icons_->Files());
    open_ = true;
    SetTop(settings.ReadInteger("Form", "GalleryTop", Top()));
    SetLeft(settings.ReadInteger("Form", "GalleryLeft", Left()));
    SetSize(settings.ReadInteger("Form", "GalleryWidth", Width()), settings.ReadInteger("Form", "GalleryHeight", Height()));
    KeepOnAMonitor();
    Canvas1.ScrollTo(0);
    FilterChange();
    Show();
    Canvas1.SetFocus();
}

void TIconGallery::Finish() {
    if (!open_) return;
    open_ = false;
    auto& settings = *state_->Settings;
    settings.WriteInteger("Form", "GalleryTop", Top());
    settings.WriteInteger("Form", "GalleryLeft", Left());
    settings.WriteInteger("Form", "GalleryWidth", Width());
    settings.WriteInteger("Form", "GalleryHeight", Height());
    search_.reset();
    reader_.reset();
    cache_.Clear();
    Button2.SetEnabled(false);
    Hide();
}

const std::vector<gallery::GalleryFile>& TIconGallery::Files() const {
    static const std::vector<gallery::GalleryFile> none;
    return icons_ ? icons_->Files() : none;
}

const iconexport::WicImaging& TIconGallery::Imaging() {
    if (!imaging_) imaging_ = std::make_unique<iconexport::WicImaging>();
    return *imaging_;
}

void TIconGallery::ShowInOrder(const std::vector<gallery::OrderedIcon>& order) {
    if (!icons_) return;
    icons_->ShowInOrder(order);
    Button2.SetEnabled(true);
    Canvas1.ScrollTo(0);
    Relayout();
}

void TIconGallery::ShowListOrder() {
    if (!icons_) return;
    icons_->ShowListOrder();
    Button2.SetEnabled(false);
    Canvas1.ScrollTo(0);
    Relayout();
}

void TIconGallery::ComboBox1Change() {
    const int index = ComboBox1.ItemIndex();
    if (index < 0) return;
    cellSize_ = kCellSizes[index];
    Relayout();
}

void TIconGallery::FilterChange() {
    if (!icons_) return;
    const int index = std::max(ComboBox2.ItemIndex(), 0);
    icons_->SetFilter(Edit1.Text(), kMinimumSizes[index]);
    Relayout();
}

void TIconGallery::Relayout() {
    if (!icons_ || !Canvas1.Handle()) return;
    const int pixels = CellPixels();
    // Another size or another DPI: the drawn cells are of the old size.
    if (pixels != drawnPixels_) cache_.Clear();
    drawnPixels_ = pixels;
    layout_ = gallery::GalleryLayout(*icons_, Canvas1.ViewWidth(), pixels + Scale(kCellMargin),
                                     pixels + Scale(kImageTop + 4 + kCaptionHeight), Scale(kHeaderHeight));
    Canvas1.SetContentHeight(layout_.Height());
    WantVisibleCells();
    ShowCount();
}

void TIconGallery::ShowCount() {
    if (!icons_) return;
    std::string text = toolkit::TextWith(toolkit::TextId::GalleryCount,
                                         {gallery::GroupedNumber(icons_->ShownCount()), gallery::GroupedNumber(icons_->IconCount())});
    if (reader_ && reader_->Known() < reader_->Total())
        text += "    " + toolkit::TextWith(toolkit::TextId::GalleryReading, {gallery::GroupedNumber(reader_->Known()),
                                                                                gallery::GroupedNumber(reader_->Total())});
    if (Searching())
        text += "    " + toolkit::TextWith(toolkit::TextId::GallerySearching,
                                           {gallery::GroupedNumber(static_cast<int>(search_->FilesDone())),
                                            gallery::GroupedNumber(static_cast<int>(search_->FileCount()))});
    if (text != Label4.Caption()) Label4.SetCaption(text);
}

// The cells in view first, then a page below and a page above, so that a page's scroll finds them.
void TIconGallery::WantVisibleCells() {
    if (!icons_ || !reader_ || layout_.Rows().empty()) {
        missingInView_ = 0;
        return;
    }
    const int view = Canvas1.ViewHeight(), top = Canvas1.ScrollY();
    std::vector<gallery::CellWish> wishes;
    const auto wish = [&](int from, int to, bool inView) {
        const auto& rows = layout_.Rows();
        for (int r = layout_.RowAt(std::max(from, 0)); r < static_cast<int>(rows.size()) && rows[static_cast<std::size_t>(r)].top < to; ++r) {
            const gallery::GalleryRow& row = rows[static_cast<std::size_t>(r)];
            for (int position = row.first; position < row.first + row.count; ++position) {
                const int number = icons_->Shown()[static_cast<std::size_t>(position)];
                if (cache_.Find(number)) continue;
                wishes.push_back({number, icons_->FileOf(number), icons_->IconOf(number)});
                if (inView) ++missingInView_;
            }
        }
    };
    missingInView_ = 0;
    wish(top, top + view, true);
    wish(top + view, top + 2 * view, false);
    if (top > 0) wish(top - view, top, false);
    reader_->Want(std::move(wishes), cellSize_, CellPixels(), GetSysColor(COLOR_WINDOW));
}

// Read cells go to the cache and are drawn; learned sizes feed the size filter and the count.
void TIconGallery::TakeReadings() {
    if (!reader_ || !icons_) return;
    const std::vector<gallery::ReadCell> cells = reader_->TakeCells();
    const std::vector<std::pair<int, int>> sizes = reader_->TakeSizes();
    bool shownMore = false;
    const int minimum = kMinimumSizes[std::max(ComboBox2.ItemIndex(), 0)];
    for (const auto& [number, size] : sizes) {
        icons_->SetLargestSize(number, size);
        shownMore = shownMore || (minimum > 0 && size >= minimum);
    }
    for (const gallery::ReadCell& cell : cells) {
        icons_->SetLargestSize(cell.number, cell.cell.largestSize);
        cache_.Put(cell.number, cell.cell);
    }
    if (shownMore) {
        icons_->Refresh();
        Relayout();
    } else {
        ShowCount();
        WantVisibleCells();
    }
    if (!cells.empty() || shownMore) {
        InvalidateRect(Canvas1.Handle(), nullptr, FALSE);
        UpdateWindow(Canvas1.Handle());  // now: the reading's messages come faster than the queue empties
    }
}

LRESULT TIconGallery::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kReadingMessage: TakeReadings(); return 0;
    case kSearchMessage: TakeSearch(); return 0;
    case WM_CLOSE: Finish(); return 0;
    default: return SizableForm::HandleMessage(message, wParam, lParam);
    }
}

void TIconGallery::PaintHeader(HDC dc, const gallery::GalleryRow& row, int top, int width) const {
    const gallery::GalleryFile& file = icons_->Files()[static_cast<std::size_t>(row.file)];
    const std::string text = toolkit::TextWith(toolkit::TextId::GalleryHeader, {file.shownName, std::to_string(file.count)});
    RECT area{Scale(6), top, width, top + layout_.RowHeight(row) - 2};
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    RECT line{Scale(4), top + layout_.RowHeight(row) - 1, width - Scale(4), top + layout_.RowHeight(row)};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
}

void TIconGallery::PaintCell(HDC dc, int position, int left, int top) {
    const int number = icons_->Shown()[static_cast<std::size_t>(position)];
    const int pixels = CellPixels(), width = layout_.CellWidth();
    const int imageLeft = left + (width - pixels) / 2, imageTop = top + Scale(kImageTop);
    const bool selected = selection_.IsSelected(number);
    const gallery::DrawnCell* cell = cache_.Find(number);
    if (cell && !cell->bgrx.empty()) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), cell->width, -cell->height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SetDIBitsToDevice(dc, imageLeft, imageTop, static_cast<DWORD>(cell->width), static_cast<DWORD>(cell->height), 0, 0, 0,
                          static_cast<UINT>(cell->height), cell->bgrx.data(), &info, DIB_RGB_COLORS);
    } else {
        // Not read yet (or nothing readable): an empty square in its place.
        RECT square{imageLeft, imageTop, imageLeft + pixels, imageTop + pixels};
        FrameRect(dc, &square, GetSysColorBrush(cell ? COLOR_BTNSHADOW : COLOR_BTNFACE));
    }
    if (selected) {
        for (int inset = 0; inset < 2; ++inset) {
            RECT frame{imageLeft - 2 + inset, imageTop - 2 + inset, imageLeft + pixels + 2 - inset, imageTop + pixels + 2 - inset};
            FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
    }
    const gallery::OrderedIcon* ordered = icons_->OrderedAt(position);
    if (ordered && ordered->same) {
        const std::string same = toolkit::Text(toolkit::TextId::GallerySame);
        SetTextColor(dc, kSameColour);
        TextOutA(dc, left + 2, top, same.c_str(), static_cast<int>(same.size()));
    }
    const std::string caption = std::to_string(icons_->IconOf(number));
    RECT text{left + 1, imageTop + pixels + Scale(4), left + width - 1, imageTop + pixels + Scale(4 + kCaptionHeight)};
    if (selected) FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    if (number == selection_.Focused() && GetFocus() == Canvas1.Handle()) {
        RECT focus{left + 1, top + 1, left + width - 1, top + layout_.CellHeight() - 1};
        DrawFocusRect(dc, &focus);
    }
}

void TIconGallery::PaintCanvas(HDC dc, const RECT& dirty) {
    FillRect(dc, &dirty, GetSysColorBrush(COLOR_WINDOW));
    if (!icons_ || layout_.Rows().empty()) return;
    const HGDIOBJ previousFont = SelectObject(dc, GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    const int scroll = Canvas1.ScrollY(), width = Canvas1.ViewWidth();
    const auto& rows = layout_.Rows();
    for (int r = layout_.RowAt(scroll + dirty.top); r < static_cast<int>(rows.size()); ++r) {
        const gallery::GalleryRow& row = rows[static_cast<std::size_t>(r)];
        const int top = row.top - scroll;
        if (top >= dirty.bottom) break;
        if (row.header) {
            PaintHeader(dc, row, top, width);
            continue;
        }
        for (int i = 0; i < row.count; ++i) PaintCell(dc, row.first + i, i * layout_.CellWidth(), top);
    }
    SelectObject(dc, previousFont);
}

int TIconGallery::FocusedPosition() const { return icons_ ? icons_->PositionOf(selection_.Focused()) : -1; }

std::vector<int> TIconGallery::SelectionOrFocus() const {
    std::vector<int> numbers = selection_.SelectedShown(*icons_);
    if (numbers.empty() && FocusedPosition() >= 0) numbers.push_back(selection_.Focused());
    return numbers;
}

void TIconGallery::ScrollToPosition(int position) {
    int x = 0, y = 0;
    layout_.CellOrigin(position, x, y);
    // A file's first row brings its header along.
    const int row = layout_.RowOfPosition(position);
    const int top = row > 0 && layout_.Rows()[static_cast<std::size_t>(row - 1)].header ? layout_.Rows()[static_cast<std::size_t>(row - 1)].top : y;
    Canvas1.ScrollIntoView(top, y + layout_.CellHeight());
}

void TIconGallery::CanvasMouseDown(int x, int y, WPARAM keys) {
    if (!icons_) return;
    const int position = layout_.PositionAt(x, y);
    if (position < 0) return;
    const int number = icons_->Shown()[static_cast<std::size_t>(position)];
    const bool control = (keys & MK_CONTROL) != 0, shift = (keys & MK_SHIFT) != 0;
    const bool wasSelected = selection_.IsSelected(number);
    // A right click keeps a selection it falls in, as Explorer does.
    if ((keys & MK_RBUTTON) && wasSelected) return;
    if (!(wasSelected && !control && !shift && !(keys & MK_RBUTTON))) selection_.Click(*icons_, position, control, shift);
    InvalidateRect(Canvas1.Handle(), nullptr, FALSE);
    if ((keys & MK_LBUTTON) && !control && !shift) {
        UpdateWindow(Canvas1.Handle());
        POINT screen{x, y - Canvas1.ScrollY()};
        ClientToScreen(Canvas1.Handle(), &screen);
        if (DragDetect(Canvas1.Handle(), screen)) DragSelectionOut();
        else if (wasSelected) {
            selection_.Click(*icons_, position, false, false);
            InvalidateRect(Canvas1.Handle(), nullptr, FALSE);
        }
    }
}

void TIconGallery::CanvasMouseMove(int x, int y) {
    if (!icons_) return;
    const int position = layout_.PositionAt(x, y);
    if (position == tipPosition_) return;
    tipPosition_ = position;
    SetToolTip(Canvas1.Handle(), position >= 0 ? CellTip(position) : std::string());
}

std::string TIconGallery::CellTip(int position) const {
    const int number = icons_->Shown()[static_cast<std::size_t>(position)];
    const int largest = icons_->LargestSize(number);
    const std::string size = largest > 0 ? std::to_string(largest) + "\xD7" + std::to_string(largest)
                           : largest == gallery::kNoReadableImage ? toolkit::Text(toolkit::TextId::DetailUnreadable)
                                                                  : "?";
    std::string tip = toolkit::TextWith(toolkit::TextId::GalleryCellTip,
                                        {icons_->Files()[static_cast<std::size_t>(icons_->FileOf(number))].shownName,
                                         std::to_string(icons_->IconOf(number)), size});
    if (const gallery::OrderedIcon* ordered = icons_->OrderedAt(position))
        tip += toolkit::TextWith(toolkit::TextId::GalleryLikenessTip, {std::to_string(ordered->likeness)});
    return tip;
}

void TIconGallery::CanvasContextMenu(int x, int y, int screenX, int screenY) {
    if (!icons_) return;
    int position = x < 0 ? FocusedPosition() : layout_.PositionAt(x, y);
    if (position < 0) return;
    if (x < 0) {
        // The menu key: the menu stands at the focused cell.
        int cellX = 0, cellY = 0;
        layout_.CellOrigin(position, cellX, cellY);
        POINT screen{cellX + layout_.CellWidth() / 2, cellY - Canvas1.ScrollY() + layout_.CellHeight() / 2};
        ClientToScreen(Canvas1.Handle(), &screen);
        screenX = screen.x;
        screenY = screen.y;
    }
    menuNumber_ = icons_->Shown()[static_cast<std::size_t>(position)];
    CellMenu.Popup(Handle(), screenX, screenY);
}

void TIconGallery::MoveFocus(int position) {
    if (position < 0 || position >= icons_->ShownCount()) return;
    const bool control = GetKeyState(VK_CONTROL) & 0x8000, shift = GetKeyState(VK_SHIFT) & 0x8000;
    selection_.MoveTo(*icons_, position, control, shift);
    ScrollToPosition(position);
    InvalidateRect(Canvas1.Handle(), nullptr, FALSE);
}

bool TIconGallery::CanvasKeyDown(WPARAM key) {
    if (!icons_ || icons_->ShownCount() == 0) return false;
    const bool control = GetKeyState(VK_CONTROL) & 0x8000;
    const int focused = FocusedPosition();
    const int last = icons_->ShownCount() - 1;
    switch (key) {
    case VK_LEFT: MoveFocus(focused < 0 ? 0 : std::max(focused - 1, 0)); return true;
    case VK_RIGHT: MoveFocus(focused < 0 ? 0 : std::min(focused + 1, last)); return true;
    case VK_UP: MoveFocus(focused < 0 ? 0 : layout_.PositionAbove(focused)); return true;
    case VK_DOWN: MoveFocus(focused < 0 ? 0 : layout_.PositionBelow(focused)); return true;
    case VK_HOME: MoveFocus(0); return true;
    case VK_END: MoveFocus(last); return true;
    case VK_RETURN:
        if (focused >= 0) {
            menuNumber_ = selection_.Focused();
            IconDetailClick();
        }
        return true;
    case 'A':
        if (!control) return false;
        selection_.SelectAll(*icons_);
        InvalidateRect(Canvas1.Handle(), nullptr, FALSE);
        return true;
    case 'V':
        if (!control) return false;
        FindClipboardPicture();
        return true;
    case 'C':
        if (!control || focused < 0) return false;
        menuNumber_ = selection_.Focused();
        IconCopyClick();
        return true;
    default: return false;
    }
}

std::string TIconGallery::FileFolder(int file) const {
    return icons::FolderPart(icons_->Files()[static_cast<std::size_t>(file)].path, toolkit::SystemLeadBytes());
}

std::string TIconGallery::FileName(int file) const {
    return icons::FileNamePart(icons_->Files()[static_cast<std::size_t>(file)].path, toolkit::SystemLeadBytes());
}

void TIconGallery::IconDetailClick() {
    const int number = menuNumber_ >= 0 ? menuNumber_ : selection_.Focused();
    if (!icons_ || number < 0 || !Form7 || !state_) return;
    const int file = icons_->FileOf(number);
    Form7->ShowIcon(*state_, FileFolder(file), FileName(file), icons_->IconOf(number), icons::ImageGroupKind::Icons);
}

void TIconGallery::IconCopyClick() {
    const int number = menuNumber_ >= 0 ? menuNumber_ : selection_.Focused();
    if (!icons_ || number < 0) return;
    icons::IconFile file(Handle(), icons_->Files()[static_cast<std::size_t>(icons_->FileOf(number))].path);
    iconexport::CopyIconToClipboard(Handle(), Imaging(), file, icons_->IconOf(number));
}

void TIconGallery::ExportSelectedClick() {
    if (!icons_ || !state_) return;
    std::vector<iconexport::IconToExport> chosen;
    for (int number : SelectionOrFocus()) {
        const gallery::GalleryFile& file = icons_->Files()[static_cast<std::size_t>(icons_->FileOf(number))];
        chosen.push_back({file.path, file.shownName, icons_->IconOf(number)});
    }
    if (!chosen.empty()) iconexport::ExportIcons(*state_, Handle(), chosen);
}

// Each selected icon as the PNG file of the cell's size; icons without a readable image are left out.
void TIconGallery::DragSelectionOut() {
    std::vector<iconexport::PngFileToDrag> files;
    {
        const toolkit::HourglassCursor busy;
        std::unique_ptr<icons::IconFile> open;
        int openFile = -1;
        for (int number : SelectionOrFocus()) {
            const int fileIndex = icons_->FileOf(number), index = icons_->IconOf(number);
            const gallery::GalleryFile& file = icons_->Files()[static_cast<std::size_t>(fileIndex)];
            if (fileIndex != openFile) {
                open = std::make_unique<icons::IconFile>(Handle(), file.path);
                openFile = fileIndex;
            }
            const icons::StoredIcon stored = open->Stored(index);
            const std::vector<iconexport::PngChoice> choices = iconexport::ChoosePngImages(iconexport::FactsOf(stored), cellSize_);
            if (choices.empty()) continue;
            const std::string base = iconexport::ExportBaseName(file.shownName, toolkit::SystemLeadBytes());
            files.push_back({iconexport::PngFileName(base, index, cellSize_, choices.front()),
                             iconexport::BuildPngFile(Imaging(), stored, choices.front())});
        }
    }
    iconexport::DragPngFilesOut(Handle(), files);
}

void TIconGallery::FindByPictureClick() {
    std::string path;
    const toolkit::OpenFileRequest request{toolkit::Text(toolkit::TextId::GalleryFindTitle), "",
                                           toolkit::Text(toolkit::TextId::GalleryPictureFiles),
                                           "*.png;*.bmp;*.ico;*.gif;*.jpg;*.jpeg"};
    if (toolkit::AskOpenPath(Handle(), request, path)) FindPictureFile(path);
}

void TIconGallery::ShowAllClick() {
    search_.reset();
    ShowListOrder();
}

void TIconGallery::FindPictureFile(const std::string& path) {
    try {
        FindPicture(iconexport::ReadPictureFile(Imaging(), path));
    } catch (const iconexport::EPictureUnreadable& e) {
        toolkit::ShowMessage(e.what());
    }
}

void TIconGallery::FindClipboardPicture() {
    try {
        FindPicture(iconexport::ReadClipboardPicture(Imaging(), Handle()));
    } catch (const iconexport::EPictureUnreadable& e) {
        toolkit::ShowMessage(e.what());
    }
}

// A picture dropped from the shell: its first file.
void TIconGallery::WMDropFiles(HDROP drop) {
    SetForegroundWindow(Handle());
    std::wstring wide(MAX_PATH, L'\0');
    wide.resize(DragQueryFileW(drop, 0, &wide[0], MAX_PATH));
    const std::string path = toolkit::AnsiPathOf(wide);
    if (path.empty()) {
        char shown[MAX_PATH] = {};
        DragQueryFileA(drop, 0, shown, MAX_PATH - 1);
        toolkit::ShowMessage(toolkit::TextWith(toolkit::TextId::DropNotFound, {shown}));
        return;
    }
    FindPictureFile(path);
}

// A new search replaces one under way; the list's order stays shown until it is done.
void TIconGallery::FindPicture(iconexport::ImagePixels picture) {
    if (!icons_) return;
    search_.reset();
    search_ = std::make_unique<gallery::GalleryPictureSearch>(Handle(), kSearchMessage, std::move(picture), icons_->Files());
    ShowCount();
}

void TIconGallery::TakeSearch() {
    if (!search_) return;
    if (!search_->Finished()) return ShowCount();
    const std::string error = search_->Error();
    const std::vector<gallery::OrderedIcon> order = search_->Result();
    search_.reset();
    ShowCount();
    if (!error.empty()) return toolkit::ShowMessage(error);
    ShowInOrder(order);
    selection_.Reset(icons_->IconCount());
    if (order.empty()) return;
    selection_.MoveTo(*icons_, 0, false, false);  // the most alike, whatever keys are still down
    InvalidateRect(Canvas1.Handle(), nullptr, FALSE);
}
