#include "foldertree/ShellItems.h"

#include <shlwapi.h>

#include <cstring>
#include <vector>

namespace foldertree {

std::wstring ToWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string ToAnsi(const wchar_t* text) {
    if (!text || !*text) return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return std::string();
    std::string ansi(length, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), length, nullptr, nullptr);
    ansi.resize(length - 1);
    return ansi;
}

ComRef<IShellFolder> DesktopFolder() {
    ComRef<IShellFolder> desktop;
    SHGetDesktopFolder(desktop.Put());
    return desktop;
}

ComRef<IShellFolder> BindToFolder(IShellFolder* folder, LPCITEMIDLIST item) {
    ComRef<IShellFolder> bound;
    if (folder && item && FAILED(folder->BindToObject(item, nullptr, IID_IShellFolder, bound.PutVoid())))
        bound.Reset();
    return bound;
}

ULONG ItemAttributes(IShellFolder* folder, LPCITEMIDLIST item, ULONG query) {
    if (!folder || !item) return 0;
    ULONG attributes = query;
    return SUCCEEDED(folder->GetAttributesOf(1, &item, &attributes)) ? attributes : 0;
}

bool SameItem(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b) {
    if (!folder || !a || !b) return false;
    const HRESULT result = folder->CompareIDs(0, a, b);
    return SUCCEEDED(result) && static_cast<short>(HRESULT_CODE(result)) == 0;
}

namespace {
// The text of a STRRET the shell answered; false for a kind it does not know.
bool StrRetText(STRRET& answer, LPCITEMIDLIST item, std::string& text) {
    switch (answer.uType) {
    case STRRET_WSTR:
        text = ToAnsi(answer.pOleStr);
        CoTaskMemFree(answer.pOleStr);
        return true;
    case STRRET_OFFSET:
        text = reinterpret_cast<const char*>(item) + answer.uOffset;
        return true;
    case STRRET_CSTR:
        text.assign(answer.cStr, strnlen(answer.cStr, sizeof answer.cStr));
        return true;
    default:
        return false;
    }
}
}  // namespace

bool ItemDisplayName(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags, std::string& name) {
    if (!folder || !item) return false;
    STRRET answer{};
    const HRESULT result = folder->GetDisplayNameOf(item, flags, &answer);
    if (result == S_OK) return StrRetText(answer, item, name);
    // Any success code hands over the wide string, which is ours to free even when refused.
    if (SUCCEEDED(result) && answer.uType == STRRET_WSTR) CoTaskMemFree(answer.pOleStr);
    return false;
}

namespace {
// The list `folder` parses an ANSI name into (relative to the folder), or none.
ItemIdList ParseName(IShellFolder* folder, const std::string& name, ULONG* attributes) {
    ItemIdList list;
    if (!folder || name.empty()) return list;
    std::wstring wide = ToWide(name);
    ULONG eaten = 0;
    if (FAILED(folder->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, list.Put(), attributes)))
        list.Reset();
    return list;
}
}  // namespace

ItemIdList PathToIDList(const std::string& path) {
    ULONG attributes = SFGAO_HASSUBFOLDER;
    return ParseName(DesktopFolder().Get(), path, &attributes);
}

bool PathIsParseable(const std::string& path) { return static_cast<bool>(PathToIDList(path)); }

ItemIdList ItemAbsoluteID(IShellFolder* folder, LPCITEMIDLIST item) {
    std::string name;
    if (!ItemDisplayName(folder, item, SHGDN_FORPARSING, name)) return ItemIdList();
    return PathToIDList(name);
}

bool IsParseableItem(IShellFolder* folder, LPCITEMIDLIST item) {
    return static_cast<bool>(ItemAbsoluteID(folder, item));
}

FolderItemLists::FolderItemLists(IShellFolder* folder, LPCITEMIDLIST folderAbsolute)
    : folder_(folder), folderAbsolute_(folderAbsolute), folderPath_(IDListToPath(folderAbsolute)) {}

ItemIdList FolderItemLists::AbsoluteID(LPCITEMIDLIST item) const {
    std::string name;
    if (folderPath_.empty() || !ItemDisplayName(folder_, item, SHGDN_INFOLDER | SHGDN_FORPARSING, name) ||
        name.empty() || folderPath_.size() + 1 + name.size() >= MAX_PATH)
        return ItemAbsoluteID(folder_, item);
    const ItemIdList relative = ParseName(folder_, name, nullptr);
    return relative ? ConcatLists(folderAbsolute_, relative.Get()) : ItemIdList();
}

std::string ItemParsingName(IShellFolder* folder, LPCITEMIDLIST item) {
    std::string name;
    return ItemDisplayName(folder, item, SHGDN_FORPARSING, name) ? name : std::string();
}

namespace {
SHFILEINFOA FileInfo(LPCITEMIDLIST absolute, UINT flags) {
    SHFILEINFOA info{};
    if (absolute)
        SHGetFileInfoA(reinterpret_cast<const char*>(absolute), 0, &info, sizeof info, flags | SHGFI_PIDL);
    return info;
}
}  // namespace

std::string ShellDisplayName(LPCITEMIDLIST absolute) {
    const SHFILEINFOA info = FileInfo(absolute, SHGFI_DISPLAYNAME);
    return std::string(info.szDisplayName, strnlen(info.szDisplayName, sizeof info.szDisplayName));
}

int ItemIconIndex(LPCITEMIDLIST absolute, bool open) {
    return FileInfo(absolute, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0)).iIcon;
}

int PlainFolderIconIndex() {
    SHFILEINFOA info{};
    SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return info.iIcon;
}

bool ShowsPlainFolderIcon(IShellFolder* folder, LPCITEMIDLIST item) {
    WIN32_FIND_DATAA listed{};
    if (!folder || !item ||
        FAILED(SHGetDataFromIDListA(folder, item, SHGDFIL_FINDDATA, &listed, static_cast<int>(sizeof listed))))
        return false;
    constexpr DWORD kMayCustomise = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM;
    if (!(listed.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (listed.dwFileAttributes & kMayCustomise))
        return false;
    // Only a folder below a drive's root: the root shows its drive's icon, a name of another kind
    // (a class identifier) is no file-system folder, and network folders keep the full lookup.
    const std::string path = ItemParsingName(folder, item);
    return path.size() > 3 && path[1] == ':' && path[2] == '\\';
}

void ItemIconIndexes(LPCITEMIDLIST absolute, int& normal, int& open) {
    normal = ItemIconIndex(absolute, false);
    open = ItemIconIndex(absolute, true);
}

std::string IDListToPath(LPCITEMIDLIST absolute) {
    char path[MAX_PATH + 1] = {};
    if (!absolute || !SHGetPathFromIDListA(absolute, path)) return std::string();
    return path;
}

bool CanRenameItem(IShellFolder* folder, LPCITEMIDLIST item) {
    if (!folder || !item) return false;
    ULONG attributes = SFGAO_CANRENAME;
    folder->GetAttributesOf(1, &item, &attributes);  // a refusal leaves the bit as the folder set it
    return (attributes & SFGAO_CANRENAME) != 0;
}

bool ItemOverlayIndex(IShellFolder* folder, LPCITEMIDLIST item, int& index) {
    index = 0;
    if (!folder || !item) return false;
    ComRef<IShellIconOverlay> overlay;
    if (FAILED(folder->QueryInterface(IID_IShellIconOverlay, overlay.PutVoid()))) return false;
    if (!overlay || FAILED(overlay->GetOverlayIndex(item, &index))) return false;
    --index;
    return true;
}

bool SplitIDList(LPCITEMIDLIST absolute, ComRef<IShellFolder>& folder, ItemIdList& lastItem) {
    folder.Reset();
    lastItem.Reset();
    ComRef<IShellFolder> current = DesktopFolder();
    if (!absolute || !current || !TaskAllocator().Available()) return false;
    const std::size_t count = ItemCount(absolute);
    if (count < 2) return false;
    LPCITEMIDLIST cursor = absolute;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const ItemIdList first = CopyFirstItem(cursor);
        ComRef<IShellFolder> bound = BindToFolder(current.Get(), first.Get());
        if (!bound) return false;
        current = std::move(bound);
        cursor = NextItem(cursor);
    }
    ItemIdList last = CopyFirstItem(cursor);
    if (!last) return false;
    folder = std::move(current);
    lastItem = std::move(last);
    return true;
}

ContainedItem WalkToLastItem(LPCITEMIDLIST absolute) {
    ContainedItem result;
    ComRef<IShellFolder> current = DesktopFolder();
    if (!absolute || !current) return result;
    for (LPCITEMIDLIST cursor = absolute;;) {
        ItemIdList item = CopyFirstItem(cursor);
        if (!item) return result;
        ComRef<IShellFolder> bound = BindToFolder(current.Get(), item.Get());
        cursor = bound ? NextItem(cursor) : nullptr;
        if (!cursor) {
            result.folder = std::move(current);
            result.item = std::move(item);
            return result;
        }
        current = std::move(bound);
    }
}

}  // namespace foldertree
