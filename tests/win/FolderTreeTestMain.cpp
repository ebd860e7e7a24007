// Entry of the folder tree tests: the application set up as the program does, with OLE.
#include <gtest/gtest.h>

#include "foldertree/OleSession.h"
#include "toolkit/Application.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    foldertree::OleSession ole;
    toolkit::Application::Instance().Initialize();
    return RUN_ALL_TESTS();
}
