#pragma once
// Text for the console program's output and error streams. On a console it is written as the
// console shows it (wide characters), so Japanese reads right whatever the console's code page;
// redirected to a file or a pipe it is the bytes of the system's ANSI code page.
#include <windows.h>

#include <string>

namespace console {

class ConsoleText {
public:
    // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
    explicit ConsoleText(DWORD standardHandle);
    // Writes the line (ANSI text) and a line break.
    void Line(const std::string& text);

private:
    HANDLE handle_;
    bool console_;
};

}  // namespace console
