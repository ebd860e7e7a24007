#pragma once
// An owned GDI font.
#include <windows.h>

#include <string>

namespace toolkit {

class Font {
public:
    Font() = default;
    // `height` is the character height in pixels; `charset` e.g. SHIFTJIS_CHARSET.
    Font(const std::string& face, int height, BYTE charset, bool bold = false);
    ~Font() { Reset(); }
    Font(Font&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    Font& operator=(Font&& other) noexcept;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT Handle() const { return font_; }

private:
    void Reset();
    HFONT font_ = nullptr;
};

// The dialog font every Pictavo window uses: "ＭＳ Ｐゴシック", 12 pixels, Shift-JIS.
const Font& DefaultFormFont();

}  // namespace toolkit
