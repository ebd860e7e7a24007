#pragma once
// TForm5, the overwrite question: 同じ名前のファイル. Names the existing file with its time and
// size and asks Yes, No, All or Cancel; the main window's FillDupForm fills it.
#include "toolkit/Form.h"
#include "toolkit/StdControls.h"

class TForm5 : public toolkit::Form {
public:
    TForm5();
    ~TForm5() override { Destroy(); }

    toolkit::Label Label1, Label2, Label7, Label3, Label5, Label4, Label6;
    toolkit::Button Button1, Button3, Button2, Button4;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintBevel();
};

extern TForm5* Form5;
