// Program entry: the seven windows in their fixed order, only the main window shown, the message
// loop until it closes, then the windows destroyed (the main window last, saving the settings).
#include <windows.h>

#include <memory>

#include "app/PictavoUnit.h"
#include "app/StartPath.h"
#include "icons/ProgramLocation.h"
#include "toolkit/SettingsFile.h"
#include "dialogs/PictavoUnit4.h"
#include "dialogs/PictavoUnit6.h"
#include "dialogs/PictavoUnit7.h"
#include "export/PictavoUnit2.h"
#include "export/PictavoUnit3.h"
#include "export/PictavoUnit5.h"
#include "foldertree/OleSession.h"
#include "toolkit/Application.h"
#include "toolkit/ProgramTexts.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    foldertree::OleSession ole;  // the folder tree's shell and drag-and-drop services
    auto& application = toolkit::Application::Instance();
    application.Initialize();
    // Chosen once, before the first window takes its texts.
    const toolkit::SettingsFile settings(icons::SettingsFileLocation());
    toolkit::SetLanguage(toolkit::ChooseLanguage(GetACP(), settings.ReadString("Opt", "Language", "")));
    const std::wstring startPath = StartPathFromCommandLine();  // before the window changes folder
    auto form1 = std::make_unique<TForm1>();
    auto form2 = std::make_unique<TForm2>();
    auto form3 = std::make_unique<TForm3>();
    auto form4 = std::make_unique<TForm4>();
    auto form5 = std::make_unique<TForm5>();
    auto form6 = std::make_unique<TForm6>();
    auto form7 = std::make_unique<TForm7>();
    if (!startPath.empty()) {
        form1->Show();
        try {
            form1->OpenStartPath(startPath);
        } catch (const std::exception& error) {
            application.HandleException(error);  // as in any event handler: reported, the program goes on
        }
    }
    application.Run();
    form7.reset();
    form6.reset();
    form5.reset();
    form4.reset();
    form3.reset();
    form2.reset();
    form1.reset();
    return 0;
}
