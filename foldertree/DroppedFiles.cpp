#include "foldertree/DroppedFiles.h"

#include <shlobj.h>
#include <shellapi.h>

namespace foldertree {

namespace {
// Room for the longest path the shell's ANSI calls take, with its terminating zero.
constexpr UINT kPathBufferSize = MAX_PATH + 1;
constexpr UINT kCountQuery = 0xFFFFFFFF;

// The shell's own data object (and Wine's) carries the list in wide characters.
bool IsWideList(HDROP drop) {
    const auto* files = static_cast<const DROPFILES*>(GlobalLock(drop));
    if (!files) return false;
    const bool wide = files->fWide != FALSE;
    GlobalUnlock(drop);
    return wide;
}

// Where the list is wide, DragQueryFileA may report the length in wide characters while the ANSI
// path takes up to twice as many bytes, and a conversion cut at the buffer ends part-way, perhaps
// at a "\" that names the folder above. The path is converted here instead, whole or not at all.
std::string WidePathInAnsi(HDROP drop) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring wide(length + 1, L'\0');
    if (length == 0 || DragQueryFileW(drop, 0, &wide[0], length + 1) != length) return {};
    const auto convert = [&](char* out, int room, BOOL* lossy) {
        return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(length), out, room,
                                   nullptr, lossy);
    };
    BOOL lossy = FALSE;  // a character the code page lacks would become "?"
    const int bytes = convert(nullptr, 0, &lossy);
    if (bytes <= 0 || lossy) return {};
    std::string ansi(bytes, '\0');
    return convert(&ansi[0], bytes, nullptr) == bytes ? ansi : std::string();
}

std::string NarrowPath(HDROP drop) {
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    if (length == 0 || length >= kPathBufferSize) return {};
    char buffer[kPathBufferSize] = {};
    if (DragQueryFileA(drop, 0, buffer, sizeof buffer) != length) return {};
    return buffer;
}
}  // namespace

DroppedFiles::DroppedFiles(IDataObject* data) {
    if (!data) return;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    available_ = SUCCEEDED(data->GetData(&format, &medium_)) && medium_.tymed == TYMED_HGLOBAL && medium_.hGlobal;
}

DroppedFiles::~DroppedFiles() {
    if (medium_.tymed != TYMED_NULL) ReleaseStgMedium(&medium_);
}

UINT DroppedFiles::Count() const { return available_ ? DragQueryFileA(Drop(), kCountQuery, nullptr, 0) : 0; }

bool DroppedFiles::FirstPath(std::string& path) const {
    if (Count() == 0) return false;
    const std::string first = IsWideList(Drop()) ? WidePathInAnsi(Drop()) : NarrowPath(Drop());
    if (first.empty() || first.size() >= kPathBufferSize) return false;
    path = first;
    return true;
}

}  // namespace foldertree
