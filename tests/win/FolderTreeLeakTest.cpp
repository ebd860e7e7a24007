// Every item-ID list the tree makes goes back to the task allocator, and every shell folder
// reference it holds is released: counted through a spy on the task allocator.
#include <gtest/gtest.h>

#include <mutex>
#include <set>

#include "foldertree/ShellItems.h"
#include "tests/win/FolderTreeHost.h"
#include "tests/win/TestFolder.h"
#include "toolkit/Application.h"

namespace {

// Records the blocks the task allocator hands out while registered, and which come back.
class AllocationSpy : public IMallocSpy {
public:
    std::size_t Allocations() const { return allocations_; }
    std::size_t Outstanding() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return live_.size();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T bytes) override { return bytes; }
    void* STDMETHODCALLTYPE PostAlloc(void* block) override {
        Track(block);
        return block;
    }
    void* STDMETHODCALLTYPE PreFree(void* block, BOOL) override {
        Untrack(block);
        return block;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T bytes, void** request, BOOL) override {
        Untrack(block);
        *request = block;
        return bytes;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override {
        Track(block);
        return block;
    }
    void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T bytes, BOOL) override { return bytes; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
    void Track(void* block) {
        if (!block) return;
        std::lock_guard<std::mutex> lock(mutex_);
        live_.insert(block);
        ++allocations_;
    }
    void Untrack(void* block) {
        std::lock_guard<std::mutex> lock(mutex_);
        live_.erase(block);
    }

    mutable std::mutex mutex_;
    std::set<void*> live_;
    std::size_t allocations_ = 0;
};

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

    AllocationSpy spy;
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
