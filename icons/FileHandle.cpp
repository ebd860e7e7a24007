#include "icons/FileHandle.h"

#include <winternl.h>

namespace icons {

bool FileIndexOf(HANDLE file, std::uint64_t& index) {
    IO_STATUS_BLOCK status{};
    LARGE_INTEGER internal{};  // FILE_INTERNAL_INFORMATION: the index alone
    if (NtQueryInformationFile(file, &status, &internal, sizeof internal, FileInternalInformation) < 0) return false;
    index = static_cast<std::uint64_t>(internal.QuadPart);
    return true;
}

}  // namespace icons
