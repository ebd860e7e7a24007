#include "app/IconFormatReaders.h"
#include "app/IconImageCheck.h"

namespace app::iconformat {

namespace {
constexpr std::size_t kFileEntrySize = 16;
}

int CountIconFileIcons(ByteSource& source) {
    std::vector<std::uint8_t> dir;
    if (!ReadBlock(source, 0, kIconDirHeaderSize, dir)) return 0;
    const std::size_t images = U16(dir.data() + 4);
    if (images == 0 || !ReadBlock(source, 0, kIconDirHeaderSize + images * kFileEntrySize, dir)) return 0;
    for (const IconDirEntry& e : ParseIconDirEntries(dir, kIconDirHeaderSize, images, kFileEntrySize)) {
        if (!IsSaneIconImage(source, e.location, e.bytesInRes)) return 0;
    }
    // The shell shows an icon file as one icon, whatever number of images it holds.
    return 1;
}

}  // namespace app::iconformat
