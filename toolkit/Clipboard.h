#pragma once
// The system clipboard, open for as long as this lives: emptied, then filled format by format.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace toolkit {

class Clipboard {
public:
    // Opens and empties the clipboard for `owner`; raises the system's error when it cannot.
    explicit Clipboard(HWND owner);
    ~Clipboard();
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    // Puts a copy of `bytes` on the clipboard as `format`.
    void Put(UINT format, const std::vector<std::uint8_t>& bytes);
    // The text as CF_TEXT and as CF_UNICODETEXT, read in the system's ANSI code page.
    void PutText(const std::string& text);
    // The number of a format registered by its name ("PNG").
    static UINT RegisteredFormat(const char* name);
};

}  // namespace toolkit
