#include "toolkit/MessageDialog.h"

#include <algorithm>

#include "toolkit/Application.h"
#include "toolkit/Dpi.h"
#include "toolkit/Form.h"
#include "toolkit/ModalTestHook.h"
#include "toolkit/StdControls.h"

namespace toolkit {

namespace {

class MessageForm : public Form {
public:
    MessageForm(const std::string& text, HICON icon) {
        constexpr int kMargin = 12, kIconSize = 32, kButtonWidth = 75, kButtonHeight = 25;
        const SIZE textSize = MeasureText(text);
        const int iconWidth = icon ? kIconSize + kMargin : 0;
        const int textHeight = std::max<int>(textSize.cy, icon ? kIconSize : 0);
        const int width = std::max<int>(kMargin * 2 + iconWidth + textSize.cx, kButtonWidth + kMargin * 2);
        const int height = kMargin + textHeight + kMargin + kButtonHeight + kMargin;
        CreateForm(Application::Instance().Title(), width, height, FormPosition::ScreenCenter);
        if (icon) {
            iconControl_.Create(*this, {kMargin, kMargin, kIconSize, kIconSize}, "", false);
            SetWindowLongPtrA(iconControl_.Handle(), GWL_STYLE, WS_CHILD | WS_VISIBLE | SS_ICON);
            iconControl_.Send(STM_SETICON, reinterpret_cast<WPARAM>(icon));
        }
        text_.Create(*this, {kMargin + iconWidth, kMargin, textSize.cx, textSize.cy}, text, false);
        ok_.Create(*this, {(width - kButtonWidth) / 2, height - kMargin - kButtonHeight, kButtonWidth, kButtonHeight}, "OK");
        ok_.SetModalResult(mrOk);
        ok_.SetDefault(true);
        ok_.SetCancel(true);
    }
    std::string Text() const { return text_.Caption(); }

private:
    // The text's size in the dialog font at the system's DPI, given in designed pixels (at 96 DPI)
    // that cover it there.
    static SIZE MeasureText(const std::string& text) {
        const int dpi = SystemDpi();
        const Font font = FormFontForDpi(dpi);
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font.Handle());
        RECT r{0, 0, ScaleToDpi(600, dpi), 0};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return {DesignedCovering(r.right, dpi) + 2, DesignedCovering(r.bottom, dpi)};
    }

    Label iconControl_;
    Label text_;
    Button ok_;
};

void RunMessage(const std::string& text, HICON icon) {
    MessageForm form(text, icon);
    form.ShowModal();
    form.Destroy();
}

}  // namespace

void ShowMessage(const std::string& text) { RunMessage(text, nullptr); }

void ShowErrorMessage(const std::string& text) { RunMessage(text, LoadIcon(nullptr, IDI_HAND)); }

int PlatformMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    ModalTestHook::ModalStarting(nullptr);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace toolkit
