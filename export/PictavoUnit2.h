#pragma once
// TForm2, the export options dialog: 取り出しの指定
#include "toolkit/Form.h"

class TForm2 : public toolkit::Form {
public:
    TForm2();
    ~TForm2() override { Destroy(); }
};

extern TForm2* Form2;
