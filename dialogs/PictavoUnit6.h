#pragma once
// TForm6, the file-list hint: ファイルリストのヒント
#include "toolkit/Form.h"

class TForm6 : public toolkit::Form {
public:
    TForm6();
    ~TForm6() override { Destroy(); }
};

extern TForm6* Form6;
