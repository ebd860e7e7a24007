#include "toolkit/Font.h"

#include "toolkit/Dpi.h"

namespace toolkit {

Font::Font(const std::string& face, int height, BYTE charset, bool bold) {
    LOGFONTA lf{};
    lf.lfHeight = -height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    font_ = CreateFontIndirectA(&lf);
}

Font& Font::operator=(Font&& other) noexcept {
    if (this != &other) {
        Reset();
        font_ = other.font_;
        other.font_ = nullptr;
    }
    return *this;
}

void Font::Reset() {
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

SIZE MeasureText(HFONT font, const std::string& text) {
    static const HDC dc = CreateCompatibleDC(nullptr);  // lives as long as the program
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (text.empty()) {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        size.cy = metrics.tmHeight;
    }
    SelectObject(dc, previous);
    return size;
}

namespace {
constexpr const char* kFormFontFace = "ＭＳ Ｐゴシック";
constexpr unsigned kJapaneseCodePage = 932;
constexpr int kFormFontHeight = 12;

struct FontFace {
    std::string name;
    BYTE charset;
};

// "ＭＳ Ｐゴシック" is Shift-JIS bytes, a name only a code page 932 system can read; elsewhere the
// system's own dialog (message) font takes its place at the same height.
const FontFace& FormFontFace() {
    static const FontFace face = []() -> FontFace {
        if (GetACP() == kJapaneseCodePage) return {kFormFontFace, SHIFTJIS_CHARSET};
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {"MS Shell Dlg", DEFAULT_CHARSET};
        return {metrics.lfMessageFont.lfFaceName, DEFAULT_CHARSET};
    }();
    return face;
}
}  // namespace

const Font& DefaultFormFont() {
    static const Font font(FormFontFace().name, kFormFontHeight, FormFontFace().charset);
    return font;
}

Font FormFontForDpi(int dpi) { return Font(FormFontFace().name, ScaleToDpi(kFormFontHeight, dpi), FormFontFace().charset); }

}  // namespace toolkit
