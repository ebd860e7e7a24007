#include "dialogs/PictavoUnit6.h"
#include "toolkit/ProgramTexts.h"

TForm6* Form6 = nullptr;

TForm6::TForm6() {
    Form6 = this;
    CreateForm(toolkit::Text(toolkit::TextId::HintCaption), 275, 232, toolkit::FormPosition::ScreenCenter);
    Button1.Create(*this, {96, 192, 75, 25}, toolkit::Text(toolkit::TextId::HintOk));
    Button1.SetModalResult(toolkit::mrOk);
    StaticText3.Create(*this, {24, 24, 225, 25},
                       toolkit::Text(toolkit::TextId::HintDoubleClick), false);
    StaticText2.Create(*this, {24, 72, 225, 65},
                       toolkit::Text(toolkit::TextId::HintHeaders), false);
    StaticText1.Create(*this, {24, 160, 238, 16}, toolkit::Text(toolkit::TextId::HintApology));
}
