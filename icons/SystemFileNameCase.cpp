#include <windows.h>

#include "icons/FileNameCase.h"

namespace icons {

namespace {
class LocaleUpperCase : public FileNameUpperCase {
public:
    void Apply(std::string_view name, std::string& upper) const override {
        upper.assign(name);
        if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    }
};
}  // namespace

const FileNameUpperCase& SystemFileNameUpperCase() {
    static const DoubleByteUpperCase doubleByte(toolkit::SystemLeadBytes());
    static const LocaleUpperCase locale;
    if (toolkit::SystemLeadBytes().IsDoubleByte()) return doubleByte;
    return locale;
}

}  // namespace icons
