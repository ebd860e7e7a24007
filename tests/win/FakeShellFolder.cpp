#include "tests/win/FakeShellFolder.h"

#include <cstring>

#include "foldertree/IdListBytes.h"

namespace testsupport {

namespace {

bool SameBytes(const std::vector<unsigned char>& id, PCUIDLIST_RELATIVE list) {
    return list && id.size() == foldertree::IDListSize(reinterpret_cast<const std::uint8_t*>(list)) &&
           std::memcmp(id.data(), list, id.size()) == 0;
}

// Hands out a copy of each item, as a shell enumerator does.
class ItemEnumerator final : public IEnumIDList {
public:
    explicit ItemEnumerator(const std::vector<FakeShellFolder::Item>& items) : items_(items) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IEnumIDList ? this : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (!left) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, PITEMID_CHILD* out, ULONG* fetched) override {
        if (fetched) *fetched = 0;
        if (count != 1 || next_ >= items_.size()) return S_FALSE;
        const auto& id = items_[next_++].id;
        void* copy = CoTaskMemAlloc(id.size());
        std::memcpy(copy, id.data(), id.size());
        *out = static_cast<PITEMID_CHILD>(copy);
        if (fetched) *fetched = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumIDList**) override { return E_NOTIMPL; }

private:
    const std::vector<FakeShellFolder::Item>& items_;
    std::size_t next_ = 0;
    ULONG references_ = 1;
};

}  // namespace

HRESULT FakeShellFolder::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == IID_IShellFolder)
        *object = static_cast<IShellFolder*>(this);
    else if (iid == IID_IShellIconOverlay && offersOverlays)
        *object = static_cast<IShellIconOverlay*>(this);
    else
        *object = nullptr;
    return *object ? S_OK : E_NOINTERFACE;
}

HRESULT FakeShellFolder::EnumObjects(HWND, SHCONTF, IEnumIDList** list) {
    *list = new ItemEnumerator(items);
    return S_OK;
}

HRESULT FakeShellFolder::BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID iid, void** object) {
    *object = nullptr;
    return inner ? inner->QueryInterface(iid, object) : E_FAIL;
}

HRESULT FakeShellFolder::CompareIDs(LPARAM, PCUIDLIST_RELATIVE a, PCUIDLIST_RELATIVE b) {
    const Item* first = Find(a);
    const Item* second = Find(b);
    if (!first || !second) return E_INVALIDARG;
    const int order = first->name.compare(second->name);
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<unsigned short>(order < 0 ? -1 : order > 0 ? 1 : 0));
}

HRESULT FakeShellFolder::GetAttributesOf(UINT count, PCUITEMID_CHILD_ARRAY list, SFGAOF* attributes) {
    const Item* item = count == 1 ? Find(list[0]) : nullptr;
    if (!item) return E_INVALIDARG;
    *attributes &= item->attributes;
    return S_OK;
}

HRESULT FakeShellFolder::GetDisplayNameOf(PCUITEMID_CHILD id, SHGDNF flags, STRRET* name) {
    const Item* item = Find(id);
    if (!item || (flags & SHGDN_FORPARSING)) return E_FAIL;  // no name a path could give
    name->uType = STRRET_CSTR;
    lstrcpynA(name->cStr, item->name.c_str(), MAX_PATH);
    return S_OK;
}

HRESULT FakeShellFolder::GetOverlayIndex(PCUIDLIST_RELATIVE id, int* index) {
    const Item* item = Find(id);
    if (!item || !item->shellOverlay) return E_FAIL;
    *index = item->shellOverlay;
    return S_OK;
}

const FakeShellFolder::Item* FakeShellFolder::Find(PCUIDLIST_RELATIVE id) const {
    for (const Item& item : items)
        if (SameBytes(item.id, id)) return &item;
    return nullptr;
}

}  // namespace testsupport
