// Animated cursors: a RIFF "ACON" form with an "anih" header, optional "rate" and "seq " lists and
// a "LIST" "fram" of "icon" chunks, each chunk a cursor (or icon) file of its own.
#include <cstring>

#include "icons/IconFormatReaders.h"
#include "icons/IconImageCheck.h"

namespace icons::iconformat {

namespace {

constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kFormHeaderSize = 12;  // "RIFF", its size, "ACON"
constexpr std::size_t kAniHeaderSize = 36;
constexpr std::uint32_t kSequenceFlag = 2;  // the steps are listed in a "seq " chunk

// The bytes of one chunk as a file of their own, so a frame is read as any cursor file is.
class WindowByteSource : public ByteSource {
public:
    WindowByteSource(ByteSource& source, std::uint64_t offset, std::uint64_t size)
        : source_(source), offset_(offset), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    bool Read(std::uint64_t offset, void* out, std::size_t count) override {
        return Inside(offset, count, size_) && source_.Read(offset_ + offset, out, count);
    }

private:
    ByteSource& source_;
    std::uint64_t offset_;
    std::uint64_t size_;
};

struct Chunk {
    std::uint64_t offset = 0;  // of its data
    std::uint64_t size = 0;
};

// The chunks of the form: the header, the optional lists and the frames, each inside the form.
struct AniChunks {
    std::vector<std::uint8_t> header;
    std::optional<Chunk> rates, sequence;
    std::vector<Chunk> frames;
};

bool IsId(const std::uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

// Calls each(id, chunk) for every chunk in [at, end); false when one claims bytes past end. The
// pad byte after an odd chunk may be missing at the very end.
template <typename Each>
bool WalkChunks(ByteSource& source, std::uint64_t at, std::uint64_t end, Each each) {
    std::vector<std::uint8_t> head;
    while (end - at >= kChunkHeaderSize) {
        if (!ReadBlock(source, at, kChunkHeaderSize, head)) return false;
        const Chunk chunk{at + kChunkHeaderSize, U32(head.data() + 4)};
        if (chunk.size > end - chunk.offset) return false;
        if (!each(head.data(), chunk)) return false;
        at = chunk.offset + chunk.size;
        if ((chunk.size & 1) && at < end) ++at;
    }
    return true;
}

AnimationDamage ReadChunks(ByteSource& source, std::uint64_t offset, std::uint64_t end, AniChunks& chunks) {
    bool headerShort = false;
    const bool walked = WalkChunks(source, offset + kFormHeaderSize, end, [&](const std::uint8_t* id, const Chunk& c) {
        if (IsId(id, "anih")) {
            headerShort = c.size < kAniHeaderSize;
            return headerShort || ReadBlock(source, c.offset, kAniHeaderSize, chunks.header);
        }
        if (IsId(id, "rate")) chunks.rates = c;
        if (IsId(id, "seq ")) chunks.sequence = c;
        std::vector<std::uint8_t> listType;
        if (!IsId(id, "LIST") || c.size < 4 || !ReadBlock(source, c.offset, 4, listType) || !IsId(listType.data(), "fram"))
            return true;
        return WalkChunks(source, c.offset + 4, c.offset + c.size, [&](const std::uint8_t* frameId, const Chunk& frame) {
            if (IsId(frameId, "icon")) chunks.frames.push_back(frame);
            return true;
        });
    });
    if (!walked) return AnimationDamage::ChunkPastEnd;
    if (headerShort || chunks.header.empty()) return AnimationDamage::NoHeader;
    return AnimationDamage::None;
}

// count four-byte values of a list chunk; false when it holds fewer.
bool ReadList(ByteSource& source, const Chunk& chunk, std::uint32_t count, std::vector<std::uint8_t>& values) {
    return chunk.size / 4 >= count && ReadBlock(source, chunk.offset, std::size_t(count) * 4, values);
}

// The steps: the listed sequence, or each frame in turn; every step's frame must exist. The
// counts are checked against the lists' own sizes before anything is made of them.
AnimationDamage ReadSteps(ByteSource& source, const AniChunks& chunks, std::uint32_t frames, AnimatedCursor& cursor) {
    const std::uint32_t listedSteps = U32(chunks.header.data() + 8);
    const std::uint32_t defaultRate = U32(chunks.header.data() + 28);
    const bool sequenced = (U32(chunks.header.data() + 32) & kSequenceFlag) || chunks.sequence;
    const std::uint32_t steps = listedSteps ? listedSteps : frames;
    std::vector<std::uint8_t> sequence, rates;
    if (sequenced && !(chunks.sequence && ReadList(source, *chunks.sequence, steps, sequence)))
        return AnimationDamage::FrameCountMismatch;
    if (!sequenced && steps > frames) return AnimationDamage::MissingFrame;
    if (chunks.rates && !ReadList(source, *chunks.rates, steps, rates)) return AnimationDamage::FrameCountMismatch;
    for (std::uint32_t i = 0; i < steps; ++i) {
        const std::uint32_t frame = sequenced ? U32(sequence.data() + 4 * i) : i;
        if (frame >= frames) return AnimationDamage::MissingFrame;
        cursor.steps.push_back({static_cast<int>(frame), rates.empty() ? defaultRate : U32(rates.data() + 4 * i)});
    }
    return AnimationDamage::None;
}

}  // namespace

AnimationDamage ReadAnimatedCursor(ByteSource& source, std::uint64_t offset, std::uint64_t size, AnimatedCursor& cursor) {
    std::vector<std::uint8_t> form;
    if (!Inside(offset, size, source.Size()) || size < kFormHeaderSize || !ReadBlock(source, offset, kFormHeaderSize, form) ||
        !IsId(form.data(), "RIFF") || !IsId(form.data() + 8, "ACON")) {
        return AnimationDamage::NotAnimatedCursor;
    }
    if (U32(form.data() + 4) > size - kChunkHeaderSize) return AnimationDamage::ChunkPastEnd;
    AniChunks chunks;
    const AnimationDamage damage = ReadChunks(source, offset, offset + kChunkHeaderSize + U32(form.data() + 4), chunks);
    if (damage != AnimationDamage::None) return damage;
    const std::uint32_t frames = U32(chunks.header.data() + 4);
    if (frames == 0 || chunks.frames.empty()) return AnimationDamage::NoFrames;
    if (frames > chunks.frames.size()) return AnimationDamage::FrameCountMismatch;
    AnimatedCursor read;
    if (const AnimationDamage steps = ReadSteps(source, chunks, frames, read); steps != AnimationDamage::None) return steps;
    for (std::uint32_t i = 0; i < frames; ++i) {
        WindowByteSource frame(source, chunks.frames[i].offset, chunks.frames[i].size);
        read.frames.push_back(ReadIconFileImages(frame));
        if (read.frames.back().empty()) return AnimationDamage::DamagedFrame;
    }
    if (!ReadBlock(source, offset, static_cast<std::size_t>(size), read.bytes)) return AnimationDamage::ChunkPastEnd;
    read.offset = offset;
    read.size = size;
    cursor = std::move(read);
    return AnimationDamage::None;
}

}  // namespace icons::iconformat
