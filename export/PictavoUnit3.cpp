#include "export/PictavoUnit3.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() {
    Form3 = this;
    CreateForm("フォルダの作成", 290, 125, toolkit::FormPosition::ScreenCenter);
}
