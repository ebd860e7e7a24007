#include "toolkit/WideArguments.h"

#include <windows.h>
#include <shellapi.h>

namespace toolkit {

namespace {

// The whole text in ANSI, or false when a character has no ANSI form (it would become "?").
bool ExactAnsi(const std::wstring& text, std::string& ansi) {
    if (text.empty()) return false;
    const auto convert = [&](char* out, int room, BOOL* lossy) {
        return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), out, room,
                                   nullptr, lossy);
    };
    BOOL lossy = FALSE;
    const int bytes = convert(nullptr, 0, &lossy);
    if (bytes <= 0 || lossy) return false;
    ansi.assign(static_cast<std::size_t>(bytes), '\0');
    return convert(&ansi[0], bytes, nullptr) == bytes;
}

std::wstring ShortPathOf(const std::wstring& path) {
    const DWORD room = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (room == 0) return {};
    std::wstring shortPath(room, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), &shortPath[0], room);
    if (length == 0 || length >= room) return {};
    shortPath.resize(length);
    return shortPath;
}

// Frees the array CommandLineToArgvW allocates.
struct ArgumentArray {
    LPWSTR* items = nullptr;
    ~ArgumentArray() {
        if (items) LocalFree(items);
    }
};

}  // namespace

std::string AnsiPathOf(const std::wstring& path) {
    std::string ansi;
    if (ExactAnsi(path, ansi)) return ansi;
    const std::wstring shortPath = ShortPathOf(path);
    if (!shortPath.empty() && ExactAnsi(shortPath, ansi)) return ansi;
    return {};
}

std::vector<std::wstring> WideArguments() {
    int count = 0;
    ArgumentArray arguments{CommandLineToArgvW(GetCommandLineW(), &count)};
    std::vector<std::wstring> result;
    for (int i = 1; arguments.items && i < count; ++i) result.emplace_back(arguments.items[i]);
    return result;
}

}  // namespace toolkit
