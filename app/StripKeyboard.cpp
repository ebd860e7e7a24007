// The strip by keyboard and pointer: the current cell and its focus frame, the keys that move it
// and act on it, and the tip of the cell under the pointer.
#include "app/PictavoUnit.h"

#include <algorithm>
#include <cstdio>

#include "export/PngSizeChoice.h"
#include "export/StoredImageFacts.h"
#include "icons/IconSource.h"
#include "icons/PathNames.h"
#include "toolkit/ProgramTexts.h"

namespace {

// What the tip tells of an icon's stored images: the largest, deepest one and how many there are
// (none for an icon whose images the file does not keep readable).
struct StoredImagesSummary {
    iconexport::StoredImageFacts largest;
    int count = 0;
};

StoredImagesSummary SummarizeStoredImages(icons::IconFile& file, int index) {
    const std::vector<iconexport::StoredImageFacts> facts = iconexport::FactsOf(file.Stored(index));
    if (facts.empty()) return {};
    return {facts[iconexport::LargestDeepestImage(facts)], static_cast<int>(facts.size())};
}

// "3: 256×256 32ﾋﾞｯﾄ PNG ほか 6 画像"
std::string TipText(int index, const StoredImagesSummary& images) {
    std::string tip = std::to_string(index);
    if (images.count == 0) return tip;
    const std::string image = iconexport::ImageCaption(images.largest);
    tip += ": ";
    if (images.count == 1) return tip + image;
    if (images.count == 2) return tip + toolkit::TextWith(toolkit::TextId::StripTipOneMore, {image});
    char more[128];
    std::snprintf(more, sizeof more, toolkit::Text(toolkit::TextId::StripTipMore), image.c_str(), images.count - 1);
    return tip + more;
}

}  // namespace

// Frames the cell (none for -1) without scrolling: a new view starts at the first cell.
void TForm1::ShowStripCell(int cell) {
    stripCell_ = std::max(cell, 0);
    tipCell_ = -1;
    const int size = StripCellSize();
    Image1.SetFocusFrame(cell < 0 ? RECT{} : RECT{cell * size, 0, (cell + 1) * size, size});
}

void TForm1::MoveStripCell(int cell) {
    if (StripIconCount <= 0) return;
    cell = std::clamp(cell, 0, StripIconCount - 1);
    const int size = StripCellSize();
    stripCell_ = cell;
    Image1.SetFocusFrame({cell * size, 0, (cell + 1) * size, size});
    ScrollBox1.ShowContentRange(cell * size, (cell + 1) * size);
}

bool TForm1::StripKeyDown(WPARAM key) {
    if (!Btn4.Enabled() || StripIconCount <= 0) return false;
    const int page = std::max(ScrollBox1.VisibleWidth() / StripCellSize(), 1);
    switch (key) {
    case VK_LEFT: MoveStripCell(stripCell_ - 1); return true;
    case VK_RIGHT: MoveStripCell(stripCell_ + 1); return true;
    case VK_HOME: MoveStripCell(0); return true;
    case VK_END: MoveStripCell(StripIconCount - 1); return true;
    case VK_PRIOR: MoveStripCell(stripCell_ - page); return true;
    case VK_NEXT: MoveStripCell(stripCell_ + page); return true;
    case VK_RETURN:
        PutIcon(stripCell_, stripCell_);
        Image1.SetFocus();  // back from the export's dialogs, the keys go on along the strip
        return true;
    case 'C':
        if (!(GetKeyState(VK_CONTROL) & 0x8000)) return false;
        menuCell_ = stripCell_;
        IconCopyClick();
        return true;
    default: return false;
    }
}

// The strip's menu for the current cell, at the cell's lower left; the window's own when the strip
// shows no icon.
void TForm1::StripKeyboardMenu() {
    const int size = StripCellSize();
    POINT at{stripCell_ * size + size / 2, size};
    ClientToScreen(Image1.Handle(), &at);
    if (!Btn4.Enabled() || StripIconCount <= 0) {
        PopupMenu1.Popup(Handle(), at.x, at.y);
        return;
    }
    menuCell_ = stripCell_;
    StripMenu.Popup(Handle(), at.x, at.y);
}

// The pop-up shows the tip of the cell under the pointer; it is made again when the pointer
// reaches another cell. The status bar keeps the strip's hint.
void TForm1::StripMouseMove(int x) {
    const int cell = StripCellAt(x);
    if (!Image1.ShowHint() || x < 0 || cell >= StripIconCount || cell == tipCell_) return;
    tipCell_ = cell;
    SetToolTip(Image1.Handle(), StripCellTip(cell));
}

std::string TForm1::StripCellTip(int cell) {
    icons::IconFile file(Handle(), icons::DirYen(SearchDir, toolkit::SystemLeadBytes()) + StripFileName, Groups());
    return TipText(cell, SummarizeStoredImages(file, cell));
}
