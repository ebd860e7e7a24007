#include "export/PictavoUnit5.h"
#include "toolkit/ProgramTexts.h"

TForm5* Form5 = nullptr;

namespace {
// Bevel1: the sunken frame around the name, time and size, painted by the form itself.
constexpr RECT kBevel1{16, 32, 16 + 369, 32 + 61};
}  // namespace

TForm5::TForm5() {
    Form5 = this;
    CreateForm(toolkit::Text(toolkit::TextId::OverwriteCaption), 417, 151, toolkit::FormPosition::ScreenCenter);
    Label1.Create(*this, {16, 8, 0, 0}, toolkit::Text(toolkit::TextId::OverwriteQuestion));
    Label2.Create(*this, {44, 40, 0, 0}, toolkit::Text(toolkit::TextId::OverwriteNameLabel));
    Label7.Create(*this, {117, 40, 0, 0}, "");
    Label3.Create(*this, {49, 56, 0, 0}, toolkit::Text(toolkit::TextId::OverwriteTimeLabel));
    Label5.Create(*this, {117, 55, 0, 0}, "");
    Label4.Create(*this, {63, 72, 0, 0}, toolkit::Text(toolkit::TextId::OverwriteSizeLabel));
    Label6.Create(*this, {117, 71, 0, 0}, "");

    // Created in the tab order: Yes, No, All, Cancel.
    const auto button = [this](toolkit::Button& b, int left, const char* caption, int result) {
        b.Create(*this, {left, 112, 75, 25}, caption);
        b.SetModalResult(result);
    };
    button(Button1, 35, toolkit::Text(toolkit::TextId::OverwriteYes), toolkit::mrYes);
    button(Button3, 123, toolkit::Text(toolkit::TextId::OverwriteNo), toolkit::mrNo);
    button(Button2, 211, toolkit::Text(toolkit::TextId::OverwriteAll), toolkit::mrAll);
    button(Button4, 299, toolkit::Text(toolkit::TextId::OverwriteCancel), toolkit::mrCancel);
    Button3.SetDefault(true);
    Button4.SetCancel(true);
    // The question opens on No, so that Enter never replaces a file by accident.
    OnActivate = [this] { Button3.SetFocus(); };
}

LRESULT TForm5::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintBevel();
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

void TForm5::PaintBevel() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT r = kBevel1;
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    EndPaint(Handle(), &ps);
}
