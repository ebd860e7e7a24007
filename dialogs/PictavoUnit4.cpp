#include "dialogs/PictavoUnit4.h"

#include "PictavoVersion.h"
#include "toolkit/ProgramTexts.h"

TForm4* Form4 = nullptr;

TForm4::TForm4() {
    Form4 = this;
    CreateForm(toolkit::Text(toolkit::TextId::AboutCaption), 298, 214, toolkit::FormPosition::ScreenCenter);
    // The OK button comes first in the tab order, so it has the focus when the box opens.
    OKButton.Create(*this, {111, 180, 75, 25}, toolkit::Text(toolkit::TextId::AboutOk));
    OKButton.SetModalResult(toolkit::mrOk);
    OKButton.SetDefault(true);

    Panel1.Create(*this, {8, 8, 281, 161});
    Edit1.Create(Panel1, {48, 91, 177, 12}, "https://pictavo.example.org/", 0, false);
    Edit1.SetBackgroundColor(COLOR_MENU);
    ProgramIcon.Create(Panel1, {24, 16, 33, 33});
    mainIcon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 32, 32, LR_SHARED));
    ProgramIcon.SetIcon(mainIcon_);
    // Sized to its text and centred where the design centres it: with a substitute for the dialog
    // font the name may be wider than the designed 106 pixels, and it must not wrap into Version.
    ProductName.Create(Panel1, {104, 19, 106, 12}, "Pictavo for Windows", true, SS_CENTER);
    Version.Create(Panel1, {129, 35, 57, 12}, "Version " PICTAVO_VERSION_SHORT);
    Copyright.Create(Panel1, {42, 72, 184, 12}, "Copyright (C) 2026 Pictavo developers");
    Comments.Create(Panel1, {24, 120, 229, 24}, "Pictavo is free software: use, copy and share it as you like.", false);
}
