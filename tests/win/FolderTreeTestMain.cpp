// Entry of the folder tree tests: the application set up as the program does, with OLE and a
// main form that lives for the whole run (the forms the tests make are owned by it).
#include <gtest/gtest.h>

#include "foldertree/OleSession.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {
class MainForm : public toolkit::Form {
public:
    MainForm() { CreateForm("Folder tree tests", 100, 100, toolkit::FormPosition::SystemDefault); }
    ~MainForm() override { Destroy(); }
};
}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    foldertree::OleSession ole;
    toolkit::Application::Instance().Initialize();
    MainForm main;
    return RUN_ALL_TESTS();
}
