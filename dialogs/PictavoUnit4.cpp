#include "dialogs/PictavoUnit4.h"

TForm4* Form4 = nullptr;

TForm4::TForm4() {
    Form4 = this;
    CreateForm("About", 298, 214, toolkit::FormPosition::ScreenCenter);
}
