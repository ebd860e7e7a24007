// The roots the tree can stand on besides a folder: the special roots (control panel, recycle
// bin, printers), a manual root naming a file, and the drive of the current directory.
#include <gtest/gtest.h>

#include <algorithm>

#include "foldertree/ShellItems.h"
#include "tests/win/FolderTreeHost.h"
#include "tests/win/ReferenceNodes.h"
#include "tests/win/TestFolder.h"

using namespace foldertree;
using testsupport::ListBytes;
using toolkit::TTreeNode;

namespace {

ItemIdList SpecialFolder(int csidl) {
    ItemIdList list;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, list.Put()))) list.Reset();
    return list;
}

// Every item the special folder lists, hidden ones too, by caption.
std::vector<std::string> EnumeratedCaptions(LPCITEMIDLIST absolute) {
    std::vector<std::string> captions;
    const ComRef<IShellFolder> desktop = DesktopFolder();
    const ComRef<IShellFolder> folder = BindToFolder(desktop.Get(), absolute);
    ComRef<IEnumIDList> items;
    if (!folder || folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                       items.Put()) != S_OK || !items)
        return captions;
    ItemIdList item;
    ULONG fetched = 0;
    while (items->Next(1, item.Put(), &fetched) == S_OK) {
        std::string caption;
        if (ItemDisplayName(folder.Get(), item.Get(), SHGDN_INFOLDER, caption)) captions.push_back(caption);
    }
    std::sort(captions.begin(), captions.end());
    return captions;
}

std::vector<std::string> SortedChildCaptions(const TTreeNode* node, const TFolderTreeViewEx& tree) {
    auto captions = testsupport::ChildCaptions(node, tree);
    std::sort(captions.begin(), captions.end());
    return captions;
}

struct SpecialRoot {
    TRootFolder root;
    int csidl;
    std::size_t items;  // in the computer folder (control panel, printers) or on the desktop
};

}  // namespace

TEST(FolderTreeSpecialRoots, ShowTheRootRecordAndEveryItemHiddenOnesToo) {
    const SpecialRoot roots[] = {{rf_Controls, CSIDL_CONTROLS, 2}, {rf_Bitbucket, CSIDL_BITBUCKET, 1},
                                 {rf_Printers, CSIDL_PRINTERS, 2}};
    for (const SpecialRoot& special : roots) {
        SCOPED_TRACE(static_cast<int>(special.root));
        const ItemIdList location = SpecialFolder(special.csidl);
        ASSERT_TRUE(location);
        ASSERT_EQ(ItemCount(location.Get()), special.items);
        testsupport::TreeHost host;
        host.tree.SetRootFolder(special.root);
        host.tree.SetShowFile(true);  // applets and printers are no folders
        host.tree.SetShowIncludeHidden(false);  // a special root lists hidden items all the same
        host.CreateTree();
        TTreeNode* top = host.tree.GetFirstNode();
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(top->GetNextSibling(), nullptr);
        EXPECT_EQ(top->Text(), ShellDisplayName(location.Get()));
        const TTVITEMDATA* record = TFolderTreeViewEx::RecordOf(top);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(ListBytes(record->AbsoluteID.Get()), ListBytes(location.Get()));
        // The record's folder and item name the special folder itself.
        std::string parsing, expected;
        ASSERT_TRUE(ItemDisplayName(record->ParentFolder.Get(), record->RelativeID.Get(), SHGDN_FORPARSING, parsing));
        ASSERT_TRUE(ItemDisplayName(DesktopFolder().Get(), location.Get(), SHGDN_FORPARSING, expected));
        EXPECT_EQ(parsing, expected);
        EXPECT_EQ(ItemCount(record->RelativeID.Get()), 1u);
        EXPECT_EQ(record->Attributes,
                  ItemAttributes(record->ParentFolder.Get(), record->RelativeID.Get(), kItemAttributeQuery));
        EXPECT_EQ(SortedChildCaptions(top, host.tree), EnumeratedCaptions(location.Get()));
        EXPECT_FALSE(host.tree.SelectPath("C:\\"));
    }
}

// Wine's control panel lists its applets (the recycle bin and printers may well be empty); they
// are no folders, so only a tree that shows files lists them.
TEST(FolderTreeSpecialRoots, TheControlPanelListsItsApplets) {
    testsupport::TreeHost host;
    host.tree.SetRootFolder(rf_Controls);
    host.CreateTree();
    ASSERT_NE(host.tree.GetFirstNode(), nullptr);
    EXPECT_EQ(host.tree.GetFirstNode()->Count(), 0);
    host.tree.SetShowFile(true);
    ASSERT_NE(host.tree.GetFirstNode(), nullptr);
    EXPECT_GT(host.tree.GetFirstNode()->Count(), 0);
}

TEST(FolderTreeRoots, AManualRootNamingAFileShowsTheComputerFolder) {
    testsupport::TestFolder folder;
    testsupport::WriteTextFile(folder / "NOTE.TXT", "x");
    const ItemIdList computer = SpecialFolder(CSIDL_DRIVES);
    for (const bool showFile : {false, true}) {
        testsupport::TreeHost host;
        host.tree.SetShowFile(showFile);
        host.tree.SetRootFolder(rfManual);
        host.tree.SetRootFolderName(folder / "NOTE.TXT");
        host.CreateTree();
        const TTVITEMDATA* record = TFolderTreeViewEx::RecordOf(host.tree.GetFirstNode());
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(ListBytes(record->AbsoluteID.Get()), ListBytes(computer.Get())) << showFile;
    }
}

TEST(FolderTreeRoots, SdCurrentSelectsAndOpensTheCurrentDirectorysDrive) {
    testsupport::TestFolder folder;
    const std::string saved = testsupport::CurrentDirectory();
    // Wine's Z: is the Linux root: a second drive to be current on.
    for (const std::string& current : {folder.Path(), std::string("Z:\\tmp")}) {
        ASSERT_TRUE(SetCurrentDirectoryA(current.c_str())) << current;
        testsupport::TreeHost host;
        host.tree.SetSelectedDir(sdCurrent);
        host.CreateTree();
        TTreeNode* selected = host.tree.Selected();
        ASSERT_NE(selected, nullptr) << current;
        EXPECT_EQ(IDListToPath(TFolderTreeViewEx::RecordOf(selected)->AbsoluteID.Get()), current.substr(0, 3));
        EXPECT_TRUE(selected->Expanded());
        EXPECT_EQ(host.changes.back(), current.substr(0, 3));
    }
    SetCurrentDirectoryA(saved.c_str());
}
