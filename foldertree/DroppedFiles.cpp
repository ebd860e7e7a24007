#include "foldertree/DroppedFiles.h"

#include <shellapi.h>

namespace foldertree {

namespace {
// Room for the longest path the shell's ANSI calls take, with its terminating zero.
constexpr UINT kPathBufferSize = MAX_PATH + 1;
constexpr UINT kCountQuery = 0xFFFFFFFF;
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
    const UINT length = DragQueryFileA(Drop(), 0, nullptr, 0);
    if (length == 0 || length >= kPathBufferSize) return false;
    char buffer[kPathBufferSize] = {};
    if (DragQueryFileA(Drop(), 0, buffer, sizeof buffer) != length) return false;
    path = buffer;
    return true;
}

}  // namespace foldertree
