#pragma once
// TForm6, the file-list hint: how to use the list of files, and a button that closes it.
#include "toolkit/Form.h"
#include "toolkit/StdControls.h"

class TForm6 : public toolkit::Form {
public:
    TForm6();
    ~TForm6() override { Destroy(); }

    toolkit::Button Button1;
    toolkit::Label StaticText3, StaticText2, StaticText1;
};

extern TForm6* Form6;
