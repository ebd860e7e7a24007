// Entry of the Windows GUI test programs: the application object set up as the program does.
#include <gtest/gtest.h>

#include "foldertree/OleSession.h"
#include "toolkit/Application.h"
#include "toolkit/ProgramTexts.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    foldertree::OleSession ole;
    toolkit::Application::Instance().Initialize();
    toolkit::SetLanguage(toolkit::ChooseLanguage(GetACP(), ""));
    return RUN_ALL_TESTS();
}
