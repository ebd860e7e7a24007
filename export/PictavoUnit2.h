#pragma once
// TForm2, the export options dialog: 取り出しの指定. The source file, the destination folder picked
// in its own folder tree (where a new folder can be made), the index range and the formats.
#include <string>

#include "export/ProgramState.h"
#include "foldertree/FTVEX_D3.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/StdControls.h"

class TForm2 : public toolkit::Form {
public:
    TForm2();
    ~TForm2() override { Destroy(); }

    toolkit::Label Label5, Label7, Label6, Label1, Label2, Label3, Label4;
    foldertree::TFolderTreeViewEx FTVE1;
    toolkit::GroupBox GroupBox1;
    toolkit::Label Label8;
    toolkit::CheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4;
    toolkit::ComboBox ComboBox1;
    toolkit::Button Button3, Button1, Button2;

    // The state whose SaveDir the dialog's folder tree sets, for the run about to show the dialog.
    void UseState(iconexport::ProgramState& state) { state_ = &state; }

    // Selects the folder's node and makes it the tree's top visible node; a change of selection
    // reports the folder through FTVE1Change.
    void SelectFolder(const std::string& path);
    // Shows a folder in Label2, shortened to the label's width.
    void ShowFolder(const std::string& folder);

    // The PNG size chosen in ComboBox1: pixels, kLargestPngSize or kEveryPngSize.
    int PngSize() const;
    void SetPngSize(int size);

    void FTVE1Change(const std::string& folderName);
    void CheckBox1Click();
    void Button3Click();

private:
    void CreateControls();

    iconexport::ProgramState* state_ = nullptr;
};

extern TForm2* Form2;
