#include "app/IconFormatReaders.h"
#include "app/IconImageCheck.h"

namespace app::iconformat {

namespace {
constexpr std::size_t kFileEntrySize = 16;
}

// The shell shows an icon file as one icon, whatever number of images it holds, once its
// directory lies in the file; that icon is safe when every image is.
int CountIconFileIcons(ByteSource& source, std::vector<bool>& extractable) {
    std::vector<std::uint8_t> dir;
    if (!ReadBlock(source, 0, kIconDirHeaderSize, dir)) return 0;
    const std::size_t images = U16(dir.data() + 4);
    if (images == 0 || !ReadBlock(source, 0, kIconDirHeaderSize + images * kFileEntrySize, dir)) return 0;
    bool sane = true;
    for (const IconDirEntry& e : ParseIconDirEntries(dir, kIconDirHeaderSize, images, kFileEntrySize)) {
        sane = sane && IsSaneIconImage(source, e.location, e.bytesInRes);
    }
    extractable.assign(1, sane);
    return 1;
}

}  // namespace app::iconformat
