#include "toolkit/SettingsFile.h"

#include <windows.h>

#include "toolkit/SettingsValues.h"
#include "toolkit/Exceptions.h"

namespace toolkit {

std::string SettingsFile::ReadString(const char* section, const char* key,
                                     const std::string& fallback) const {
    char buffer[2048];
    const DWORD length = GetPrivateProfileStringA(section, key, fallback.c_str(), buffer,
                                                  sizeof buffer, path_.c_str());
    return std::string(buffer, length);
}

std::int32_t SettingsFile::ReadInteger(const char* section, const char* key, std::int32_t fallback) const {
    return SettingsIntegerOr(ReadString(section, key, ""), fallback);
}

bool SettingsFile::ReadBool(const char* section, const char* key, bool fallback) const {
    return SettingsBoolOr(ReadString(section, key, ""), fallback);
}

void SettingsFile::WriteString(const char* section, const char* key, const std::string& value) {
    if (!WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str()))
        throw toolkit::EIniFileException(path_);
}

void SettingsFile::WriteInteger(const char* section, const char* key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(const char* section, const char* key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace toolkit
