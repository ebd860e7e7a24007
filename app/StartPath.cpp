#include "app/StartPath.h"

#include <windows.h>

#include "toolkit/WideArguments.h"

std::wstring StartPathFromCommandLine() {
    const std::vector<std::wstring> arguments = toolkit::WideArguments();
    if (arguments.empty() || arguments.front().empty()) return {};
    const std::wstring& given = arguments.front();
    const DWORD room = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (room == 0) return given;
    std::wstring full(room, L'\0');
    const DWORD length = GetFullPathNameW(given.c_str(), room, &full[0], nullptr);
    if (length == 0 || length >= room) return given;
    full.resize(length);
    // "C:\Windows\" is the folder C:\Windows; "C:\" stays the drive's root.
    if (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return full;
}
