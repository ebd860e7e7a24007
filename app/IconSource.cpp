#include "app/IconSource.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "app/IconResourceReader.h"

namespace app {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (IsOpen()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// The bytes of an open file, read on demand. The reader asks for many small pieces: headers near
// the start, then for executables with icons the resource tree and one header per image, which may
// be spread over megabytes. The file is read in aligned chunks, kept for the rest of the call with
// the least recently used one making room when too many are held, so pieces close to one another
// cost one system call together.
class FileByteSource : public ByteSource {
public:
    FileByteSource(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    bool Read(std::uint64_t offset, void* out, std::size_t count) override {
        if (offset > size_ || count > size_ - offset) return false;
        auto* to = static_cast<std::uint8_t*>(out);
        while (count > 0) {
            const std::vector<std::uint8_t>* chunk = ChunkAt(offset);
            if (!chunk) return false;
            const auto within = static_cast<std::size_t>(offset % kChunkSize);
            const std::size_t piece = std::min(count, chunk->size() - within);
            std::memcpy(to, chunk->data() + within, piece);
            to += piece, offset += piece, count -= piece;
        }
        return true;
    }

private:
    using Chunk = std::pair<std::uint64_t, std::vector<std::uint8_t>>;
    static constexpr std::uint64_t kChunkSize = 64 * 1024;
    static constexpr std::size_t kMaxChunks = 64;
    static constexpr std::uint64_t kFirstReadSize = 4 * 1024;

    // The chunk holding offset. The very first read is short: most files are decided by their
    // headers alone (no icons), and a short read is cheaper than a full chunk.
    const std::vector<std::uint8_t>* ChunkAt(std::uint64_t offset) {
        const std::uint64_t index = offset / kChunkSize;
        const auto within = static_cast<std::size_t>(offset % kChunkSize);
        const auto held = std::find_if(chunks_.begin(), chunks_.end(), [&](const Chunk& c) { return c.first == index; });
        if (held != chunks_.end() && within < held->second.size()) {
            std::rotate(held, held + 1, chunks_.end());  // now the most recently used
            return &chunks_.back().second;
        }
        if (held != chunks_.end()) chunks_.erase(held);  // the short first read, read again in full
        const std::uint64_t start = index * kChunkSize;
        const std::uint64_t wanted = firstRead_ && within < kFirstReadSize ? kFirstReadSize : kChunkSize;
        firstRead_ = false;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(wanted, size_ - start)));
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(start);
        at.OffsetHigh = static_cast<DWORD>(start >> 32);
        DWORD got = 0;
        if (!ReadFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &got, &at) || got != bytes.size()) {
            return nullptr;
        }
        if (chunks_.size() == kMaxChunks) chunks_.erase(chunks_.begin());
        chunks_.emplace_back(index, std::move(bytes));
        return &chunks_.back().second;
    }

    HANDLE file_;
    std::uint64_t size_;
    std::vector<Chunk> chunks_;  // least recently used first
    bool firstRead_ = true;
};

IconFileSummary ReadSummary(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size)) return {};
    FileByteSource source(file.Get(), static_cast<std::uint64_t>(size.QuadPart));
    return ReadIconSummary(source);
}

}  // namespace

int IconCount(HWND, const std::string& path) { return ReadSummary(path).count; }

HICON ExtractIconAt(HWND owner, const std::string& path, int index) { return IconFile(owner, path).Extract(index); }

IconFile::IconFile(HWND owner, std::string path)
    : owner_(owner), path_(std::move(path)), count_(ReadSummary(path_).count) {}

HICON IconFile::Extract(int index) const {
    if (index < 0 || index >= count_) return nullptr;
    return ExtractIconA(reinterpret_cast<HINSTANCE>(owner_), path_.c_str(), static_cast<UINT>(index));
}

}  // namespace app
