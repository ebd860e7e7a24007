#include "dialogs/PictavoUnit6.h"

TForm6* Form6 = nullptr;

TForm6::TForm6() {
    Form6 = this;
    CreateForm("ファイルリストのヒント", 275, 232, toolkit::FormPosition::ScreenCenter);
    Button1.Create(*this, {96, 192, 75, 25}, "許します");
    Button1.SetModalResult(toolkit::mrOk);
    StaticText3.Create(*this, {24, 24, 225, 25},
                       "ファイルリストのファイル名をダブルクリックすると、アイコンを表示します。", false);
    StaticText2.Create(*this, {24, 72, 225, 65},
                       "ファイルリストのタイトルは、エクスプローラと同じようにボタンになっています。"
                       "押すと、上昇順あるいは下降順にソートします。よーく見ると、＋－記号が付いていることが"
                       "わかります。（この処理に一番苦労しました）",
                       false);
    StaticText1.Create(*this, {24, 160, 238, 16}, "ヘルプの作り方は勉強中なのでこれで許して。");
}
