#include "icons/IconFormatReaders.h"
#include "icons/IconImageCheck.h"

namespace icons::iconformat {

namespace {

constexpr std::size_t kFileEntrySize = 16;

// The directory's entries, an icon file's or a cursor file's; false when the directory does not
// lie in the file.
bool ReadDirectory(ByteSource& source, std::vector<IconDirEntry>& entries) {
    std::vector<std::uint8_t> dir;
    if (!ReadBlock(source, 0, kIconDirHeaderSize, dir)) return false;
    const bool cursors = IsIconDirHeader(dir.data(), kCursorDirType);
    if (!cursors && !IsIconDirHeader(dir.data(), kIconDirType)) return false;
    const std::size_t images = U16(dir.data() + 4);
    if (images == 0 || !ReadBlock(source, 0, kIconDirHeaderSize + images * kFileEntrySize, dir)) return false;
    entries = cursors ? ParseCursorDirEntries(dir, kIconDirHeaderSize, images, kFileEntrySize)
                      : ParseIconDirEntries(dir, kIconDirHeaderSize, images, kFileEntrySize);
    return true;
}

}  // namespace

// The shell shows an icon file as one icon, whatever number of images it holds, once its
// directory lies in the file; that icon is safe when every image is. A cursor file likewise.
int CountIconFileIcons(ByteSource& source, std::vector<bool>& extractable) {
    std::vector<IconDirEntry> entries;
    if (!ReadDirectory(source, entries)) return 0;
    bool sane = true;
    for (const IconDirEntry& e : entries) sane = sane && IsSaneIconImage(source, e.location, e.bytesInRes);
    extractable.assign(1, sane);
    return 1;
}

StoredIcon ReadIconFileImages(ByteSource& source) {
    std::vector<IconDirEntry> entries;
    StoredImageCollector icon(source);
    if (!ReadDirectory(source, entries)) return {};
    for (const IconDirEntry& e : entries) icon.Add(e, e.location, e.bytesInRes);
    return icon.Take();
}

}  // namespace icons::iconformat
