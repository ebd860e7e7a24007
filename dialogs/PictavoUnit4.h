#pragma once
// TForm4, the About box: the program's icon, name, version, rights, address and a word on its
// licence, and an OK button.
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Panel.h"
#include "toolkit/StdControls.h"

class TForm4 : public toolkit::Form {
public:
    TForm4();
    ~TForm4() override { Destroy(); }

    toolkit::Panel Panel1;
    toolkit::Image ProgramIcon;
    toolkit::Label ProductName, Version, Copyright, Comments;
    toolkit::Edit Edit1;
    toolkit::Button OKButton;

private:
    HICON mainIcon_ = nullptr;  // a shared resource icon: not destroyed
};

extern TForm4* Form4;
