#pragma once
// Errors raised below the program's event handlers (file creation and writing, graphics
// conversion, directory changes, settings writes). They end the running handler and are shown by
// the application's error box; the program goes on. Messages are ANSI (Shift-JIS) strings.
#include <stdexcept>
#include <string>

namespace toolkit {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// An input/output error identified by the system's error code.
class EInOutError : public Exception {
public:
    explicit EInOutError(unsigned long code);
    unsigned long ErrorCode() const { return code_; }

private:
    unsigned long code_;
};

// A file that cannot be created.
class EFCreateError : public Exception {
public:
    explicit EFCreateError(const std::string& path);
};

// A settings (INI) write that failed.
class EIniFileException : public Exception {
public:
    explicit EIniFileException(const std::string& settingsPath);
};

// A graphics object or drawing resource that could not be had.
class EOutOfResources : public Exception {
public:
    EOutOfResources();
};

// The user-visible text of an input/output error code.
std::string InOutErrorText(unsigned long code);

}  // namespace toolkit
