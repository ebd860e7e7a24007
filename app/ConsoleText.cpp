#include "app/ConsoleText.h"

namespace console {

ConsoleText::ConsoleText(DWORD standardHandle) : handle_(GetStdHandle(standardHandle)) {
    DWORD mode = 0;
    console_ = handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr && GetConsoleMode(handle_, &mode);
}

void ConsoleText::Line(const std::string& text) {
    const std::string line = text + "\r\n";
    DWORD written = 0;
    if (!console_) {
        WriteFile(handle_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), wide.data(), length);
    WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

}  // namespace console
