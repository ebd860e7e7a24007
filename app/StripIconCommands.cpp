// The strip's own right-click menu: the detail window of the icon under the pointer, and copying
// its largest, deepest image.
#include "app/PictavoUnit.h"

#include "icons/IconSource.h"
#include "icons/PathNames.h"
#include "dialogs/PictavoUnit7.h"
#include "export/ImageClipboard.h"
#include "export/WicImaging.h"

// A cell of an icon gets the strip's menu; the blank strip and the room after the last cell get
// the window's own.
void TForm1::Image1ContextMenu(int x, int screenX, int screenY) {
    const int cell = StripCellAt(x);
    if (!Btn4.Enabled() || x < 0 || cell >= StripIconCount) {
        PopupMenu1.Popup(Handle(), screenX, screenY);
        return;
    }
    menuCell_ = cell;
    StripMenu.Popup(Handle(), screenX, screenY);
}

void TForm1::IconDetailClick() {
    if (Form7) Form7->ShowIcon(*this, SearchDir, StripFileName, menuCell_);
}

void TForm1::IconCopyClick() {
    icons::IconFile file(Handle(), icons::DirYen(SearchDir, toolkit::SystemLeadBytes()) + StripFileName, Groups());
    iconexport::CopyIconToClipboard(Handle(), iconexport::WicImaging(), file, menuCell_);
}
