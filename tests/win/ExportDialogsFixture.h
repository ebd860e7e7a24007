#pragma once
// The program's windows for the export tests, with one responder for every modal window they open:
// the export dialog, the overwrite question, the new-folder dialog and the messages.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/PictavoUnit.h"
#include "export/PictavoUnit2.h"
#include "export/PictavoUnit3.h"
#include "export/PictavoUnit5.h"
#include "tests/win/TestFolder.h"

namespace exporttest {

enum class Reply { Yes, No, All, Cancel, Close };

class ExportDialogs : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs `action` with every modal window it opens answered by Respond.
    void Answering(const std::function<void()>& action);
    // The export button, with the strip showing `fixture` copied into the source folder as `name`.
    void View(const std::string& fixture, const std::string& name);
    void Export() {
        Answering([this] { form1->Btn4.Send(BM_CLICK); });
    }
    std::string Ini(const char* key) const;

    testsupport::TestFolder settings, source, out;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm5> form5;

    // How the dialogs are answered. The set-up runs while the dialog is up, before the answer.
    std::function<void()> onExport, onNewFolder;
    bool confirmExport = true, confirmNewFolder = true;
    std::vector<Reply> replies;  // to the overwrite questions in turn; Cancel once they run out

    // What they showed: the export dialog's range label, each question's file name, each
    // message's text, each error box's text.
    std::vector<std::string> ranges, questions, messages, errors;

private:
    void Respond(HWND window);
    void Answer(exporttest::Reply reply);
};

}  // namespace exporttest
