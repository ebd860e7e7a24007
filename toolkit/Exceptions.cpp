#include "toolkit/Exceptions.h"

#include <cstdio>

namespace toolkit {

std::string InOutErrorText(unsigned long code) {
    switch (code) {
    case 2: return "ファイルが見つかりません";
    case 3: return "不正なファイル名です";
    case 4: return "オープンしたファイルが多すぎます";
    case 5: return "ファイルへのアクセスが拒否されました";
    default: {
        char text[64];
        std::snprintf(text, sizeof text, "I/O エラー (%lu)", code);
        return text;
    }
    }
}

EInOutError::EInOutError(unsigned long code) : Exception(InOutErrorText(code)), code_(code) {}

static std::string Format(const char* pattern, const std::string& value) {
    std::string text(pattern);
    const auto at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

EFCreateError::EFCreateError(const std::string& path)
    : Exception(Format("ファイル %s を作成できません", path)) {}

EIniFileException::EIniFileException(const std::string& settingsPath)
    : Exception(Format("%s に書き込めません", settingsPath)) {}

EOutOfResources::EOutOfResources() : Exception("システム リソースが足りません") {}

}  // namespace toolkit
