#include "tests/win/FileDropData.h"

#include <ole2.h>
#include <shlobj.h>

#include <cstring>

#include "foldertree/ComObject.h"

namespace testsupport {

namespace {

HGLOBAL FileList(const std::vector<std::string>& paths, bool wide) {
    std::string names;
    for (const std::string& path : paths) names += path + '\0';
    names += '\0';
    if (wide) {
        std::wstring wideNames(names.size(), L'\0');
        const int size = static_cast<int>(names.size());
        wideNames.resize(MultiByteToWideChar(CP_ACP, 0, names.data(), size, &wideNames[0], size));
        names.assign(reinterpret_cast<const char*>(wideNames.data()), wideNames.size() * sizeof(wchar_t));
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = wide;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return memory;
}

class FileDropData : public foldertree::ComObject<IDataObject> {
public:
    FileDropData(std::vector<std::string> paths, bool wide) : ComObject(IID_IDataObject), paths_(paths), wide_(wide) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = FileList(paths_, wide_);
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return !paths_.empty() && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK
                                                                                                : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<std::string> paths_;
    bool wide_;
};

}  // namespace

foldertree::ComRef<IDataObject> MakeFileDropData(const std::vector<std::string>& paths, bool wide) {
    return foldertree::ComRef<IDataObject>::Adopt(new FileDropData(paths, wide));
}

std::vector<std::string> DroppedPathsOf(IDataObject* data) {
    std::vector<std::string> paths;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return paths;
    auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[1024] = {};
        DragQueryFileA(drop, i, path, sizeof path);
        paths.push_back(path);
    }
    ReleaseStgMedium(&medium);
    return paths;
}

std::vector<std::string> ClipboardPaths() {
    foldertree::ComRef<IDataObject> clipboard;
    if (FAILED(OleGetClipboard(clipboard.Put()))) return {};
    return DroppedPathsOf(clipboard.Get());
}

}  // namespace testsupport
