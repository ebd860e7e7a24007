#pragma once
// TForm3, the new-folder dialog: フォルダの作成. Takes the new folder's name and refuses characters
// a folder name cannot hold; the export dialog creates the folder.
#include <string>

#include "toolkit/Form.h"
#include "toolkit/StdControls.h"

class TForm3 : public toolkit::Form {
public:
    TForm3();
    ~TForm3() override { Destroy(); }

    toolkit::Label Label2, Label3, Label1;
    toolkit::Edit Edit1;
    toolkit::Button Button1, Button2;

    void Edit1Change();
    void FormActivate();
    static bool IsValidFolderName(const std::string& name);
};

extern TForm3* Form3;
