#include "WriterTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace writertest {

namespace {

HBITMAP MakeColourImage(int width, int height, const std::function<Rgb(int, int)>& colour,
                        const std::function<bool(int, int)>& transparent) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!image) throw std::runtime_error("CreateDIBSection failed");
    auto* pixels = static_cast<std::uint32_t*>(bits);
    // The alpha byte stays 0: the icon has no per-pixel transparency, only its mask.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = transparent(x, y) ? kBlack : (colour(x, y) & 0xFFFFFF);
    return image;
}

HBITMAP MakeMask(int width, int height, const std::function<bool(int, int)>& transparent) {
    const int rowBytes = (width + 15) / 16 * 2;  // CreateBitmap rows are word-aligned
    std::vector<std::uint8_t> bits(rowBytes * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (transparent(x, y)) bits[y * rowBytes + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    HBITMAP mask = CreateBitmap(width, height, 1, 1, bits.data());
    if (!mask) throw std::runtime_error("CreateBitmap failed");
    return mask;
}

}  // namespace

HICON MakeIcon(int width, int height, const std::function<Rgb(int, int)>& colour,
               const std::function<bool(int, int)>& transparent) {
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = MakeColourImage(width, height, colour, transparent);
    info.hbmMask = MakeMask(width, height, transparent);
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (!icon) throw std::runtime_error("CreateIconIndirect failed");
    return icon;
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        path_ = std::string(temp) + "pictavo-writers-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
    }
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveTree(const std::string& folder) {
    for (const std::string& name : FolderEntries(folder)) {
        const std::string path = folder + "\\" + name;
        if (IsFolder(path)) {
            RemoveTree(path);
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
    RemoveDirectoryA(folder.c_str());
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace writertest
