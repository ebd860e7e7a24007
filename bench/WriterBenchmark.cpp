// Times writing the .ICO and .BMP files for every icon of the system's shell32.dll through the
// program's writers, against a bare loop of the same platform calls that writes the same bytes
// straight into the files. Prints both times and their ratio.
//   writer_benchmark [ROUNDS]
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "export/BitmapFileWriter.h"
#include "export/IconBitmapRenderer.h"
#include "export/IconFileWriter.h"

namespace {

class Icons {
public:
    explicit Icons(const std::string& file) {
        HINSTANCE self = GetModuleHandleA(nullptr);
        const UINT count = static_cast<UINT>(reinterpret_cast<UINT_PTR>(ExtractIconA(self, file.c_str(), UINT(-1))));
        for (UINT i = 0; i < count; ++i) icons_.push_back(ExtractIconA(self, file.c_str(), i));
    }
    ~Icons() {
        for (HICON icon : icons_)
            if (icon) DestroyIcon(icon);
    }
    const std::vector<HICON>& All() const { return icons_; }

private:
    std::vector<HICON> icons_;
};

double Seconds() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

std::string FileName(const std::string& folder, size_t index, const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "\\SHELL32%.4u.%s", unsigned(index), extension);
    return folder + name;
}

void ThroughWriters(const std::vector<HICON>& icons, const std::string& folder) {
    for (size_t i = 0; i < icons.size(); ++i) {
        iconexport::WriteIconFile(icons[i], FileName(folder, i, "ICO"));
        iconexport::WriteBitmapFile(iconexport::RenderIconBitmap(icons[i]), FileName(folder, i, "BMP"));
    }
}

// --- the bare loop: platform calls and one WriteFile per file, no checks beyond the essential ---

void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

template <typename T>
void Append(std::vector<BYTE>& out, const T& value) {
    const BYTE* p = reinterpret_cast<const BYTE*>(&value);
    out.insert(out.end(), p, p + sizeof value);
}

struct Info {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

void BareIcon(HDC dc, HICON icon, const std::string& path) {
    ICONINFO info{};
    GetIconInfo(icon, &info);
    Info colour{}, mask{};
    colour.header = {sizeof(BITMAPINFOHEADER), 32, 32, 1, 4, BI_RGB, 512, 0, 0, 16, 0};
    mask.header = {sizeof(BITMAPINFOHEADER), 32, 32, 1, 1, BI_RGB, 128, 0, 0, 0, 0};
    BYTE colourRows[512], maskRows[128];
    GetDIBits(dc, info.hbmColor, 0, 32, colourRows, reinterpret_cast<BITMAPINFO*>(&colour), DIB_RGB_COLORS);
    GetDIBits(dc, info.hbmMask, 0, 32, maskRows, reinterpret_cast<BITMAPINFO*>(&mask), DIB_RGB_COLORS);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    std::vector<BYTE> file;
    const WORD fileHeader[3] = {0, 1, 1};
    const BYTE entry[8] = {32, 32, 16, 0, 0, 0, 0, 0};
    const DWORD sizes[2] = {744, 22};
    Append(file, fileHeader);
    Append(file, entry);
    Append(file, sizes);
    // The conversion may clear the colours-used field; the file states the 16 colours.
    colour.header.biHeight = 64;
    colour.header.biClrUsed = 16;
    Append(file, colour.header);
    file.insert(file.end(), reinterpret_cast<BYTE*>(colour.colours), reinterpret_cast<BYTE*>(colour.colours) + 64);
    Append(file, colourRows);
    Append(file, maskRows);
    WriteBytes(path, file);
}

void BareBitmap(HDC screen, HDC dc, HICON icon, const std::string& path) {
    HBITMAP picture = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ previous = SelectObject(dc, picture);
    PatBlt(dc, 0, 0, 32, 32, WHITENESS);
    DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    SelectObject(dc, previous);
    Info info{};
    info.header = {sizeof(BITMAPINFOHEADER), 32, 32, 1, 32, BI_RGB, 4096, 0, 0, 0, 0};
    std::vector<BYTE> file(14);
    file.reserve(4150);
    Append(file, info.header);
    file.resize(54 + 4096);
    GetDIBits(dc, picture, 0, 32, file.data() + 54, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(picture);
    BITMAPFILEHEADER header{0x4D42, 4150, 0, 0, 54};
    std::memcpy(file.data(), &header, 14);
    WriteBytes(path, file);
}

void Bare(const std::vector<HICON>& icons, const std::string& folder) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    for (size_t i = 0; i < icons.size(); ++i) {
        BareIcon(dc, icons[i], FileName(folder, i, "ICO"));
        BareBitmap(screen, dc, icons[i], FileName(folder, i, "BMP"));
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

std::string MakeFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void RemoveFiles(const std::string& folder, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        DeleteFileA(FileName(folder, i, "ICO").c_str());
        DeleteFileA(FileName(folder, i, "BMP").c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

bool SameFiles(const std::string& a, const std::string& b, size_t count) {
    auto read = [](const std::string& path) {
        std::vector<char> bytes;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            char buffer[8192];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
            std::fclose(f);
        }
        return bytes;
    };
    for (size_t i = 0; i < count; ++i)
        for (const char* extension : {"ICO", "BMP"})
            if (read(FileName(a, i, extension)) != read(FileName(b, i, extension))) {
                std::fprintf(stderr, "files differ: %s\n", FileName(a, i, extension).c_str());
                return false;
            }
    return true;
}

struct Timing {
    double writers = 1e9, bare = 1e9;
    void Take(double w, double b) {
        writers = std::min(writers, w);
        bare = std::min(bare, b);
    }
    void Print(const char* what) const {
        std::printf("%s\n  writers: %7.1f ms\n  bare:    %7.1f ms\n  ratio:   %7.2f (target <= 1.20)\n", what,
                    writers * 1000, bare * 1000, writers / bare);
    }
};

template <typename Run>
double Time(Run run) {
    const double start = Seconds();
    run();
    return Seconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const Icons icons(std::string(system) + "\\shell32.dll");
    const std::vector<HICON>& all = icons.All();
    const size_t count = all.size();
    if (count == 0) {
        std::fprintf(stderr, "no icons in %s\\shell32.dll\n", system);
        return 1;
    }
    const std::string writersFolder = MakeFolder("pictavo-bench-writers");
    const std::string bareFolder = MakeFolder("pictavo-bench-bare");

    // Each round exports into empty folders, then exports again over the files just written, as
    // a repeated export after "All" would. Writers and bare loop alternate so that load from other
    // programs falls on both; the best round of each counts.
    Timing fresh, replacing;
    bool same = true;
    try {
        for (int round = 0; round <= rounds; ++round) {
            RemoveFiles(writersFolder, count);
            RemoveFiles(bareFolder, count);
            MakeFolder("pictavo-bench-writers");
            MakeFolder("pictavo-bench-bare");
            const double freshWriters = Time([&] { ThroughWriters(all, writersFolder); });
            const double freshBare = Time([&] { Bare(all, bareFolder); });
            const double replacingWriters = Time([&] { ThroughWriters(all, writersFolder); });
            const double replacingBare = Time([&] { Bare(all, bareFolder); });
            if (round == 0) {  // warms the caches
                same = SameFiles(writersFolder, bareFolder, count);
                continue;
            }
            fresh.Take(freshWriters, freshBare);
            replacing.Take(replacingWriters, replacingBare);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "writer failed: %s\n", e.what());
        return 1;
    }
    RemoveFiles(writersFolder, count);
    RemoveFiles(bareFolder, count);

    std::printf("%u icons of shell32.dll, an .ICO and a .BMP each; best of %d rounds\n", unsigned(count), rounds);
    fresh.Print("into an empty folder:");
    replacing.Print("replacing existing files:");
    std::printf("files identical to the bare loop's: %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
