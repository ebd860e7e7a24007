// Refreshing the folder tree keeps what the user had open; an in-place rename goes to the shell.
#include <gtest/gtest.h>

#include "foldertree/ShellItems.h"
#include "tests/win/FolderTreeHost.h"
#include "tests/win/TestFolder.h"
#include "toolkit/Application.h"

using foldertree::TFolderTreeViewEx;
using testsupport::ChildByCaption;
using testsupport::ChildCaptions;
using toolkit::TTreeNode;

namespace {

std::string NodePath(const TTreeNode* node) {
    const auto* record = TFolderTreeViewEx::RecordOf(node);
    return record ? foldertree::IDListToPath(record->AbsoluteID.Get()) : std::string();
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class FolderTreeChanges : public testing::Test {
protected:
    void MakeFolders(std::initializer_list<const char*> names) {
        for (const char* name : names) ASSERT_TRUE(CreateDirectoryA((folder / name).c_str(), nullptr)) << name;
    }
    void CreateManualTree(const toolkit::Rect& bounds = {10, 10, 213, 241}) {
        host.tree.SetRootFolder(foldertree::rfManual);
        host.tree.SetRootFolderName(folder.Path());
        host.CreateTree(bounds);
    }
    TTreeNode* Root() { return host.tree.GetFirstNode(); }
    // Types `text` into the node's in-place edit and ends it as Enter does.
    void Rename(TTreeNode& node, const std::string& text) {
        node.EditText();
        HWND edit = host.tree.EditControl();
        ASSERT_NE(edit, nullptr);
        SetWindowTextA(edit, text.c_str());
        host.tree.Send(TVM_ENDEDITLABELNOW, FALSE);
        toolkit::Application::Instance().ProcessMessages();  // the refresh that follows a rename
    }

    testsupport::TestFolder folder;
    testsupport::TreeHost host;
};

}  // namespace

TEST_F(FolderTreeChanges, RefreshKeepsOpenBranchesSelectionAndTopNodeAndListsNewFolders) {
    MakeFolders({"A", "A\\A1", "A\\A2", "B", "B\\B1", "B\\B1\\B11", "C", "D", "E", "F", "G", "H"});
    CreateManualTree({10, 10, 213, 120});  // a few lines high, so the top node can move
    auto& tree = host.tree;
    ChildByCaption(Root(), "A")->Expand(false);
    ASSERT_TRUE(tree.SelectPath(folder / "B\\B1\\B11"));
    tree.SetTopItem(ChildByCaption(ChildByCaption(Root(), "A"), "A2"));
    ASSERT_EQ(NodePath(tree.TopItem()), folder / "A\\A2");

    MakeFolders({"AB", "B\\B1\\B10"});
    tree.RefreshTree();

    EXPECT_EQ(ChildCaptions(Root(), tree),
              (std::vector<std::string>{"A", "AB", "B", "C", "D", "E", "F", "G", "H"}));
    TTreeNode* b1 = ChildByCaption(ChildByCaption(Root(), "B"), "B1");
    ASSERT_NE(b1, nullptr);
    EXPECT_EQ(ChildCaptions(b1, tree), (std::vector<std::string>{"B10", "B11"}));
    EXPECT_TRUE(ChildByCaption(Root(), "A")->Expanded());
    EXPECT_TRUE(b1->Expanded());
    EXPECT_FALSE(ChildByCaption(Root(), "C")->Expanded());
    EXPECT_EQ(NodePath(tree.Selected()), folder / "B\\B1\\B11");
    EXPECT_EQ(NodePath(tree.TopItem()), folder / "A\\A2");
    EXPECT_EQ(host.changes.back(), folder / "B\\B1\\B11");
}

TEST_F(FolderTreeChanges, RefreshOfAnEmptyTreeDoesNothing) {
    host.tree.SetRootFolder(foldertree::rfManual);
    host.CreateTree();
    host.tree.ClearNodes();
    const DWORD start = GetTickCount();
    host.tree.RefreshTree();
    EXPECT_EQ(host.tree.GetFirstNode(), nullptr);
    EXPECT_LT(GetTickCount() - start, 1000u);  // not even the wait for the shell
}

TEST_F(FolderTreeChanges, ARenameTypedIntoTheTreeRenamesTheFolder) {
    MakeFolders({"KEEP", "OLD"});
    CreateManualTree();
    TTreeNode* old = ChildByCaption(Root(), "OLD");
    ASSERT_NE(old, nullptr);
    Rename(*old, "NEW");
    EXPECT_TRUE(FolderExists(folder / "NEW"));
    EXPECT_FALSE(FolderExists(folder / "OLD"));
    EXPECT_EQ(ChildCaptions(Root(), host.tree), (std::vector<std::string>{"KEEP", "NEW"}));
    EXPECT_EQ(NodePath(ChildByCaption(Root(), "NEW")), folder / "NEW");
}

TEST_F(FolderTreeChanges, ARenameTheShellRefusesKeepsTheTypedCaption) {
    MakeFolders({"OLD"});
    CreateManualTree();
    TTreeNode* old = ChildByCaption(Root(), "OLD");
    // Wine refuses names with \ / : * ? " < > | (Windows would refuse them with its own message).
    Rename(*old, "A:B");
    EXPECT_TRUE(FolderExists(folder / "OLD"));
    EXPECT_EQ(old->Text(), "A:B");
}

TEST_F(FolderTreeChanges, WithoutAutoUpDateARenameIsDropped) {
    MakeFolders({"OLD"});
    host.tree.SetAutoUpDate(false);
    CreateManualTree();
    TTreeNode* old = ChildByCaption(Root(), "OLD");
    Rename(*old, "NEW");
    EXPECT_TRUE(FolderExists(folder / "OLD"));
    EXPECT_FALSE(FolderExists(folder / "NEW"));
    EXPECT_EQ(old->Text(), "OLD");
}

TEST_F(FolderTreeChanges, TheComputerFolderKeepsItsNameInTheShell) {
    host.CreateTree();
    TTreeNode* top = Root();
    const std::string name = top->Text();
    Rename(*top, "RENAMED");
    EXPECT_EQ(top->Text(), "RENAMED");  // until the next rebuild
    host.tree.SetShowIncludeHidden(false);
    EXPECT_EQ(Root()->Text(), name);
}
