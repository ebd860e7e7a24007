#pragma once
// The program's settings file: an INI file beside the executable, read and written only through
// the platform's profile calls, so every write reaches the file at once and nothing is cached.
#include <cstdint>
#include <string>

namespace toolkit {

class SettingsFile {
public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    const std::string& FileName() const { return path_; }

    // Missing files and keys give the default; strings come back with at most 2047 characters.
    std::string ReadString(const char* section, const char* key, const std::string& fallback) const;
    std::int32_t ReadInteger(const char* section, const char* key, std::int32_t fallback) const;
    bool ReadBool(const char* section, const char* key, bool fallback) const;

    // A failed write raises "<file> に書き込めません".
    void WriteString(const char* section, const char* key, const std::string& value);
    void WriteInteger(const char* section, const char* key, std::int32_t value);
    void WriteBool(const char* section, const char* key, bool value);

private:
    std::string path_;
};

}  // namespace toolkit
