#pragma once
// Writing a file so that it is either complete or not touched. A new file is created under its
// own name and removed again if writing fails. An existing one is replaced only once its new
// contents are complete: they go to a temporary file beside it, which takes the target's
// attributes and is then moved over it. The temporary's name is shorter than any name the program
// writes, so a target that fits the path limit can always be replaced. A failure leaves the target
// as it was and removes the temporary; the target is never written over in place.
#include <cstdint>
#include <string>
#include <vector>

namespace iconexport {

// Throws toolkit::EFCreateError(path) when the file cannot be created or cannot take the
// target's place, EWriteError when the bytes cannot be written completely.
void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The `attempt`-th name tried for the temporary file of `path`: "~<attempt>.TMP" in the same folder.
std::string TemporaryNameFor(const std::string& path, int attempt);

}  // namespace iconexport
