#include "export/PictureSources.h"

#include <cstdint>
#include <vector>

#include "icons/FileHandle.h"
#include "export/ClipboardDibs.h"
#include "export/PictureLikeness.h"
#include "export/WriterErrors.h"
#include "toolkit/Clipboard.h"
#include "toolkit/ProgramTexts.h"

namespace iconexport {

namespace {

using toolkit::TextId;
using toolkit::TextWith;

// An image file's bytes are read whole: a picture of kLargestPicture pixels square is far
// smaller than this even as an uncompressed bitmap; a larger file is no picture of an icon.
constexpr std::uint64_t kLargestPictureFile = std::uint64_t(16) << 20;

// The pixels of `bytes`, refused when they are no image or of a size no icon is shown at.
ImagePixels DecodePicture(const WicImaging& imaging, const std::vector<std::uint8_t>& bytes, const std::string& unreadable) {
    ImagePixels pixels;
    try {
        pixels = imaging.DecodeImage(bytes, kLargestPicture);
    } catch (const EInvalidGraphic&) {
        throw EPictureUnreadable(unreadable);
    }
    const std::string width = std::to_string(pixels.width), height = std::to_string(pixels.height);
    if (pixels.bgra.empty()) {
        const std::string largest = std::to_string(kLargestPicture);
        throw EPictureUnreadable(TextWith(TextId::PictureTooLarge, {width, height, largest, largest}));
    }
    if (pixels.width < kSmallestPicture || pixels.height < kSmallestPicture) {
        const std::string smallest = std::to_string(kSmallestPicture);
        throw EPictureUnreadable(TextWith(TextId::PictureTooSmall, {width, height, smallest, smallest}));
    }
    return pixels;
}

// The clipboard, open for reading for as long as this lives (it stays as it is).
class OpenClipboardForReading {
public:
    explicit OpenClipboardForReading(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardForReading() {
        if (open_) CloseClipboard();
    }
    OpenClipboardForReading(const OpenClipboardForReading&) = delete;
    OpenClipboardForReading& operator=(const OpenClipboardForReading&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// The first image format the clipboard lists; 0 when it lists none.
UINT FirstPictureFormat() {
    const UINT png = toolkit::Clipboard::RegisteredFormat("PNG");
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        if (format == png || format == CF_DIBV5 || format == CF_DIB) return format;
    return 0;
}

std::vector<std::uint8_t> ClipboardBytes(UINT format) {
    HANDLE data = GetClipboardData(format);
    const void* locked = data ? GlobalLock(data) : nullptr;
    if (!locked) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(locked);
    std::vector<std::uint8_t> copy(bytes, bytes + GlobalSize(data));
    GlobalUnlock(data);
    return copy;
}

}  // namespace

ImagePixels ReadPictureFile(const WicImaging& imaging, const std::string& path) {
    const std::string unreadable = TextWith(TextId::PictureUnreadable, {path});
    const icons::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
        std::uint64_t(size.QuadPart) > kLargestPictureFile)
        throw EPictureUnreadable(unreadable);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
        throw EPictureUnreadable(unreadable);
    return DecodePicture(imaging, bytes, unreadable);
}

bool ClipboardHasPicture() {
    return IsClipboardFormatAvailable(toolkit::Clipboard::RegisteredFormat("PNG")) ||
           IsClipboardFormatAvailable(CF_DIBV5) || IsClipboardFormatAvailable(CF_DIB);
}

ImagePixels ReadClipboardPicture(const WicImaging& imaging, HWND owner) {
    const std::string none = toolkit::Text(TextId::ClipboardNoPicture);
    std::vector<std::uint8_t> bytes;
    {
        const OpenClipboardForReading clipboard(owner);
        const UINT format = clipboard.IsOpen() ? FirstPictureFormat() : 0;
        if (format == 0) throw EPictureUnreadable(none);
        bytes = ClipboardBytes(format);
        if (format == CF_DIBV5 || format == CF_DIB) bytes = BitmapFileOfDib(bytes);
    }
    if (bytes.empty()) throw EPictureUnreadable(none);
    return DecodePicture(imaging, bytes, none);
}

}  // namespace iconexport
