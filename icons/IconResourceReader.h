#pragma once
// Reads how many icons an icon file or an executable's resources hold, counted the way the shell's
// icon extraction counts them, and which of those icons the shell can extract safely. The shell reads
// these structures without bounds checks: a file whose directories themselves do not lie in the file
// counts no icons, and an icon whose group or images are missing or damaged is never handed to it.
// Platform-free: the bytes come through ByteSource (a file on Windows, memory in tests).
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <optional>
#include <vector>

namespace icons {

// Random access to the bytes of one file.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Fills out with count bytes from offset; false when they are not all there or cannot be read.
    virtual bool Read(std::uint64_t offset, void* out, std::size_t count) = 0;
};

// A ByteSource over bytes held in memory (the caller keeps them alive).
class MemoryByteSource : public ByteSource {
public:
    MemoryByteSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit MemoryByteSource(const std::vector<std::uint8_t>& bytes)
        : MemoryByteSource(bytes.data(), bytes.size()) {}
    std::uint64_t Size() const override { return size_; }
    bool Read(std::uint64_t offset, void* out, std::size_t count) override;

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

enum class IconFileKind { None, IconFile, NewExecutable, PortableExecutable, CursorFile, AnimatedCursorFile };

// Which image groups a file is read for: its icons, or its cursors (the same images with a hotspot:
// cursor groups of executables, .cur files, .ani files and the animated cursors executables hold).
enum class ImageGroupKind { Icons, Cursors };

// Why an animated cursor is refused.
enum class AnimationDamage {
    None,
    NotAnimatedCursor,   // no RIFF "ACON" form
    ChunkPastEnd,        // a chunk claims more bytes than its form holds
    NoHeader,            // no "anih" chunk, or one too short
    NoFrames,            // the header or the frame list counts no frames
    FrameCountMismatch,  // the header counts frames or steps the chunks do not hold
    MissingFrame,        // a step names a frame the cursor does not have
    DamagedFrame,        // a frame holds no readable image
};

struct IconFileSummary {
    IconFileKind kind = IconFileKind::None;
    // Icons the shell's extraction reports for the file; 0 when it holds none or its directories
    // do not lie in the file.
    int count = 0;
    // One flag per icon: its group and every image it names lie in the file and are sane.
    std::vector<bool> extractable;
    // Why an animated cursor file counts none.
    AnimationDamage damage = AnimationDamage::None;
};

// Walks the file once: the kind it is, its icon (or cursor) count, and which may be extracted.
IconFileSummary ReadIconSummary(ByteSource& source, ImageGroupKind groups = ImageGroupKind::Icons);

// The directory fields of one stored image: width, height, colour count, a reserved byte, planes
// and bits per pixel, 8 bytes as an icon file and a group-icon resource both hold them.
constexpr std::size_t kStoredImageFieldsSize = 8;

// The largest image the program decodes: larger ones are never allocated. An icon's largest
// images are 256 pixels square; the bound leaves room for odd shapes without letting one lying
// header ask for gigabytes.
constexpr int kMaxDecodedSide = 4096;
constexpr std::uint64_t kMaxDecodedBytes = std::uint64_t(64) << 20;  // four bytes a pixel

enum class StoredImageKind : std::uint8_t { Bitmap, Png };

// What one stored image is, read from its own header once, where the icon is read (the directory's
// fields may disagree). Every user of the image goes by this record.
struct StoredImageHeader {
    StoredImageKind kind = StoredImageKind::Bitmap;
    int width = 0;         // pixels; a bitmap's colour rows without its mask rows
    int height = 0;
    int bitsPerPixel = 0;  // a PNG image: as the directory lists it (the system counts it so)
    std::uint32_t compression = 0;  // a bitmap's coding: 0 plain, 3 colour masks, others unread
    std::uint32_t headerSize = 0;   // a bitmap's info header in bytes
    std::uint32_t colours = 0;      // colour-table entries
    std::uint32_t pixelsAt = 0;     // where a bitmap's colour rows start in the image's bytes
    std::uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;  // 16 and 32 bits a pixel
    // Within the decode limit and in a coding the program decodes; an image that is not is shown
    // and exported as unreadable, never decoded.
    bool readable = false;

    bool IsPng() const { return kind == StoredImageKind::Png; }
};

// The point of a cursor image that is the pointer's position, in pixels from its top left.
struct CursorHotspot {
    int x = 0;
    int y = 0;
};

// One image of an icon as the file stores it (a bitmap or a PNG), its bytes unchanged.
struct StoredIconImage {
    std::array<std::uint8_t, kStoredImageFieldsSize> fields{};
    std::vector<std::uint8_t> bytes;  // a cursor image without the hotspot a cursor resource puts first
    StoredImageHeader header;
    std::optional<CursorHotspot> hotspot;  // cursor images only
};

// The image of `bytes` with the directory fields `fields`, its header checked; false when the
// bytes are no image at all or its header, colour table or rows do not fit them (a damaged image).
bool MakeStoredImage(const std::array<std::uint8_t, kStoredImageFieldsSize>& fields, std::vector<std::uint8_t> bytes,
                     StoredIconImage& image);
using StoredIcon = std::vector<StoredIconImage>;

// One step of an animated cursor: the frame it shows and for how long, in 1/60 s.
struct AnimationStep {
    int frame = 0;
    std::uint32_t jiffies = 0;
};

// An animated cursor (.ani) as it stores it: every frame's images, the steps, and where its own
// bytes lie in the file (written out unchanged).
struct AnimatedCursor {
    std::vector<StoredIcon> frames;
    std::vector<AnimationStep> steps;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::vector<std::uint8_t> bytes;  // the size bytes at offset
};

// One file's icons as it stores them.
class StoredIconLayout {
public:
    virtual ~StoredIconLayout() = default;
    virtual StoredIcon Read(int index) = 0;
    // Cursor number index when it is an animated one; nullopt for any other.
    virtual std::optional<AnimatedCursor> Animation(int) { return std::nullopt; }
    // The resource id the group of index has in an executable ("#32512"); empty when it has none.
    virtual std::string ResourceName(int) { return {}; }
};

// Reads the icons of one file as it stores them; the file's directories are read once, for all
// of its icons (an export of every icon of a large library reads them once, not once per icon).
class StoredIconReader {
public:
    explicit StoredIconReader(ByteSource& source, ImageGroupKind groups = ImageGroupKind::Icons);
    ~StoredIconReader();
    StoredIconReader(const StoredIconReader&) = delete;
    StoredIconReader& operator=(const StoredIconReader&) = delete;

    // Every image of icon number index (numbered as ReadIconSummary counts) in its group's order;
    // the images that are missing or damaged are left out, so the result may be empty. An icon
    // file's one icon is its own images; an executable's is its group-icon resource in its first
    // language, each image in the group's language where the file has it.
    // An animated cursor shows as its first frame.
    StoredIcon Read(int index);
    // Cursor number index, when it is an animated one.
    std::optional<AnimatedCursor> Animation(int index);
    // The resource id of group index in an executable, "#32512" (a named one by its name); empty
    // for other files.
    std::string ResourceName(int index);

private:
    std::unique_ptr<StoredIconLayout> layout_;
};

// One icon of a file read once (StoredIconReader for a single icon).
StoredIcon ReadStoredIcon(ByteSource& source, int index);

}  // namespace icons
