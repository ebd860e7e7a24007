#include "icons/IconSource.h"

#include <mutex>

#include <shellapi.h>

#include <algorithm>
#include <unordered_map>
#include <cstring>
#include <utility>
#include <vector>

#include "icons/FileHandle.h"
#include "icons/IconResourceReader.h"
#include "icons/PathNames.h"
#include "icons/RedirectedResources.h"
#include "toolkit/DoubleByte.h"

namespace icons {

namespace {

// The bytes of an open file, read on demand. The reader asks for many small pieces: headers near
// the start, then for executables with icons the resource tree and one header per image, which may
// be spread over megabytes. The file is read in aligned chunks, kept for the rest of the call with
// the least recently used one making room when too many are held, so pieces close to one another
// cost one system call together.
class FileByteSource : public ByteSource {
public:
    FileByteSource(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
    ~FileByteSource() override {
        for (auto& chunk : chunks_) SparePool().push_back(std::move(chunk.second));
    }
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;
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
    static constexpr std::uint64_t kChunkSize = 256 * 1024;  // under Wine a read costs far more than its bytes
    static constexpr std::size_t kMaxChunks = 16;

    // The chunk holding offset. Most files are decided by their first chunk alone (no icons);
    // it is read from the fresh file position, which costs Wine one round trip less than a read
    // at a given offset.
    const std::vector<std::uint8_t>* ChunkAt(std::uint64_t offset) {
        const std::uint64_t index = offset / kChunkSize;
        const auto held = std::find_if(chunks_.begin(), chunks_.end(), [&](const Chunk& c) { return c.first == index; });
        if (held != chunks_.end()) {
            std::rotate(held, held + 1, chunks_.end());  // now the most recently used
            return &chunks_.back().second;
        }
        const std::uint64_t start = index * kChunkSize;
        std::vector<std::uint8_t> bytes = SpareBuffer();
        bytes.resize(static_cast<std::size_t>(std::min(kChunkSize, size_ - start)));
        DWORD got = 0;
        const bool fromStart = firstRead_ && index == 0;
        firstRead_ = false;
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(start);
        at.OffsetHigh = static_cast<DWORD>(start >> 32);
        if (!ReadFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &got, fromStart ? nullptr : &at) ||
            got != bytes.size()) {
            return nullptr;
        }
        if (chunks_.size() == kMaxChunks) {
            SparePool().push_back(std::move(chunks_.front().second));
            chunks_.erase(chunks_.begin());
        }
        chunks_.emplace_back(index, std::move(bytes));
        return &chunks_.back().second;
    }

    // Chunk buffers outlive the file: a fresh 256 KB block costs the process new pages (under Wine
    // a mapping and a fault per page) on every file of a search, a reused one costs nothing.
    static std::vector<std::vector<std::uint8_t>>& SparePool() {
        thread_local std::vector<std::vector<std::uint8_t>> pool;
        return pool;
    }
    static std::vector<std::uint8_t> SpareBuffer() {
        auto& pool = SparePool();
        if (pool.empty()) return {};
        std::vector<std::uint8_t> buffer = std::move(pool.back());
        pool.pop_back();
        return buffer;
    }

    HANDLE file_;
    std::uint64_t size_;
    std::vector<Chunk> chunks_;  // least recently used first
    bool firstRead_ = true;
};

// What identifies one state of a file: the file itself (its volume and its index there, which a
// file put in its place does not share) and its size and last write time.
struct FileStamp {
    DWORD volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    FILETIME written{};
    bool operator==(const FileStamp& other) const {
        return volume == other.volume && index == other.index && size == other.size &&
               CompareFileTime(&written, &other.written) == 0;
    }
};

HANDLE OpenForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool StampOf(HANDLE file, DWORD volume, FileStamp& stamp) {
    LARGE_INTEGER size{};
    if (!FileIndexOf(file, stamp.index) || !GetFileSizeEx(file, &size) ||
        !GetFileTime(file, nullptr, nullptr, &stamp.written)) {
        return false;
    }
    stamp.volume = volume;
    stamp.size = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

DWORD VolumeSerialOfHandle(HANDLE handle) {
    DWORD serial = 0;
    return GetVolumeInformationByHandleW(handle, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0) ? serial : 0;
}

// Files too short for any header hold no icons.
constexpr std::uint64_t kShortestHeader = 6;

// The size is known beforehand (from the folder listing or the open file); a file that changes
// meanwhile reads short and counts 0.
IconFileSummary ReadSummaryOf(HANDLE file, std::uint64_t size, ImageGroupKind groups) {
    if (size < kShortestHeader) return {};
    FileByteSource source(file, size);
    return ReadIconSummary(source, groups);
}

// Files with icons that were read, with the state they were read in. The search reads every file it
// lists; viewing or exporting one of them right after need not read and check a large icon library
// again while it is the same file, unchanged.
// The gallery reads on a thread of its own: the record is shared under a lock.
class CheckedFiles {
public:
    void Remember(const std::string& path, const FileStamp& stamp, const IconFileSummary& summary) {
        if (summary.count <= 0) return;
        const std::lock_guard<std::mutex> held(lock_);
        if (files_.size() >= kLimit) files_.clear();
        files_[path] = {stamp, summary};
    }
    // The summary read before; false when the file is not known in this state.
    bool Lookup(const std::string& path, const FileStamp& stamp, IconFileSummary& summary) const {
        const std::lock_guard<std::mutex> held(lock_);
        const auto found = files_.find(path);
        if (found == files_.end() || !(found->second.first == stamp)) return false;
        summary = found->second.second;
        return true;
    }

private:
    static constexpr std::size_t kLimit = 16384;
    mutable std::mutex lock_;
    std::unordered_map<std::string, std::pair<FileStamp, IconFileSummary>> files_;
};

// One record for the icons read, one for the cursors.
CheckedFiles& Checked(ImageGroupKind groups) {
    static CheckedFiles icons, cursors;
    return groups == ImageGroupKind::Cursors ? cursors : icons;
}

// Files listed under a name the system could not give in the ANSI code page ("Café.dll" comes back
// as "Cafe.dll", a Korean name with "?"), which therefore does not open: the short name of the
// same folder entry that does, by the listed path.
class ShortNames {
public:
    void Remember(const std::string& listed, const std::string& openable) {
        const std::lock_guard<std::mutex> held(lock_);
        if (paths_.size() >= kLimit) paths_.clear();
        paths_[listed] = openable;
    }
    std::string Openable(const std::string& path) const {
        const std::lock_guard<std::mutex> held(lock_);
        const auto found = paths_.find(path);
        return found != paths_.end() ? found->second : path;
    }

private:
    static constexpr std::size_t kLimit = 16384;
    mutable std::mutex lock_;
    std::unordered_map<std::string, std::string> paths_;
};

ShortNames& ShortNamed() {
    static ShortNames names;
    return names;
}

// The file's summary, read afresh unless this very file was read in this state before.
IconFileSummary CheckedSummary(const std::string& path, ImageGroupKind groups) {
    FileHandle file(OpenForReading(path));
    FileStamp stamp;
    if (!file.IsOpen() || !StampOf(file.Get(), VolumeSerialOfHandle(file.Get()), stamp)) return {};
    IconFileSummary summary;
    if (Checked(groups).Lookup(path, stamp, summary)) return summary;
    summary = ReadSummaryOf(file.Get(), stamp.size, groups);
    Checked(groups).Remember(path, stamp, summary);
    return summary;
}

// The .mun that holds a system file's icons and what it holds, read as any file is; false when
// the file is read as itself: no .mun, or one without icons.
bool RedirectedSummary(const std::string& path, ImageGroupKind groups, std::string& location, IconFileSummary& summary) {
    std::string mun = RedirectedResourceFile(path);
    if (mun.empty()) return false;
    IconFileSummary held = CheckedSummary(mun, groups);
    if (held.kind != IconFileKind::PortableExecutable || held.count <= 0) return false;
    location = std::move(mun);
    summary = std::move(held);
    return true;
}

int RedirectedCount(const std::string& path, ImageGroupKind groups) {
    std::string location;
    IconFileSummary summary;
    return RedirectedSummary(path, groups, location, summary) ? summary.count : -1;
}

// Reads the open file afresh and remembers what it holds, with the file's state, when it holds
// icons: only then is the volume's serial number (a slow question under Wine) asked for.
template <typename VolumeSerial>
int CountAndRemember(const std::string& path, HANDLE file, std::uint64_t size, ImageGroupKind groups, VolumeSerial volume) {
    const IconFileSummary summary = ReadSummaryOf(file, size, groups);
    FileStamp stamp;
    if (summary.count > 0 && StampOf(file, volume(), stamp)) Checked(groups).Remember(path, stamp, summary);
    return summary.count;
}

}  // namespace

// A redirected file is remembered through its .mun, so a .mun that comes, changes or goes is
// noticed the next time.
int IconCount(HWND, const std::string& path, ImageGroupKind groups) {
    if (const int redirected = RedirectedCount(path, groups); redirected >= 0) return redirected;
    FileHandle file(OpenForReading(path));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size)) return 0;
    return CountAndRemember(path, file.Get(), static_cast<std::uint64_t>(size.QuadPart), groups,
                            [&] { return VolumeSerialOfHandle(file.Get()); });
}

AnimationDamage AnimatedCursorDamage(const std::string& path) {
    FileHandle file(OpenForReading(path));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size)) return AnimationDamage::None;
    const AnimationDamage damage =
        ReadSummaryOf(file.Get(), static_cast<std::uint64_t>(size.QuadPart), ImageGroupKind::Cursors).damage;
    return damage == AnimationDamage::NotAnimatedCursor ? AnimationDamage::None : damage;
}

DWORD VolumeSerialOf(const std::string& folder) {
    FileHandle handle(CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle.IsOpen() ? VolumeSerialOfHandle(handle.Get()) : 0;
}

// The listing gives the size, so folders and tiny files are decided without opening them and the
// many files without icons cost one open and one read; the file's identity is asked for only when
// there is something to remember.
int IconCount(HWND, const std::string& path, const WIN32_FIND_DATAA& entry, DWORD volume, ImageGroupKind groups) {
    const std::uint64_t size = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    if (const int redirected = RedirectedCount(path, groups); redirected >= 0) return redirected;
    if (size < kShortestHeader) return 0;
    FileHandle file(OpenForReading(path));
    if (file.IsOpen()) return CountAndRemember(path, file.Get(), size, groups, [volume] { return volume; });
    if (!entry.cAlternateFileName[0]) return 0;
    // A long name without an ANSI form: the file is read through its short name and listed under
    // the long one.
    const toolkit::LeadByteTable& codePage = toolkit::SystemLeadBytes();
    const std::string shortPath = DirYen(FolderPart(path, codePage), codePage) + entry.cAlternateFileName;
    FileHandle shortFile(OpenForReading(shortPath));
    if (!shortFile.IsOpen()) return 0;
    const int count = CountAndRemember(shortPath, shortFile.Get(), size, groups, [volume] { return volume; });
    if (count > 0) ShortNamed().Remember(path, shortPath);
    return count;
}

HICON ExtractIconAt(HWND owner, const std::string& path, int index) { return IconFile(owner, path).Extract(index); }

// The file held open for the stored images of a run of icons: its chunks and its directories are
// read once.
class IconFile::OpenFile {
public:
    OpenFile(const std::string& path, ImageGroupKind groups) : file_(OpenForReading(path)) {
        LARGE_INTEGER size{};
        if (file_.IsOpen() && GetFileSizeEx(file_.Get(), &size)) {
            bytes_ = std::make_unique<FileByteSource>(file_.Get(), static_cast<std::uint64_t>(size.QuadPart));
            reader_ = std::make_unique<StoredIconReader>(*bytes_, groups);
        }
    }
    StoredIcon Stored(int index) { return reader_ ? reader_->Read(index) : StoredIcon{}; }
    std::optional<AnimatedCursor> Animation(int index) { return reader_ ? reader_->Animation(index) : std::nullopt; }
    std::string ResourceName(int index) { return reader_ ? reader_->ResourceName(index) : std::string{}; }

private:
    FileHandle file_;
    std::unique_ptr<FileByteSource> bytes_;
    std::unique_ptr<StoredIconReader> reader_;
};

IconFile::IconFile(HWND owner, const std::string& path, ImageGroupKind groups)
    : owner_(owner), groups_(groups), location_(ShortNamed().Openable(path)) {
    IconFileSummary summary;
    if (!RedirectedSummary(location_, groups, location_, summary)) summary = CheckedSummary(location_, groups);
    count_ = summary.count;
    extractable_ = std::move(summary.extractable);
}

IconFile::~IconFile() = default;

IconFile::OpenFile& IconFile::Opened() const {
    if (!open_) open_ = std::make_unique<OpenFile>(location_, groups_);
    return *open_;
}

StoredIcon IconFile::Stored(int index) {
    if (index < 0 || index >= count_) return {};
    return Opened().Stored(index);
}

std::optional<AnimatedCursor> IconFile::Animation(int index) {
    if (index < 0 || index >= count_) return std::nullopt;
    return Opened().Animation(index);
}

std::string IconFile::ResourceName(int index) {
    if (index < 0 || index >= count_) return {};
    return Opened().ResourceName(index);
}

// The shell extracts icons only: a cursor is made from its stored image nearest to `pixels` (the
// smallest one at least that large, else the largest), one whose header was checked and that the
// program itself could decode, drawn at `pixels`.
HICON IconFile::DrawnCursor(int index, int pixels) const {
    const StoredIcon images = Opened().Stored(index);
    const StoredIconImage* best = nullptr;
    for (const StoredIconImage& image : images) {
        if (!image.header.readable) continue;
        const bool bigEnough = image.header.width >= pixels;
        if (!best || (bigEnough && (best->header.width < pixels || image.header.width < best->header.width)) ||
            (!bigEnough && best->header.width < pixels && image.header.width > best->header.width))
            best = &image;
    }
    if (!best) return nullptr;
    return CreateIconFromResourceEx(const_cast<BYTE*>(best->bytes.data()), static_cast<DWORD>(best->bytes.size()), TRUE,
                                    0x00030000, pixels, pixels, LR_DEFAULTCOLOR);
}

// An icon the check found missing or damaged is never asked of the shell, which would read it
// without bounds. The shell's default extraction gives the system's large-icon size, which grows
// with the DPI of a DPI-aware program: any other size is asked for by its number of pixels.
HICON IconFile::Extract(int index, int pixels) const {
    if (index < 0 || index >= count_ || !extractable_[static_cast<std::size_t>(index)]) return nullptr;
    if (groups_ == ImageGroupKind::Cursors) return DrawnCursor(index, pixels);
    if (pixels == GetSystemMetrics(SM_CXICON) && pixels == GetSystemMetrics(SM_CYICON))
        return ExtractIconA(reinterpret_cast<HINSTANCE>(owner_), location_.c_str(), static_cast<UINT>(index));
    HICON icon = nullptr;
    const UINT got = PrivateExtractIconsA(location_.c_str(), index, pixels, pixels, &icon, nullptr, 1, LR_DEFAULTCOLOR);
    return got == 1 ? icon : nullptr;
}

}  // namespace icons
