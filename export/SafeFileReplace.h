#pragma once
// Writing a file so that it is either complete or not touched. Its contents go to a temporary file
// beside it and take its name only once complete, so that a run killed part-way leaves no short
// file under the name (which a later run would keep as an existing file). A new file takes the
// name while still open, in one call; an existing one is replaced: the temporary takes the
// target's attributes, reaches the disk and only then takes the target's place, so that a power
// cut leaves the old file or the new one. The temporary's name is no longer than any name the
// program writes, so a target that fits the path limit can always be replaced. A failure leaves
// the target as it was and removes the temporary; the target is never written over in place.
// Should the system remove the target and then fail to move the temporary in (a scanner holding
// it), the temporary is kept: one of the two versions always remains.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Exceptions.h"

namespace iconexport {

// Throws toolkit::EFCreateError(path) when the file cannot be created or cannot take the
// target's place, EWriteError when the bytes cannot be written completely, EReplacementKept when
// the new contents stay in the temporary.
void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The `attempt`-th name tried for the temporary file of `path`, in the same folder: "~" and three
// letters or digits, then ".TMP". Each run of the program starts the walk at a name of its own;
// it goes on past names taken, through all 46656 of them.
std::string TemporaryNameFor(const std::string& path, int attempt);

// The file-system calls below the replacement. Tests replace them to make one fail as a full disk,
// a scanner holding a file or a share refusing a move would; an empty member keeps the system's.
struct FileSystemCalls {
    // Puts the bytes into an open file (WriteFile): true when all of them went.
    std::function<bool(void* file, const std::uint8_t* bytes, std::size_t size)> writeBytes;
    // Makes an open file's bytes reach the disk (FlushFileBuffers).
    std::function<bool(void* file)> flush;
    // Puts replacement in target's place, keeping target's creation time and security (ReplaceFileA).
    std::function<bool(const std::string& target, const std::string& replacement)> replace;
    // Moves from onto to, replacing what is there, returning once it is on the disk (MoveFileExA).
    std::function<bool(const std::string& from, const std::string& to)> move;
    // Gives an open file the name `to` where nothing of that name exists; fails where something
    // does (SetFileInformationByHandle).
    std::function<bool(void* file, const std::string& to)> rename;
};
// Sets the calls; FileSystemCalls{} restores the system's.
void SetFileSystemCalls(FileSystemCalls calls);

// The error when the target is gone and its new contents could not take its place: they are kept
// in the temporary file, which the message names.
class EReplacementKept : public toolkit::Exception {
public:
    EReplacementKept(const std::string& path, const std::string& temporary);
};

}  // namespace iconexport
