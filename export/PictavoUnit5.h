#pragma once
// TForm5, the overwrite question: 同じ名前のファイル
#include "toolkit/Form.h"

class TForm5 : public toolkit::Form {
public:
    TForm5();
    ~TForm5() override { Destroy(); }
};

extern TForm5* Form5;
