#include "export/PictavoUnit2.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() {
    Form2 = this;
    CreateForm("取り出しの指定", 365, 264, toolkit::FormPosition::SystemDefault);
}
