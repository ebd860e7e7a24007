#include "tests/win/ReferenceNodes.h"

#include <algorithm>

#include "foldertree/ShellItems.h"

namespace testsupport {

using namespace foldertree;

namespace {

int IconIndex(LPCITEMIDLIST absolute, UINT extraFlags) {
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<const char*>(absolute), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags);
    return info.iIcon;
}

ItemIdList Next(IEnumIDList* items) {
    ItemIdList item;
    ULONG fetched = 0;
    if (items->Next(1, item.Put(), &fetched) != S_OK) item.Reset();
    return item;
}

// A folder gets an expand button when it holds a file the tree would list.
bool HoldsListedFile(IShellFolder* folder, LPCITEMIDLIST item, bool includeHidden) {
    const ComRef<IShellFolder> inner = BindToFolder(folder, item);
    ComRef<IEnumIDList> files;
    const DWORD flags = SHCONTF_NONFOLDERS | (includeHidden ? SHCONTF_INCLUDEHIDDEN : 0);
    if (!inner || inner->EnumObjects(nullptr, flags, files.Put()) != S_OK || !files) return false;
    while (const ItemIdList file = Next(files.Get()))
        if ((ItemAttributes(inner.Get(), file.Get(), SFGAO_FILESYSTEM) & SFGAO_FILESYSTEM) &&
            IsParseableItem(inner.Get(), file.Get()))
            return true;
    return false;
}

struct Entry {
    ItemIdList relative;
    ReferenceNode node;
};

}  // namespace

std::vector<unsigned char> ListBytes(LPCITEMIDLIST list) {
    const auto* bytes = Bytes(list);
    return list ? std::vector<unsigned char>(bytes, bytes + IDListSize(bytes)) : std::vector<unsigned char>();
}

std::vector<ReferenceNode> ReferenceChildren(LPCITEMIDLIST absolute, const ReferenceOptions& options) {
    const ComRef<IShellFolder> desktop = DesktopFolder();
    const ComRef<IShellFolder> folder = BindToFolder(desktop.Get(), absolute);
    DWORD flags = SHCONTF_FOLDERS;
    if (options.includeHidden) flags |= SHCONTF_INCLUDEHIDDEN;
    if (options.showFile) flags |= SHCONTF_NONFOLDERS;
    ComRef<IEnumIDList> items;
    std::vector<Entry> entries;
    if (!folder || folder->EnumObjects(nullptr, flags, items.Put()) != S_OK || !items) return {};
    while (ItemIdList item = Next(items.Get())) {
        const ULONG attributes = ItemAttributes(folder.Get(), item.Get(), kItemAttributeQuery);
        if (!IsParseableItem(folder.Get(), item.Get())) continue;
        const bool isFolder = (attributes & SFGAO_FOLDER) != 0;
        if (!(attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER)) && !(options.showFile && (attributes & SFGAO_FILESYSTEM)))
            continue;
        Entry entry;
        ReferenceNode& node = entry.node;
        if (!ItemDisplayName(folder.Get(), item.Get(), SHGDN_INFOLDER, node.caption)) continue;
        const ItemIdList itemAbsolute = ItemAbsoluteID(folder.Get(), item.Get());
        node.absoluteID = ListBytes(itemAbsolute.Get());
        node.attributes = attributes;
        node.imageIndex = IconIndex(itemAbsolute.Get(), 0);
        const int open = IconIndex(itemAbsolute.Get(), SHGFI_OPENICON);
        int shellOverlay = 0;
        const bool fromShell = ItemOverlayIndex(folder.Get(), item.Get(), shellOverlay);
        node.overlayIndex = fromShell ? shellOverlay : (attributes & SFGAO_SHARE) ? 0 : -1;
        if (options.showFile) {
            node.selectedIndex = isFolder ? open : node.imageIndex;
            if (!fromShell && (attributes & SFGAO_LINK)) node.overlayIndex = 1;
            node.hasChildren = (attributes & SFGAO_HASSUBFOLDER) ||
                               (isFolder && HoldsListedFile(folder.Get(), item.Get(), options.includeHidden));
        } else {
            node.selectedIndex = open;
            node.hasChildren = (attributes & SFGAO_HASSUBFOLDER) != 0;
        }
        entry.relative = std::move(item);
        entries.push_back(std::move(entry));
    }
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const HRESULT order = folder->CompareIDs(0, a.relative.Get(), b.relative.Get());
        return SUCCEEDED(order) && static_cast<short>(HRESULT_CODE(order)) < 0;
    });
    std::vector<ReferenceNode> nodes;
    for (Entry& entry : entries) nodes.push_back(std::move(entry.node));
    return nodes;
}

}  // namespace testsupport
