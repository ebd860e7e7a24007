#pragma once
// TForm4, the About box: About
#include "toolkit/Form.h"

class TForm4 : public toolkit::Form {
public:
    TForm4();
    ~TForm4() override { Destroy(); }
};

extern TForm4* Form4;
