#pragma once
// Shortens a folder path to a label's width by replacing leading folders with "...", always
// keeping the last component whole. Platform-free: the caller measures text (on Windows with the
// label's canvas and font).
#include <functional>
#include <string>
#include <string_view>

#include "toolkit/DoubleByte.h"

namespace toolkit {

using TextWidthFunction = std::function<int(const std::string&)>;

std::string ShortenPath(const std::string& path, const TextWidthFunction& textWidth, int maxWidth,
                        const toolkit::LeadByteTable& codePage);

// Cuts the first folder of a folder part ("\A\B\" -> "\...\B\"); exposed for tests.
std::string CutFirstFolder(std::string dir, const toolkit::LeadByteTable& codePage);

}  // namespace toolkit
