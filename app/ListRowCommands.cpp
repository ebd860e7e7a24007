// The list's right-click menu for a listed file: view and export it, open its folder, copy its path.
#include "app/PictavoUnit.h"

#include "app/FolderWindow.h"
#include "icons/PathNames.h"
#include "toolkit/Clipboard.h"
#include "toolkit/DoubleByte.h"

void TForm1::ListRowMenu(int row, int x, int y) {
    menuRow_ = row;
    ListMenu.Popup(Handle(), x, y);
}

std::string TForm1::ListedPath(int row) const {
    return icons::DirYen(SearchDir, toolkit::SystemLeadBytes()) + ListView1.RowCaption(row);
}

void TForm1::ListViewClick() {
    if (menuRow_ >= 0 && menuRow_ < ListView1.RowCount()) DispIcon(ListView1.RowCaption(menuRow_));
}

// The file's icons come into the strip, then all of them are exported.
void TForm1::ListExportClick() {
    if (menuRow_ < 0 || menuRow_ >= ListView1.RowCount()) return;
    DispIcon(ListView1.RowCaption(menuRow_));
    Btn4Click();
}

void TForm1::ListOpenFolderClick() {
    if (menuRow_ >= 0 && menuRow_ < ListView1.RowCount()) ShowInFolder(ListedPath(menuRow_));
}

void TForm1::ListCopyPathClick() {
    if (menuRow_ >= 0 && menuRow_ < ListView1.RowCount()) toolkit::Clipboard(Handle()).PutText(ListedPath(menuRow_));
}

void TForm1::ShowInFolder(const std::string& path) { ShowFileInItsFolder(path); }
