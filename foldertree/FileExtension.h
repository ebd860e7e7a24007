#pragma once
// The extension a file mask line is compared with: the tail of a name from its last "." when
// that "." comes after the last "\" and ":" (a "\" that is the second byte of a double-byte
// character is no delimiter). Platform-free.
#include <string>
#include <string_view>

#include "toolkit/DoubleByte.h"

namespace foldertree {

// The extension with its dot (".ICO"), or the empty string when the name has none.
std::string FileExtension(std::string_view name, const toolkit::LeadByteTable& leadBytes);

}  // namespace foldertree
