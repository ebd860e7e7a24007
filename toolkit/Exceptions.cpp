#include "toolkit/Exceptions.h"
#include "toolkit/ProgramTexts.h"

#include <cstdio>

namespace toolkit {

std::string InOutErrorText(unsigned long code) {
    switch (code) {
    case 2: return Text(TextId::ErrorFileNotFound);
    case 3: return Text(TextId::ErrorBadFileName);
    case 4: return Text(TextId::ErrorTooManyFiles);
    case 5: return Text(TextId::ErrorAccessDenied);
    default: {
        char text[64];
        std::snprintf(text, sizeof text, Text(TextId::ErrorInOut), code);
        return text;
    }
    }
}

EInOutError::EInOutError(unsigned long code) : Exception(InOutErrorText(code)), code_(code) {}

EFCreateError::EFCreateError(const std::string& path)
    : Exception(TextWith(TextId::ErrorCreateFile, {path})) {}

EIniFileException::EIniFileException(const std::string& settingsPath)
    : Exception(TextWith(TextId::ErrorSettingsWrite, {settingsPath})) {}

EOutOfResources::EOutOfResources() : Exception(Text(TextId::ErrorOutOfResources)) {}

}  // namespace toolkit
