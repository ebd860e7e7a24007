// The folder tree over the real shell: its root, lazy expansion, which items it lists and in
// what order, the property rules, and selecting nodes by path.
#include <gtest/gtest.h>

#include <algorithm>

#include "foldertree/ShellItems.h"
#include "tests/win/FolderTreeHost.h"
#include "tests/win/TestFolder.h"

using foldertree::ItemIdList;
using foldertree::TFolderTreeViewEx;
using testsupport::ChildByCaption;
using testsupport::ChildCaptions;
using toolkit::TTreeNode;

namespace {

constexpr const char* kComputerFolder = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

std::string NodePath(const TTreeNode* node) {
    const auto* record = TFolderTreeViewEx::RecordOf(node);
    return record ? foldertree::IDListToPath(record->AbsoluteID.Get()) : std::string();
}

std::vector<std::string> ChildPaths(const TTreeNode* node) {
    std::vector<std::string> paths;
    for (auto* child = node->GetFirstChild(); child; child = child->GetNextSibling()) paths.push_back(NodePath(child));
    return paths;
}

void MakeFolder(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

class FolderTree : public testing::Test {
protected:
    // A tree rooted at the test's own folder.
    void CreateManualTree() {
        host.tree.SetRootFolder(foldertree::rfManual);
        host.tree.SetRootFolderName(folder.Path());
        host.CreateTree();
    }
    TTreeNode* Root() { return host.tree.GetFirstNode(); }

    testsupport::TestFolder folder;
    testsupport::TreeHost host;
};

}  // namespace

TEST_F(FolderTree, ShowsTheComputerFolderWithItsDrivesAndTheShellsIcons) {
    host.CreateTree();
    TTreeNode* top = Root();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->GetNextSibling(), nullptr);
    EXPECT_TRUE(top->Expanded());
    ItemIdList computer;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.Put()), S_OK);
    EXPECT_EQ(top->Text(), foldertree::ShellDisplayName(computer.Get()));
    // Wine offers C: and Z: (the Linux root) in its computer folder.
    const auto drives = ChildPaths(top);
    EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
    EXPECT_NE(std::find(drives.begin(), drives.end(), "Z:\\"), drives.end());
    EXPECT_NE(host.tree.Send(TVM_GETIMAGELIST, TVSIL_NORMAL), 0);
    EXPECT_GT(top->GetFirstChild()->ImageIndex(), 0);
    // The drives are not enumerated until they are opened, though they show a button.
    EXPECT_TRUE(top->GetFirstChild()->HasChildren());
    EXPECT_EQ(top->GetFirstChild()->GetFirstChild(), nullptr);
}

TEST_F(FolderTree, ChildrenAreEnumeratedOnFirstExpansionOnly) {
    MakeFolder(folder / "P");
    MakeFolder(folder / "P\\Q1");
    MakeFolder(folder / "P\\Q2");
    MakeFolder(folder / "LEAF");
    CreateManualTree();
    TTreeNode* p = ChildByCaption(Root(), "P");
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->HasChildren());
    EXPECT_EQ(p->GetFirstChild(), nullptr);
    // Wine answers SFGAO_HASSUBFOLDER for every folder, so a leaf shows a button (Windows: none).
    TTreeNode* leaf = ChildByCaption(Root(), "LEAF");
    EXPECT_TRUE(leaf->HasChildren());
    leaf->Expand(false);
    EXPECT_EQ(leaf->GetFirstChild(), nullptr);

    p->Expand(false);
    EXPECT_EQ(ChildCaptions(p, host.tree), (std::vector<std::string>{"Q1", "Q2"}));
    MakeFolder(folder / "P\\Q3");
    p->Collapse(false);
    p->Expand(false);
    EXPECT_EQ(ChildCaptions(p, host.tree), (std::vector<std::string>{"Q1", "Q2"}));
}

// A button drawn before the node's children were counted goes when opening it finds none
// (Wine answers SFGAO_HASSUBFOLDER for every folder, so there every drawn folder shows one).
TEST_F(FolderTree, AButtonStaysOnlyOnAFolderWithSubFolders) {
    MakeFolder(folder / "A-SUB");
    MakeFolder(folder / "A-SUB\\INNER");
    MakeFolder(folder / "B-FILE");
    testsupport::WriteTextFile(folder / "B-FILE\\ONLY.TXT", "x");
    CreateManualTree();
    UpdateWindow(host.tree.Handle());
    for (const auto& [name, button] : {std::pair{"A-SUB", true}, std::pair{"B-FILE", false}}) {
        TTreeNode* node = ChildByCaption(Root(), name);
        ASSERT_NE(node, nullptr) << name;
        node->Expand(false);
        UpdateWindow(host.tree.Handle());
        EXPECT_EQ(node->HasChildren(), button) << name;
    }
}

TEST_F(FolderTree, HiddenFoldersFollowShowIncludeHidden) {
    MakeFolder(folder / "SHOWN");
    MakeFolder(folder / "SECRET");
    MakeFolder(folder / "SECRET\\INNER");
    ASSERT_TRUE(SetFileAttributesA((folder / "SECRET").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY));
    CreateManualTree();
    EXPECT_EQ(ChildCaptions(Root(), host.tree), (std::vector<std::string>{"SECRET", "SHOWN"}));
    EXPECT_TRUE(host.tree.SelectPath(folder / "SECRET\\INNER"));

    host.tree.SetShowIncludeHidden(false);
    EXPECT_EQ(ChildCaptions(Root(), host.tree), (std::vector<std::string>{"SHOWN"}));
    EXPECT_FALSE(host.tree.SelectPath(folder / "SECRET\\INNER"));
}

TEST_F(FolderTree, FilesAreListedByTheirExtensionWithFilesFirstOnRequest) {
    MakeFolder(folder / "SUB");
    MakeFolder(folder / "TEXTONLY");
    testsupport::WriteTextFile(folder / "NOTE.ICO", "x");
    testsupport::WriteTextFile(folder / "NOTE.TXT", "x");
    testsupport::WriteTextFile(folder / "SUB\\INNER.ICO", "x");
    testsupport::WriteTextFile(folder / "TEXTONLY\\READ.TXT", "x");
    host.tree.SetShowFile(true);
    CreateManualTree();
    // Every file without a mask, in the shell's order: Wine's sorts folders before files.
    EXPECT_EQ(ChildPaths(Root()), (std::vector<std::string>{folder / "SUB", folder / "TEXTONLY", folder / "NOTE.ICO",
                                                            folder / "NOTE.TXT"}));

    host.tree.SetFileMask({".Ico"});
    EXPECT_EQ(ChildPaths(Root()), (std::vector<std::string>{folder / "SUB", folder / "TEXTONLY", folder / "NOTE.ICO"}));
    // A folder holding a matching file opens onto it. (Wine answers SFGAO_HASSUBFOLDER for every
    // folder, so TEXTONLY shows a button too, where Windows shows none.)
    TTreeNode* sub = Root()->GetFirstChild();
    sub->Expand(false);
    EXPECT_EQ(ChildPaths(sub), (std::vector<std::string>{folder / "SUB\\INNER.ICO"}));
    TTreeNode* textOnly = sub->GetNextSibling();
    textOnly->Expand(false);
    EXPECT_EQ(textOnly->GetFirstChild(), nullptr);

    host.tree.SetInfoViewSort(true);
    EXPECT_EQ(ChildPaths(Root()), (std::vector<std::string>{folder / "NOTE.ICO", folder / "SUB", folder / "TEXTONLY"}));

    host.tree.SetFileMask({"ICO"});  // a line without its dot matches nothing
    EXPECT_EQ(ChildPaths(Root()), (std::vector<std::string>{folder / "SUB", folder / "TEXTONLY"}));
}

TEST_F(FolderTree, WithoutTheRootFolderItsChildrenAreTheTopNodes) {
    MakeFolder(folder / "A");
    MakeFolder(folder / "B");
    host.tree.SetShowRootFolder(false);
    CreateManualTree();
    EXPECT_EQ(ChildCaptions(nullptr, host.tree), (std::vector<std::string>{"A", "B"}));
    // The root itself has no node to select.
    EXPECT_FALSE(host.tree.SelectPath(folder.Path()));
    EXPECT_TRUE(host.tree.SelectPath(folder / "B"));
    EXPECT_EQ(host.changes.back(), folder / "B");
}

TEST_F(FolderTree, AnUnusableManualRootShowsTheComputerFolder) {
    host.tree.SetRootFolder(foldertree::rfManual);
    host.tree.SetRootFolderName(folder / "MISSING");
    host.CreateTree();
    EXPECT_EQ(NodePath(Root()), "");
    EXPECT_TRUE(host.tree.SelectPath("C:\\"));
}

TEST_F(FolderTree, SpecialRootsKeepTheirTopNodeAndFiles) {
    auto& tree = host.tree;
    tree.SetRootFolder(foldertree::rf_Bitbucket);
    EXPECT_TRUE(tree.SpecialRoot());
    tree.SetShowRootFolder(false);
    EXPECT_TRUE(tree.ShowRootFolder());
    tree.SetShowFile(true);
    tree.SetShowFile(false);
    EXPECT_TRUE(tree.ShowFile());
    host.CreateTree();
    EXPECT_FALSE(tree.SelectPath("C:\\"));

    tree.SetRootFolder(foldertree::rfDrives);
    EXPECT_FALSE(tree.SpecialRoot());
    tree.SetShowFile(false);
    tree.SetShowRootFolder(false);
    EXPECT_FALSE(tree.ShowFile());
    EXPECT_FALSE(tree.ShowRootFolder());
    // A manual root listing files keeps its top node.
    tree.SetShowRootFolder(true);
    tree.SetRootFolder(foldertree::rfManual);
    tree.SetShowFile(true);
    tree.SetShowRootFolder(false);
    EXPECT_TRUE(tree.ShowRootFolder());
}

TEST_F(FolderTree, SelectPathReportsDrivesFoldersAndTheComputerFolder) {
    host.CreateTree();
    auto& tree = host.tree;
    ASSERT_TRUE(tree.SelectPath("C:\\"));
    EXPECT_EQ(host.changes.back(), "C:\\");
    EXPECT_EQ(tree.Selected()->Level(), 1);

    // Deep below the drive, through a folder with a double-byte name.
    const std::string japanese = folder / "表示";
    MakeFolder(japanese);
    MakeFolder(japanese + "\\INNER");
    ValidateRect(tree.Handle(), nullptr);
    ASSERT_TRUE(tree.SelectPath(japanese + "\\INNER"));
    EXPECT_EQ(host.changes.back(), japanese + "\\INNER");
    // The branch is opened unseen, then the tree is shown again and drawn once, later.
    EXPECT_TRUE(IsWindowVisible(tree.Handle()) && GetUpdateRect(tree.Handle(), nullptr, FALSE));
    for (TTreeNode* node = tree.Selected()->Parent(); node; node = node->Parent()) EXPECT_TRUE(node->Expanded());
    EXPECT_EQ(tree.Selected()->Text(), "INNER");
    EXPECT_EQ(tree.Selected()->Parent()->Text(), "表示");

    // A missing path does not parse: nothing changes.
    const auto reported = host.changes.size();
    EXPECT_FALSE(tree.SelectPath(folder / "MISSING"));
    EXPECT_EQ(tree.Selected()->Text(), "INNER");
    EXPECT_EQ(host.changes.size(), reported);

    ShowWindow(tree.Handle(), SW_HIDE);  // a hidden tree stays hidden
    ASSERT_TRUE(tree.SelectPath(folder.Path()));
    EXPECT_FALSE(IsWindowVisible(tree.Handle()));

    // The root by its parsing name: the computer folder has no path.
    ASSERT_TRUE(tree.SelectPath(kComputerFolder));
    EXPECT_EQ(tree.Selected(), tree.GetFirstNode());
    EXPECT_EQ(host.changes.back(), "");
    EXPECT_EQ(tree.GetFolderName(), "");
}

TEST_F(FolderTree, SelectPathOutsideTheRootLeavesTheSelection) {
    MakeFolder(folder / "ROOT");
    MakeFolder(folder / "ROOT\\IN");
    MakeFolder(folder / "OUT");
    for (int i = 10; i < 30; ++i) MakeFolder(folder / ("ROOT\\Z" + std::to_string(i)));  // rows below IN
    host.tree.SetRootFolder(foldertree::rfManual);
    host.tree.SetRootFolderName(folder / "ROOT");
    host.CreateTree();
    ASSERT_TRUE(host.tree.SelectPath(folder / "ROOT\\IN"));
    host.tree.SetTopItem(host.tree.Selected());
    EXPECT_EQ(host.tree.TopItem(), host.tree.Selected());
    EXPECT_FALSE(host.tree.SelectPath(folder / "OUT"));
    EXPECT_FALSE(host.tree.SelectPath(folder.Path()));  // above the root
    EXPECT_EQ(host.tree.Selected()->Text(), "IN");
    EXPECT_TRUE(host.tree.SelectPath(folder / "ROOT"));
    EXPECT_EQ(host.tree.Selected(), host.tree.GetFirstNode());
}

TEST_F(FolderTree, SelectedDirOpensTheSystemDrive) {
    host.tree.SetSelectedDir(foldertree::sdSystem);
    host.CreateTree();
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_NE(host.tree.Selected(), nullptr);
    EXPECT_EQ(NodePath(host.tree.Selected()), std::string(system).substr(0, 3));
    EXPECT_TRUE(host.tree.Selected()->Expanded());
}

// The tree's click and double-click report the selected folder as its change does.
TEST_F(FolderTree, ClicksReportTheSelectedFolder) {
    MakeFolder(folder / "alpha");
    std::vector<std::string> clicks, doubleClicks;
    host.tree.OnClick = [&](TFolderTreeViewEx&, const std::string& name) { clicks.push_back(name); };
    host.tree.OnDblClick = [&](TFolderTreeViewEx&, const std::string& name) { doubleClicks.push_back(name); };
    CreateManualTree();
    ASSERT_TRUE(host.tree.SelectPath(folder / "alpha"));
    const auto notify = [&](UINT code) {
        NMHDR header{host.tree.Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(host.tree.Handle())), code};
        host.Send(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    };
    notify(NM_CLICK);
    notify(NM_DBLCLK);
    EXPECT_EQ(clicks, (std::vector<std::string>{folder / "alpha"}));
    EXPECT_EQ(doubleClicks, (std::vector<std::string>{folder / "alpha"}));
}
