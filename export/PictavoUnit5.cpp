#include "export/PictavoUnit5.h"

TForm5* Form5 = nullptr;

TForm5::TForm5() {
    Form5 = this;
    CreateForm("同じ名前のファイル", 417, 151, toolkit::FormPosition::ScreenCenter);
}
