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

// Width and height of text in a font, measured on a memory drawing context of the display: no
// window's context is borrowed, which is much cheaper where a window's context is costly to get.
SIZE MeasureText(HFONT font, const std::string& text);

// The dialog font every Pictavo window uses: "ＭＳ Ｐゴシック", 12 pixels, Shift-JIS, where the code
// page is 932; the system's message font at 12 pixels elsewhere.
const Font& DefaultFormFont();
// The same font for a window shown at `dpi`: 12 pixels scaled to it.
Font FormFontForDpi(int dpi);

}  // namespace toolkit
