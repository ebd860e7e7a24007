#include "tests/win/ExportDialogsFixture.h"

#include "tests/win/WindowTexts.h"
#include "toolkit/Application.h"
#include "toolkit/ModalTestHook.h"

using toolkit::ModalTestHook;

namespace exporttest {

void ExportDialogs::SetUp() {
    form1 = std::make_unique<TForm1>(settings / "PICTAVO.INI");
    form2 = std::make_unique<TForm2>();
    form3 = std::make_unique<TForm3>();
    form5 = std::make_unique<TForm5>();
    form1->Show();
    form1->SaveDir = out.Path();
    form2->UseState(*form1);  // as an export run hands it over before showing the dialog
    toolkit::Application::Instance().OnException = [this](const std::string& text) { errors.push_back(text); };
}

void ExportDialogs::TearDown() {
    ModalTestHook::Clear();
    toolkit::Application::Instance().OnException = nullptr;
    form5.reset();
    form3.reset();
    form2.reset();
    form1.reset();
}

void ExportDialogs::Answering(const std::function<void()>& action) {
    // More answers than any test needs: an unexpected window is answered too, never left waiting.
    for (int i = 0; i < 100; ++i) ModalTestHook::OnNextModal([this](HWND window) { Respond(window); });
    action();
    ModalTestHook::Clear();
}

void ExportDialogs::View(const std::string& fixture, const std::string& name) {
    ASSERT_TRUE(CopyFileA(testsupport::FixturePath(fixture).c_str(), (source / name).c_str(), FALSE)) << name;
    form1->FTVE1Change(source.Path());
    form1->DispIcon(name);
}

std::string ExportDialogs::Ini(const char* key) const {
    char value[64] = {};
    GetPrivateProfileStringA("Form", key, "", value, sizeof value, (settings / "PICTAVO.INI").c_str());
    return value;
}

void ExportDialogs::Respond(HWND window) {
    if (window == form2->Handle()) {
        ranges.push_back(form2->Label4.Caption());
        if (onExport) onExport();
        if (confirmExport) form2->Button1.Send(BM_CLICK);
        else PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    } else if (window == form3->Handle()) {
        if (onNewFolder) onNewFolder();
        if (confirmNewFolder) form3->Button1.Send(BM_CLICK);
        else PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    } else if (window == form5->Handle()) {
        questions.push_back(form5->Label7.Caption());
        const exporttest::Reply reply = replies.empty() ? Reply::Cancel : replies.front();
        if (!replies.empty()) replies.erase(replies.begin());
        Answer(reply);
    } else {
        messages.push_back(testsupport::StaticTexts(window));
        PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    }
}

void ExportDialogs::Answer(exporttest::Reply reply) {
    switch (reply) {
    case Reply::Yes: form5->Button1.Send(BM_CLICK); break;
    case Reply::No: form5->Button3.Send(BM_CLICK); break;
    case Reply::All: form5->Button2.Send(BM_CLICK); break;
    case Reply::Cancel: form5->Button4.Send(BM_CLICK); break;
    case Reply::Close: PostMessageA(form5->Handle(), WM_CLOSE, 0, 0); break;
    }
}

}  // namespace exporttest
