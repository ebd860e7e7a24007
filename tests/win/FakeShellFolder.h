#pragma once
// A made-up shell folder for tests: it lists given items with given names and attributes, may
// answer overlays, and binds every item to one inner folder. None of its items has a parsing
// name, so the tree can reach them only by its own lists. It lives on the test's stack: its
// reference count is not kept.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace testsupport {

class FakeShellFolder : public IShellFolder, public IShellIconOverlay {
public:
    struct Item {
        std::vector<unsigned char> id;  // one item and the terminator
        std::string name;
        ULONG attributes = 0;
        int shellOverlay = 0;  // the shell's overlay number (from 1); 0 for none
    };
    std::vector<Item> items;
    FakeShellFolder* inner = nullptr;  // what every item binds to
    bool offersOverlays = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList** list) override;
    HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, PCUIDLIST_RELATIVE a, PCUIDLIST_RELATIVE b) override;
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT count, PCUITEMID_CHILD_ARRAY list, SFGAOF* attributes) override;
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD item, SHGDNF flags, STRRET* name) override;
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetOverlayIndex(PCUIDLIST_RELATIVE item, int* index) override;
    HRESULT STDMETHODCALLTYPE GetOverlayIconIndex(PCUIDLIST_RELATIVE, int*) override { return E_NOTIMPL; }

private:
    const Item* Find(PCUIDLIST_RELATIVE id) const;
};

}  // namespace testsupport
