#pragma once
// TForm1, the main window: folder, search, the list of files with icons, and the settings it
// loads at start-up and saves at the end of the run.
#include <memory>
#include <string>

#include "dialogs/IconGallery.h"
#include "export/ProgramState.h"
#include "icons/IconCatalogue.h"
#include "icons/ProgramLocation.h"
#include "foldertree/FTVEX_D3.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/ListView.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdControls.h"

// The program-wide state (folders, export formats, settings) is the window's own, alive for the
// whole run, and handed to the export run and the detail window.
class TForm1 : public toolkit::Form, public iconexport::ProgramState, private toolkit::ListRowSource {
public:
    // `settingsPath` is the settings file (beside the executable unless a test chooses another).
    explicit TForm1(const std::string& settingsPath = icons::SettingsFileLocation());
    ~TForm1() override;

    icons::IconCatalogue Catalogue;

    // The file whose icons the strip shows, and how many it has.
    std::string StripFileName;
    int StripIconCount = 0;

    toolkit::Label Label1, Label2, Label3, Label4, Label5, Label6;
    toolkit::ScrollBox ScrollBox1;
    toolkit::Image Image1;
    foldertree::TFolderTreeViewEx FTVE1;
    toolkit::ListView ListView1;
    toolkit::CheckBox CheckBox1, CheckBox2;
    // Cursors instead of icons: the search, the list and the strip.
    toolkit::CheckBox CheckBox3;
    toolkit::Button Btn1, Btn2, Btn4, Btn5, Btn3;
    toolkit::StatusBar StatusBar1;
    toolkit::PopupMenu PopupMenu1;
    // The strip's own right-click menu: the icon's detail window and copy, then PopupMenu1's items.
    toolkit::PopupMenu StripMenu;
    // The list's right-click menu for a listed file: view, export, its folder, its path.
    toolkit::PopupMenu ListMenu;

    void FTVE1Change(const std::string& folderName);
    void CheckBox1Click();
    void CheckBox3Click();
    void Btn1Click();
    void ListView1Click();
    void ListView1ColumnClick(int column);
    void Btn2Click();
    void DispIcon(const std::string& name);
    void Btn4Click();
    void Image1DblClick(int x);
    // The strip's cells: 32 pixels square at 96 DPI, scaled to the window's DPI; the cell under
    // x, counted from the strip's left edge.
    int StripCellSize() const { return Scale(32); }
    int StripCellAt(int x) const { return x / StripCellSize(); }
    // A right click on the strip: its own menu over a cell of an icon, PopupMenu1 elsewhere.
    void Image1ContextMenu(int x, int screenX, int screenY);
    void IconDetailClick();
    void IconCopyClick();
    void Btn3Click();
    // ｱｲｺﾝ一覧: every icon of the listed files, in a window of its own made at the first press.
    void Btn5Click();
    std::unique_ptr<TIconGallery> Gallery;
    void ShowHint();
    void About1Click();
    void ListHintClick();
    void DispNormal();
    void DispReverse();

    // A path given on the command line: a file is taken as a dropped one, a folder is entered and
    // searched; anything else is refused with the drop's message.
    void OpenStartPath(const std::wstring& path);

    // The strip by keyboard: the current cell (framed while the strip has the focus), moved by
    // the keys and by a click; Enter exports its icon, the menu key opens its menu.
    int StripCell() const { return stripCell_; }
    void MoveStripCell(int cell);
    bool StripKeyDown(WPARAM key);
    void StripKeyboardMenu();
    // The tip of a cell: its number, its largest stored image, how many images it stores.
    std::string StripCellTip(int cell);

    // The list's menu for row `row`, shown at screen position (x, y).
    void ListRowMenu(int row, int x, int y);
    void ListViewClick();
    void ListExportClick();
    void ListOpenFolderClick();
    void ListCopyPathClick();
    // The full path of a listed file.
    std::string ListedPath(int row) const;
    // Explorer's window of the file's folder, the file selected.
    virtual void ShowInFolder(const std::string& path);

    // The export run: writes icons first ... last of the strip's file.
    virtual void PutIcon(int first, int last);
    // Fills the overwrite question for the file `name` in SaveDir.
    void FillDupForm(const std::string& name);

protected:
    void FormDestroy() override;
    void WMDropFiles(HDROP drop) override;
    void DpiChanged() override;

private:
    class SearchInProgress;
    void CreateControls();
    void FormCreate();
    void EnterSearchDir();
    void SearchSubFolders(int threshold);
    bool SearchGoesOn(int found, const std::string& folder);
    void ShowSearchProgress(int found, const std::string& folder);
    void ResetColumnCaptions();
    toolkit::TextId CountColumnText() const;
    void TakeFile(const std::string& path);
    void GoToDroppedFile(const std::string& path, int iconCount);
    void EnterAndSearch(const std::string& folder);
    void ShowStripCell(int cell);
    void StripMouseMove(int x);
    void SelectFolderInTree(const std::string& folder);
    std::string CellText(int row, int column) const override;

    bool destroyed_ = false;
    bool searching_ = false;   // a sub-folder search is running; a second press of Btn1 stops it
    bool stopSearch_ = false;
    DWORD lastProgress_ = 0;
    int progressTicks_ = 0;
    int menuCell_ = 0;  // the strip cell whose menu was shown last
    int stripCell_ = 0;  // the strip's current cell
    int tipCell_ = -1;   // the cell whose tip the strip shows; -1: the strip's hint
    int menuRow_ = -1;   // the list row whose menu was shown last
};

extern TForm1* Form1;
