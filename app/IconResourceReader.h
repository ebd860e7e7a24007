#pragma once
// Reads how many icons an icon file or an executable's resources hold, checking every structure the
// shell's icon extraction will walk for that file. The shell reads these structures without bounds
// checks, so a file that is not sane in full is reported as holding no icons and is never handed to it.
// Platform-free: the bytes come through ByteSource (a file on Windows, memory in tests).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace app {

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

enum class IconFileKind { None, IconFile, NewExecutable, PortableExecutable };

struct IconFileSummary {
    IconFileKind kind = IconFileKind::None;
    // Icons the shell's extraction reports for the file; 0 when it holds none or is not sane in full.
    int count = 0;
};

// Walks the file once: the kind it is, and its icon count when every structure checks out.
IconFileSummary ReadIconSummary(ByteSource& source);

}  // namespace app
