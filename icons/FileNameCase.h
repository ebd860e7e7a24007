#pragma once
// Upper-casing of file names for the name sort. On a double-byte code page only the ASCII letters
// of single-byte characters change; elsewhere the system's locale rules apply.
#include <string>
#include <string_view>

#include "toolkit/DoubleByte.h"

namespace icons {

class FileNameUpperCase {
public:
    virtual ~FileNameUpperCase() = default;
    virtual void Apply(std::string_view name, std::string& upper) const = 0;
};

// The double-byte rule: a lead byte and the byte after it are kept, "a"..."z" become "A"..."Z".
class DoubleByteUpperCase : public FileNameUpperCase {
public:
    explicit DoubleByteUpperCase(const toolkit::LeadByteTable& codePage) : codePage_(codePage) {}
    void Apply(std::string_view name, std::string& upper) const override;

private:
    const toolkit::LeadByteTable& codePage_;
};

// The rule for the system's ANSI code page (Windows build only).
const FileNameUpperCase& SystemFileNameUpperCase();

}  // namespace icons
