#include "export/FolderNameCheck.h"

namespace iconexport {

namespace {
constexpr std::string_view kForbidden = "\\/:\"<>|";
}

bool IsValidFolderName(std::string_view name, const toolkit::LeadByteTable& codePage) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (codePage.IsLead(c)) {
            ++i;  // the trail byte belongs to this character
            continue;
        }
        if (kForbidden.find(static_cast<char>(c)) != std::string_view::npos) return false;
    }
    return true;
}

}  // namespace iconexport
