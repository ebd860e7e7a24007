// The tree shows, node by node, what the plain item-by-item computation gives for a folder of a
// few hundred items (folders, hidden ones, files, a shortcut, a name outside code page 932), the
// drives and a drive root; AbsoluteIDs byte for byte (the file times in them settled first, below).
#include <gtest/gtest.h>

#include <shlobj.h>

#include "foldertree/ShellItems.h"
#include "tests/win/FolderTreeHost.h"
#include "tests/win/ReferenceNodes.h"
#include "tests/win/TestFolder.h"

using namespace foldertree;
using testsupport::ListBytes;
using testsupport::ReferenceNode;
using toolkit::TTreeNode;

namespace {

constexpr int kFolders = 200;
constexpr int kHiddenFolders = 30;
constexpr int kFiles = 60;

void MakeShortcut(const std::string& link, const std::string& target) {
    ComRef<IShellLinkA> shortcut;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shortcut.PutVoid()), S_OK);
    shortcut->SetPath(target.c_str());
    const auto file = shortcut.Query<IPersistFile>(IID_IPersistFile);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->Save(ToWide(link).c_str(), TRUE), S_OK);
}

class FolderTreeEquivalence : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new testsupport::TestFolder;
        const auto& f = *folder_;
        char name[32];
        for (int i = 0; i < kFolders; ++i) {
            std::snprintf(name, sizeof name, "D%03d", i);
            CreateDirectoryA((f / name).c_str(), nullptr);
            if (i % 10 == 0) CreateDirectoryA((f / name + "\\INNER").c_str(), nullptr);
            if (i % 10 == 1) testsupport::WriteTextFile(f / name + "\\ONLY.TXT", "x");
        }
        for (int i = 0; i < kHiddenFolders; ++i) {
            std::snprintf(name, sizeof name, "H%02d", i);
            CreateDirectoryA((f / name).c_str(), nullptr);
            SetFileAttributesA((f / name).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
        }
        const char* extensions[] = {".TXT", ".ICO", ".EXE", ".BMP"};
        for (int i = 0; i < kFiles; ++i) {
            std::snprintf(name, sizeof name, "F%02d%s", i, extensions[i % 4]);
            testsupport::WriteTextFile(f / name, "x");
        }
        MakeShortcut(f / "SHORTCUT.lnk", f / "D000");
        // Its ANSI name is "X?X": Windows refuses that name, so it is left out both ways; Wine's
        // parse takes the "?" as a wildcard, finds the folder, and both ways list it.
        CreateDirectoryW((ToWide(f.Path()) + L"\\X\uD55CX").c_str(), nullptr);
        // Wine's lists carry each item's last access time, which the first icon query of a new
        // folder moves on: everything is read once so that the tree and the plain computation
        // both see settled times.
        const ItemIdList list = PathToIDList(f.Path());
        testsupport::ReferenceChildren(list.Get(), {true, true});
        testsupport::ReferenceChildren(PathToIDList("C:\\").Get(), {false, true});
    }
    static void TearDownTestSuite() {
        RemoveDirectoryW((ToWide(folder_->Path()) + L"\\X\uD55CX").c_str());  // no ANSI name reaches it
        delete folder_;
    }

    // Expands the test folder's node in a tree with `showFile`, and lets it paint once.
    TTreeNode* Expanded(bool showFile) {
        host.tree.SetShowFile(showFile);
        host.tree.SetRootFolder(rfManual);
        host.tree.SetRootFolderName(folder_->Path());
        host.CreateTree();
        TTreeNode* root = host.tree.GetFirstNode();
        UpdateWindow(host.tree.Handle());
        return root;
    }

    static testsupport::TestFolder* folder_;
    testsupport::TreeHost host;
};

testsupport::TestFolder* FolderTreeEquivalence::folder_ = nullptr;

void ExpectSameNodes(TTreeNode* parent, const std::vector<ReferenceNode>& expected) {
    std::size_t i = 0;
    for (TTreeNode* node = parent->GetFirstChild(); node; node = node->GetNextSibling(), ++i) {
        ASSERT_LT(i, expected.size()) << "an extra node " << node->Text();
        const ReferenceNode& want = expected[i];
        const TTVITEMDATA* record = TFolderTreeViewEx::RecordOf(node);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(node->Text(), want.caption) << i;
        EXPECT_EQ(ListBytes(record->AbsoluteID.Get()), want.absoluteID) << want.caption;
        EXPECT_EQ(record->Attributes, want.attributes) << want.caption;
        EXPECT_EQ(node->HasChildren(), want.hasChildren) << want.caption;
        EXPECT_EQ(node->ImageIndex(), want.imageIndex) << want.caption;
        EXPECT_EQ(node->SelectedIndex(), want.selectedIndex) << want.caption;
        EXPECT_EQ(node->OverlayIndex(), want.overlayIndex) << want.caption;
    }
    EXPECT_EQ(i, expected.size());
}

}  // namespace

TEST_F(FolderTreeEquivalence, FoldersOnlyMatchThePlainComputation) {
    TTreeNode* root = Expanded(false);
    ASSERT_NE(root, nullptr);
    const ItemIdList list = PathToIDList(folder_->Path());
    const auto expected = testsupport::ReferenceChildren(list.Get(), {false, true});
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(kFolders + kHiddenFolders + 1));
    ExpectSameNodes(root, expected);
    // A folder shows its open icon when selected.
    EXPECT_NE(root->GetFirstChild()->ImageIndex(), root->GetFirstChild()->SelectedIndex());
}

TEST_F(FolderTreeEquivalence, FilesAndTheShortcutMatchThePlainComputation) {
    TTreeNode* root = Expanded(true);
    ASSERT_NE(root, nullptr);
    const ItemIdList list = PathToIDList(folder_->Path());
    const auto expected = testsupport::ReferenceChildren(list.Get(), {true, true});
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(kFolders + kHiddenFolders + kFiles + 2));
    ExpectSameNodes(root, expected);
    // The shortcut carries the arrow, and a file looks the same selected.
    TTreeNode* shortcut = testsupport::ChildByCaption(root, "SHORTCUT");
    if (!shortcut) shortcut = testsupport::ChildByCaption(root, "SHORTCUT.lnk");
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->OverlayIndex(), 1);
    TTreeNode* file = testsupport::ChildByCaption(root, "F00.TXT");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->OverlayIndex(), -1);
    EXPECT_EQ(file->SelectedIndex(), file->ImageIndex());
}

// The drives come from the desktop's parse, the folders of a drive root from the drive's own.
TEST_F(FolderTreeEquivalence, DrivesAndADriveRootMatchThePlainComputation) {
    host.CreateTree();
    TTreeNode* computer = host.tree.GetFirstNode();
    ASSERT_NE(computer, nullptr);
    ExpectSameNodes(computer, testsupport::ReferenceChildren(TFolderTreeViewEx::RecordOf(computer)->AbsoluteID.Get(), {}));
    TTreeNode* drive = computer->GetFirstChild();
    while (drive && IDListToPath(TFolderTreeViewEx::RecordOf(drive)->AbsoluteID.Get()) != "C:\\") drive = drive->GetNextSibling();
    ASSERT_NE(drive, nullptr);
    drive->Expand(false);
    const ItemIdList root = PathToIDList("C:\\");
    ExpectSameNodes(drive, testsupport::ReferenceChildren(root.Get(), {}));
}
