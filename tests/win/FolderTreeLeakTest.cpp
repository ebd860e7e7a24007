// Every item-ID list the tree makes goes back to the task allocator, and every shell folder
// reference it holds is released: counted through a spy on the task allocator.
#include <gtest/gtest.h>

#include "foldertree/ShellItems.h"
#include "tests/win/AllocationSpy.h"
#include "tests/win/FolderTreeHost.h"
#include "tests/win/TestFolder.h"
#include "toolkit/Application.h"

namespace {

// Builds a tree, opens a deep folder, refreshes it and destroys it again.
void BuildUseAndDestroyTree(const testsupport::TestFolder& folder) {
    testsupport::TreeHost host;
    host.CreateTree();
    ASSERT_TRUE(host.tree.SelectPath(folder / "A\\B\\C"));
    host.tree.Selected()->Expand(false);
    host.tree.RefreshTree();
    host.tree.SetShowFile(true);
    ASSERT_TRUE(host.tree.SelectPath(folder / "A\\B\\C\\NOTE.ICO"));
}

ULONG DesktopReferences() {
    const auto desktop = foldertree::DesktopFolder();
    desktop->AddRef();
    return desktop->Release();
}

}  // namespace

TEST(FolderTreeLeaks, NoItemListOrFolderOutlivesTheTree) {
    testsupport::TestFolder folder;
    for (const char* name : {"A", "A\\B", "A\\B\\C", "A\\B\\C\\D"})
        ASSERT_TRUE(CreateDirectoryA((folder / name).c_str(), nullptr));
    testsupport::WriteTextFile(folder / "A\\B\\C\\NOTE.ICO", "x");
    BuildUseAndDestroyTree(folder);  // the shell's own first-use caches fill here
    const ULONG desktopBefore = DesktopReferences();

    testsupport::AllocationSpy spy;
    ASSERT_EQ(CoRegisterMallocSpy(&spy), S_OK);
    BuildUseAndDestroyTree(folder);
    toolkit::Application::Instance().ProcessMessages();
    const std::size_t outstanding = spy.Outstanding();
    const std::size_t allocations = spy.Allocations();
    CoRevokeMallocSpy();

    EXPECT_GT(allocations, 100u);  // the spy saw the tree's lists
    EXPECT_EQ(outstanding, 0u);
    EXPECT_EQ(DesktopReferences(), desktopBefore);
}
