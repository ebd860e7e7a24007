#pragma once
// The three file layouts that hold icons. Each returns the number of icons the shell reports for the
// file (0 when it holds none or its directories do not lie in the file) and sets one flag per icon
// in extractable: true when that icon's group and images lie in the file and are sane.
#include <cstdint>
#include <memory>
#include <vector>

#include "icons/IconResourceReader.h"

namespace icons::iconformat {

// The resource types that hold one kind of image group, and how many bytes of hotspot the image
// resources put before the image (cursors: x and y, two bytes each).
struct GroupTypes {
    std::uint16_t group;
    std::uint16_t image;
    std::uint16_t animated;  // 0: the kind has none
    std::size_t hotspotBytes;
};
GroupTypes TypesOf(ImageGroupKind kind);

// An icon file ("reserved 0, type 1" header, then its directory and images) or a cursor file
// (type 2, the directory giving each image's hotspot).
int CountIconFileIcons(ByteSource& source, std::vector<bool>& extractable);
// A 16-bit executable: the resource table after the "NE" header at neOffset.
int CountNeIcons(ByteSource& source, std::uint32_t neOffset, ImageGroupKind kind, std::vector<bool>& extractable);
// A 32- or 64-bit executable: the resource directory reached from the "PE" header at peOffset.
int CountPeIcons(ByteSource& source, std::uint32_t peOffset, ImageGroupKind kind, std::vector<bool>& extractable);

// The images of an icon or cursor file's one icon.
StoredIcon ReadIconFileImages(ByteSource& source);
// The icons or cursors of an executable, each layout's directories read once for all of them (see
// StoredIconReader); nullptr when they cannot be read.
std::unique_ptr<StoredIconLayout> OpenNeIcons(ByteSource& source, std::uint32_t neOffset, ImageGroupKind kind);
std::unique_ptr<StoredIconLayout> OpenPeIcons(ByteSource& source, std::uint32_t peOffset, ImageGroupKind kind);

// The animated cursor whose RIFF form is the size bytes at offset; what is wrong with it when it
// is refused. Nothing is allocated beyond what those bytes hold.
AnimationDamage ReadAnimatedCursor(ByteSource& source, std::uint64_t offset, std::uint64_t size, AnimatedCursor& cursor);

}  // namespace icons::iconformat
