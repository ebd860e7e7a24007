// The shell item utilities: display names in each of the shell's string kinds, parsing, splitting
// lists, and what Wine's folders answer for renaming and overlays.
#include <gtest/gtest.h>

#include <cstring>

#include "foldertree/ShellItems.h"
#include "tests/win/AllocationSpy.h"
#include "tests/win/TestFolder.h"

using namespace foldertree;

namespace {

// A folder that answers GetDisplayNameOf with a prepared record and return code.
class NamingFolder : public IShellFolder {
public:
    HRESULT answer = S_OK;
    STRRET name{};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IShellFolder) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET* out) override {
        *out = name;
        if (name.uType == STRRET_WSTR) {  // the caller frees the shell's copy
            const std::size_t bytes = (wcslen(name.pOleStr) + 1) * sizeof(wchar_t);
            out->pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
            std::memcpy(out->pOleStr, name.pOleStr, bytes);
        }
        return answer;
    }
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_NOTIMPL; }
};

// One item whose opaque bytes hold "ABC" at offset 2, then the terminator.
const unsigned char kItem[] = {7, 0, 'A', 'B', 'C', 0, 0, 0, 0};
LPCITEMIDLIST Item() { return reinterpret_cast<LPCITEMIDLIST>(kItem); }

}  // namespace

TEST(ItemDisplayName, ReadsEachStringKindAndRejectsOtherAnswers) {
    NamingFolder folder;
    std::string name = "untouched";
    wchar_t wide[] = L"表示";
    folder.name.uType = STRRET_WSTR;
    folder.name.pOleStr = wide;
    ASSERT_TRUE(ItemDisplayName(&folder, Item(), SHGDN_NORMAL, name));
    EXPECT_EQ(name, "表示");  // converted to Shift-JIS

    folder.name.uType = STRRET_OFFSET;
    folder.name.uOffset = 2;
    ASSERT_TRUE(ItemDisplayName(&folder, Item(), SHGDN_NORMAL, name));
    EXPECT_EQ(name, "ABC");

    folder.name.uType = STRRET_CSTR;
    std::memset(folder.name.cStr, 'x', sizeof folder.name.cStr);  // no terminator: 260 at most
    ASSERT_TRUE(ItemDisplayName(&folder, Item(), SHGDN_NORMAL, name));
    EXPECT_EQ(name, std::string(MAX_PATH, 'x'));

    name = "untouched";
    folder.name.uType = 7;
    EXPECT_FALSE(ItemDisplayName(&folder, Item(), SHGDN_NORMAL, name));
    folder.name.uType = STRRET_CSTR;
    folder.answer = S_FALSE;  // a success code, but not S_OK
    EXPECT_FALSE(ItemDisplayName(&folder, Item(), SHGDN_NORMAL, name));
    EXPECT_EQ(name, "untouched");
}

// A success code other than S_OK still hands over the wide string: it must be freed too.
TEST(ItemDisplayName, FreesTheShellsWideStringWhateverSuccessCodeComesWithIt) {
    NamingFolder folder;
    wchar_t wide[] = L"NAME";
    folder.name.uType = STRRET_WSTR;
    folder.name.pOleStr = wide;
    testsupport::AllocationSpy spy;
    ASSERT_EQ(CoRegisterMallocSpy(&spy), S_OK);
    for (const HRESULT answer : {S_OK, S_FALSE, static_cast<HRESULT>(2)}) {
        folder.answer = answer;
        std::string name;
        ItemDisplayName(&folder, Item(), SHGDN_NORMAL, name);
    }
    const std::size_t allocations = spy.Allocations();
    const std::size_t outstanding = spy.Outstanding();
    CoRevokeMallocSpy();
    EXPECT_GE(allocations, 3u);  // the spy saw the folder's three strings
    EXPECT_EQ(outstanding, 0u);
}

TEST(ShellItems, PathsParseIntoListsAndBackIntoPaths) {
    testsupport::TestFolder folder;
    const ItemIdList list = PathToIDList(folder.Path());
    ASSERT_TRUE(list);
    EXPECT_EQ(IDListToPath(list.Get()), folder.Path());
    EXPECT_TRUE(PathIsParseable("C:\\"));
    EXPECT_FALSE(PathIsParseable(folder / "MISSING"));
    EXPECT_FALSE(PathIsParseable("C:\\a<b>"));
    EXPECT_FALSE(PathIsParseable(""));

    ComRef<IShellFolder> parent;
    ItemIdList last;
    ASSERT_TRUE(SplitIDList(list.Get(), parent, last));
    EXPECT_EQ(ItemCount(last.Get()), 1u);
    EXPECT_EQ(ItemParsingName(parent.Get(), last.Get()), folder.Path());
    EXPECT_TRUE(IsParseableItem(parent.Get(), last.Get()));
    EXPECT_TRUE(CanRenameItem(parent.Get(), last.Get()));
    EXPECT_TRUE(SameItem(parent.Get(), last.Get(), last.Get()));
    const ItemIdList again = ItemAbsoluteID(parent.Get(), last.Get());
    EXPECT_EQ(IDListToPath(again.Get()), folder.Path());
    // Wine's file-system folders offer no IShellIconOverlay, so no overlay comes from the shell.
    int overlay = -5;
    EXPECT_FALSE(ItemOverlayIndex(parent.Get(), last.Get(), overlay));
    EXPECT_EQ(overlay, 0);
}

TEST(SplitIDList, NeedsTwoItemsAndYieldsTheFirstItemsFolder) {
    ItemIdList computer;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.Put()), S_OK);
    ComRef<IShellFolder> folder;
    ItemIdList last;
    EXPECT_FALSE(SplitIDList(computer.Get(), folder, last));  // a direct child of the desktop
    EXPECT_FALSE(folder);
    EXPECT_FALSE(last);
    EXPECT_FALSE(SplitIDList(nullptr, folder, last));

    const ItemIdList drive = PathToIDList("C:\\");
    ASSERT_EQ(ItemCount(drive.Get()), 2u);
    ASSERT_TRUE(SplitIDList(drive.Get(), folder, last));
    // The folder is the computer folder: it names the drive by its path.
    EXPECT_EQ(ItemParsingName(folder.Get(), last.Get()), "C:\\");
    EXPECT_EQ(std::memcmp(last.Get(), NextItem(drive.Get()), IDListSize(Bytes(last.Get()))), 0);
}

TEST(ShellItems, IconIndexesAndDisplayNameOfTheComputerFolder) {
    ItemIdList computer;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.Put()), S_OK);
    int normal = -1, open = -1;
    ItemIconIndexes(computer.Get(), normal, open);
    EXPECT_GT(normal, 0);
    EXPECT_GT(open, 0);
    EXPECT_FALSE(ShellDisplayName(computer.Get()).empty());
    EXPECT_EQ(IDListToPath(computer.Get()), "");  // virtual: no path
    const ComRef<IShellFolder> desktop = DesktopFolder();
    EXPECT_TRUE(IsParseableItem(desktop.Get(), computer.Get()));  // by its class-identifier path
}
