#pragma once
// The characters a new folder's name may not hold (the message that says which is a program text).
// Platform-free.
#include <string_view>

#include "toolkit/DoubleByte.h"

namespace iconexport {

// True when no character of `name` is one of \ / : " < > |. A double-byte character counts as
// one character and never matches, even when its second byte has the code of "\" or "|" (表示,
// ポスター). The empty name is valid.
bool IsValidFolderName(std::string_view name, const toolkit::LeadByteTable& codePage);

}  // namespace iconexport
