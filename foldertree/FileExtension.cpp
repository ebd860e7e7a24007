#include "foldertree/FileExtension.h"

namespace foldertree {

std::string FileExtension(std::string_view name, const toolkit::LeadByteTable& leadBytes) {
    const std::size_t last = leadBytes.LastDelimiter(name, ".\\:");
    if (last == std::string_view::npos || name[last] != '.') return std::string();
    return std::string(name.substr(last));
}

}  // namespace foldertree
