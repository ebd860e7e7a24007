// Node records and looks of items the tree cannot parse, shown under a special root from a
// made-up folder: the list such a node gets, and its overlay and images for each attribute mix.
#include <gtest/gtest.h>

#include <iterator>

#include "foldertree/ShellItems.h"
#include "tests/win/FakeShellFolder.h"
#include "tests/win/FolderTreeHost.h"
#include "tests/win/ReferenceNodes.h"
#include "tests/win/TestFolder.h"

using namespace foldertree;
using testsupport::FakeShellFolder;
using testsupport::ListBytes;
using toolkit::TTreeNode;

namespace {

std::vector<unsigned char> LastItemOf(const std::string& path) {
    const ItemIdList list = PathToIDList(path);
    LPCITEMIDLIST last = list.Get();
    while (LPCITEMIDLIST next = NextItem(last)) last = next;
    return ListBytes(last);
}

int IconOf(const std::string& path, UINT extraFlags) {
    const ItemIdList list = PathToIDList(path);
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<const char*>(list.Get()), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags);
    return info.iIcon;
}

struct Case {
    const char* name;
    ULONG attributes;
    int shellOverlay;  // the shell's number, from 1; 0 for none
    int overlayFilesOff, overlayFilesOn;
};

// Overlay numbers count from 0: 0 is the shell's shared-item overlay, 1 its shortcut arrow.
const Case kCases[] = {
    {"A-PLAIN", SFGAO_FOLDER, 0, -1, -1},
    {"B-SHARED", SFGAO_FOLDER | SFGAO_SHARE, 0, 0, 0},
    {"C-LINK", SFGAO_LINK, 0, -1, 1},
    {"D-SHAREDLINK", SFGAO_LINK | SFGAO_SHARE, 0, 0, 1},
    {"E-SHELLSAYS", SFGAO_LINK | SFGAO_SHARE, 3, 2, 2},
};

// A made-up folder below the recycle bin's node, whose items are real sub-folders of a test
// folder that the made-up folder gives no parsing name. (Wine's own folders never answer
// SFGAO_SHARE nor offer overlays, and nothing under its special roots opens: hence made up.)
class UnparseableItems : public testing::Test {
protected:
    void SetUp() override {
        for (const Case& c : kCases) {
            ASSERT_TRUE(CreateDirectoryA((folder / c.name).c_str(), nullptr));
            inner.items.push_back({LastItemOf(folder / c.name), c.name, c.attributes, c.shellOverlay});
        }
        inner.offersOverlays = true;
        outer.inner = &inner;
    }

    // The made-up folder's node, opened: its children come from `inner`.
    TTreeNode* ShowUnderSpecialRoot(bool showFile) {
        host.tree.SetRootFolder(rf_Bitbucket);
        host.tree.SetShowFile(showFile);
        if (!host.tree.Handle()) host.CreateTree();
        TTreeNode* top = host.tree.GetFirstNode();
        if (!top) return nullptr;
        auto* record = new TTVITEMDATA;
        record->ParentFolder = ComRef<IShellFolder>::Share(&outer);
        const ItemIdList folderList = PathToIDList(folder.Path());
        record->RelativeID = CopyFirstItem(folderList.Get());  // one level only, unlike AbsoluteID
        record->AbsoluteID = CopyList(folderList.Get());
        record->Attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        toolkit::TNodeLook look;
        look.hasChildren = true;
        TTreeNode* node = host.tree.AddChild(top, "made up", record, look);
        node->Expand(false);
        return node;
    }

    testsupport::TestFolder folder;
    FakeShellFolder inner, outer;
    testsupport::TreeHost host;  // goes first: its nodes hold the made-up folders
};

}  // namespace

TEST_F(UnparseableItems, TakeTheParentNodesListFollowedByTheItem) {
    TTreeNode* node = ShowUnderSpecialRoot(false);
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(node->Count(), static_cast<int>(std::size(kCases)));
    int i = 0;
    for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling(), ++i) {
        const TTVITEMDATA* record = TFolderTreeViewEx::RecordOf(child);
        const ItemIdList expected = PathToIDList(folder / kCases[i].name);
        EXPECT_EQ(child->Text(), kCases[i].name);
        EXPECT_EQ(ListBytes(record->AbsoluteID.Get()), ListBytes(expected.Get())) << kCases[i].name;
        EXPECT_EQ(IDListToPath(record->AbsoluteID.Get()), folder / kCases[i].name);
        EXPECT_EQ(record->Attributes, kCases[i].attributes & kItemAttributeQuery);
    }
}

TEST_F(UnparseableItems, OverlaysAndSelectedImagesFollowTheAttributes) {
    for (const bool showFile : {false, true}) {
        SCOPED_TRACE(showFile ? "files shown" : "folders only");
        TTreeNode* node = ShowUnderSpecialRoot(showFile);
        ASSERT_NE(node, nullptr);
        int i = 0;
        for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling(), ++i) {
            const Case& c = kCases[i];
            const int normal = IconOf(folder / c.name, 0);
            const int open = IconOf(folder / c.name, SHGFI_OPENICON);
            EXPECT_EQ(child->OverlayIndex(), showFile ? c.overlayFilesOn : c.overlayFilesOff) << c.name;
            EXPECT_EQ(child->ImageIndex(), normal) << c.name;
            // With files shown, only folders show their open icon when selected.
            const bool opens = !showFile || (c.attributes & SFGAO_FOLDER);
            EXPECT_EQ(child->SelectedIndex(), opens ? open : normal) << c.name;
        }
        ASSERT_NE(IconOf(folder / kCases[0].name, 0), IconOf(folder / kCases[0].name, SHGFI_OPENICON));
    }
}
