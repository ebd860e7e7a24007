#include "toolkit/Clipboard.h"

#include <cstring>

#include "toolkit/GdiObjects.h"

namespace toolkit {

Clipboard::Clipboard(HWND owner) {
    if (!GdiCall([owner] { return OpenClipboard(owner); })) RaiseLastGdiError();
    EmptyClipboard();
}

Clipboard::~Clipboard() { CloseClipboard(); }

void Clipboard::Put(UINT format, const std::vector<std::uint8_t>& bytes) {
    HGLOBAL memory = GdiCall([&] { return GlobalAlloc(GMEM_MOVEABLE, bytes.size()); });
    if (!memory) RaiseLastGdiError();
    if (void* data = GlobalLock(memory)) {
        std::memcpy(data, bytes.data(), bytes.size());
        GlobalUnlock(memory);
        if (SetClipboardData(format, memory)) return;  // the clipboard owns it now
    }
    GlobalFree(memory);
    RaiseLastGdiError();
}

void Clipboard::PutText(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    Put(CF_TEXT, bytes);
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return;
    std::vector<std::uint8_t> wide(static_cast<std::size_t>(length) * sizeof(wchar_t));
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, reinterpret_cast<wchar_t*>(wide.data()), length);
    Put(CF_UNICODETEXT, wide);
}

UINT Clipboard::RegisteredFormat(const char* name) { return RegisterClipboardFormatA(name); }

}  // namespace toolkit
