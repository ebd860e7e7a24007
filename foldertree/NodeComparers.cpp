#include "foldertree/NodeComparers.h"

namespace foldertree {

int CompareShellOrder(const TTVITEMDATA& a, const TTVITEMDATA& b) {
    if (!a.ParentFolder) return 0;
    const HRESULT result = a.ParentFolder->CompareIDs(0, a.RelativeID.Get(), b.RelativeID.Get());
    return SUCCEEDED(result) ? static_cast<short>(HRESULT_CODE(result)) : 0;
}

int CompareFilesFirst(const TTVITEMDATA& a, const TTVITEMDATA& b) {
    const bool aFolder = (a.Attributes & SFGAO_FOLDER) != 0;
    const bool bFolder = (b.Attributes & SFGAO_FOLDER) != 0;
    if (aFolder != bFolder) return aFolder ? 1 : -1;
    return CompareShellOrder(a, b);
}

}  // namespace foldertree
