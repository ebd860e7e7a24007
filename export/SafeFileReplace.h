#pragma once
// Writing a file so that it is either complete or not touched. A new file is created under its
// own name and removed again if writing fails. An existing one is replaced only once its new
// contents are complete: they go to a temporary file beside it, which takes the target's
// attributes, reaches the disk and only then takes the target's place, so that a power cut leaves
// the old file or the new one. The temporary's name is no longer than any name the program
// writes, so a target that fits the path limit can always be replaced. A failure leaves the target
// as it was and removes the temporary; the target is never written over in place.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace iconexport {

// Throws toolkit::EFCreateError(path) when the file cannot be created or cannot take the
// target's place, EWriteError when the bytes cannot be written completely.
void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The `attempt`-th name tried for the temporary file of `path`, in the same folder: "~" and three
// letters or digits, then ".TMP". Each run of the program starts the walk at a name of its own;
// it goes on past names taken, through all 46656 of them.
std::string TemporaryNameFor(const std::string& path, int attempt);

// The call that puts the bytes into an open file (WriteFile): true when all of them went. Tests
// replace it to make a write fail part-way, as a full disk does; an empty function restores it.
using WriteBytesCall = std::function<bool(void* file, const std::uint8_t* bytes, std::size_t size)>;
void SetWriteBytesCall(WriteBytesCall call);

}  // namespace iconexport
