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
constexpr int kFormFontHeight = 12;
}  // namespace

const Font& DefaultFormFont() {
    static const Font font(kFormFontFace, kFormFontHeight, SHIFTJIS_CHARSET);
    return font;
}

Font FormFontForDpi(int dpi) { return Font(kFormFontFace, ScaleToDpi(kFormFontHeight, dpi), SHIFTJIS_CHARSET); }

}  // namespace toolkit
