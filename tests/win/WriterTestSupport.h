#pragma once
// Icons built from pixel data, scratch folders and file reading for the writer tests.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace writertest {

// 0x00RRGGBB, as the pixel functions below return it.
using Rgb = std::uint32_t;
constexpr Rgb kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000, kBlue = 0x0000FF;

// An icon destroyed with its owner.
class OwnedIcon {
public:
    explicit OwnedIcon(HICON icon) : icon_(icon) {}
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    ~OwnedIcon() {
        if (icon_) DestroyIcon(icon_);
    }
    HICON Get() const { return icon_; }

private:
    HICON icon_;
};

// A colour icon of width x height: colour(x, y) where transparent(x, y) is false, black and
// transparent elsewhere (the usual icon). (0, 0) is the top-left pixel.
HICON MakeIcon(int width, int height, const std::function<Rgb(int, int)>& colour,
               const std::function<bool(int, int)>& transparent);

// A new empty folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Names of the entries of a folder (files and folders, without "." and ".."), sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
// Deletes a folder and everything in it.
void RemoveTree(const std::string& folder);

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool IsFolder(const std::string& path);

inline std::uint32_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8);
}
inline std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16At(b, at) | (U16At(b, at + 2) << 16);
}

}  // namespace writertest
