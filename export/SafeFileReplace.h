#pragma once
// Writing a file so that it is either complete or not touched: the bytes go to a temporary file
// beside the target, which replaces the target only once it is written and closed. A failure
// leaves the target as it was (an existing file keeps its contents) and removes the temporary.
#include <cstdint>
#include <string>
#include <vector>

namespace iconexport {

// Throws toolkit::EFCreateError(path) when the file cannot be created or cannot take the
// target's place, EWriteError when the bytes cannot be written completely.
void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The `attempt`-th name tried for the temporary file of `path` (in the same folder).
std::string TemporaryNameFor(const std::string& path, int attempt);

}  // namespace iconexport
