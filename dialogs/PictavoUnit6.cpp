#include "dialogs/PictavoUnit6.h"

TForm6* Form6 = nullptr;

TForm6::TForm6() {
    Form6 = this;
    CreateForm("ファイルリストのヒント", 275, 232, toolkit::FormPosition::ScreenCenter);
}
