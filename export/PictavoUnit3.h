#pragma once
// TForm3, the new-folder dialog: フォルダの作成
#include "toolkit/Form.h"

class TForm3 : public toolkit::Form {
public:
    TForm3();
    ~TForm3() override { Destroy(); }
};

extern TForm3* Form3;
