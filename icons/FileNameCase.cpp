#include "icons/FileNameCase.h"

namespace icons {

void DoubleByteUpperCase::Apply(std::string_view name, std::string& upper) const {
    upper.assign(name);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto c = static_cast<unsigned char>(upper[i]);
        if (codePage_.IsLead(c)) {
            ++i;  // the trail byte stays as it is
        } else if (c >= 'a' && c <= 'z') {
            upper[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
}

}  // namespace icons
