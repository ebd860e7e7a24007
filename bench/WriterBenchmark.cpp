// Times writing the .ICO and .BMP files for every icon of the system's shell32.dll through the
// program's writers, against a bare loop of the same platform calls that writes the same bytes
// straight into the files. Then new files through a temporary against the same files created under
// their own name; the whole export run (PutIcon, its dialogs answered at once) against the bare
// loop that also obtains each icon; every icon of the system folder saved as whole icons, and as
// PNG files of each icon's largest image, through the export core against bare loops that take the
// same images through the loader. Each of these rows is rounds of seconds in all, ours and the
// other side interleaved, so that its ratio repeats from run to run. Last the icon's detail window
// of a ten-image icon, opened until drawn, against the About box. Prints the times and ratios.
//   writer_benchmark [ROUNDS]
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <algorithm>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <memory>
#include <stdexcept>

#include "app/PictavoUnit.h"
#include "export/BitmapFileLayout.h"
#include "export/BitmapFileWriter.h"
#include "export/BitmapImageCapture.h"
#include "export/IconFileLayout.h"
#include "export/IconImageCapture.h"
#include "export/IconBitmapRenderer.h"
#include "export/IconFileWriter.h"
#include "export/PictavoUnit2.h"
#include "export/PictavoUnit5.h"
#include "dialogs/PictavoUnit4.h"
#include "dialogs/PictavoUnit7.h"
#include "export/BitmapImagePixels.h"
#include "export/IconExport.h"
#include "export/PngSizeChoice.h"
#include "icons/CatalogueSearch.h"
#include "icons/IconCatalogue.h"
#include "icons/IconSource.h"
#include "export/SafeFileReplace.h"
#include "export/WicImaging.h"
#include "tests/fixtures/IconImageWriter.h"
#include "foldertree/OleSession.h"
#include "toolkit/Application.h"
#include "toolkit/ModalTestHook.h"

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

template <typename Run>
double Time(Run run) {
    const double start = Seconds();
    run();
    return Seconds() - start;
}

// The export's names: base, the index with four digits, the extension.
std::string FileName(const std::string& folder, const std::string& base, size_t index, const char* extension) {
    char number[16];
    std::snprintf(number, sizeof number, "%.4u.", unsigned(index));
    return folder + "\\" + base + number + extension;
}

std::string FileName(const std::string& folder, size_t index, const char* extension) {
    return FileName(folder, "SHELL32", index, extension);
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

// The bare loop with the icons obtained one by one, as an export of a file must.
void BareExtracting(const std::string& file, size_t count, const std::string& folder) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    for (size_t i = 0; i < count; ++i) {
        HICON icon = ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), UINT(i));
        BareIcon(dc, icon, FileName(folder, i, "ICO"));
        BareBitmap(screen, dc, icon, FileName(folder, i, "BMP"));
        DestroyIcon(icon);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

// --- the export run itself: the main window's PutIcon with the dialogs answered at once ---

HHOOK g_creationHook = nullptr, g_hideHook = nullptr;
double g_dialogHidden = 0, g_summaryCreated = 0;

// Notes when the export dialog is hidden after OK: the writing starts then. (Under Wine without a
// window manager, hiding a window waits two seconds for one to answer; that is not the program's.)
LRESULT CALLBACK NoteDialogHidden(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && Form2 && call->hwnd == Form2->Handle() &&
        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_HIDEWINDOW))
        g_dialogHidden = Seconds();
    return CallNextHookEx(g_hideHook, code, wParam, lParam);
}

// Notes when the summary message's window is made: the writing is over by then.
LRESULT CALLBACK NoteWindowCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_summaryCreated == 0) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (!(create->lpcs->style & WS_CHILD)) g_summaryCreated = Seconds();
    }
    return CallNextHookEx(g_creationHook, code, wParam, lParam);
}

struct RunTimes {
    double whole, writing;  // PutIcon from call to return; from the dialog gone to the summary
};

RunTimes ThroughPutIcon(TForm1& form, const std::string& folder) {
    form.SaveDir = folder;
    toolkit::ModalTestHook::OnNextModal([&](HWND) {
        Form2->CheckBox1.SetChecked(true);
        Form2->CheckBox2.SetChecked(true);
        Form2->CheckBox3.SetChecked(false);
        Form2->CheckBox4.SetChecked(false);
        g_summaryCreated = 0;
        g_dialogHidden = 0;
        Form2->Button1.Click();
    });
    toolkit::ModalTestHook::OnNextModal([](HWND summary) { PostMessageA(summary, WM_KEYDOWN, VK_RETURN, 0); });
    const double start = Seconds();
    form.PutIcon(0, form.StripIconCount - 1);
    return {Seconds() - start, g_summaryCreated - g_dialogHidden};
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
        DeleteFileA(FileName(folder, i, "PNG").c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

std::vector<char> FileBytes(const std::string& path) {
    std::vector<char> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[8192];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

bool SameFiles(const std::string& a, const std::string& b, size_t count,
               std::initializer_list<const char*> extensions = {"ICO", "BMP"}) {
    for (size_t i = 0; i < count; ++i)
        for (const char* extension : extensions)
            if (FileBytes(FileName(a, i, extension)) != FileBytes(FileName(b, i, extension))) {
                std::fprintf(stderr, "files differ: %s\n", FileName(a, i, extension).c_str());
                return false;
            }
    return true;
}

// --- whole icons: every stored image of each group, copied as it is ---

struct WholeIconWalk {
    const std::string* folder;
    const std::string* base;
    size_t index;
};

// One group: its directory with offsets, then each image the loader finds for it.
BOOL CALLBACK CopyWholeIcon(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param) {
    auto& walk = *reinterpret_cast<WholeIconWalk*>(param);
    HRSRC group = FindResourceA(module, name, RT_GROUP_ICON);
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    const WORD images = *reinterpret_cast<const WORD*>(dir + 4);
    std::vector<BYTE> out(6 + 16 * images);
    std::memcpy(out.data(), dir, 6);
    for (WORD i = 0; i < images; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;
        HRSRC icon = FindResourceA(module, MAKEINTRESOURCEA(*reinterpret_cast<const WORD*>(entry + 12)), RT_ICON);
        const DWORD size = SizeofResource(module, icon);
        const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, icon)));
        const DWORD offset = DWORD(out.size());
        std::memcpy(out.data() + 6 + 16 * i, entry, 8);
        std::memcpy(out.data() + 6 + 16 * i + 8, &size, 4);
        std::memcpy(out.data() + 6 + 16 * i + 12, &offset, 4);
        out.insert(out.end(), bytes, bytes + size);
    }
    WriteBytes(FileName(*walk.folder, *walk.base, walk.index++, "ICO"), out);
    return TRUE;
}

// The bare whole-icon loop: the platform's loader finds each group and its images in the file,
// which are copied under a directory into one file each with WriteFile.
void BareWholeIcons(const std::string& file, const std::string& base, const std::string& folder) {
    HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    WholeIconWalk walk{&folder, &base, 0};
    EnumResourceNamesA(module, RT_GROUP_ICON, &CopyWholeIcon, reinterpret_cast<LONG_PTR>(&walk));
    FreeLibrary(module);
}

// --- PNG at 最大: each group's widest, deepest image, a PNG image as it is, a bitmap through WIC ---

const iconexport::WicImaging* g_bareImaging = nullptr;

BOOL CALLBACK WriteLargestPng(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param) {
    auto& walk = *reinterpret_cast<WholeIconWalk*>(param);
    HRSRC group = FindResourceA(module, name, RT_GROUP_ICON);
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    const WORD images = *reinterpret_cast<const WORD*>(dir + 4);
    const BYTE* best = nullptr;
    const auto width = [](const BYTE* entry) { return entry[0] ? entry[0] : 256; };
    const auto bits = [](const BYTE* entry) { return *reinterpret_cast<const WORD*>(entry + 6); };
    for (WORD i = 0; i < images; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;
        if (!best || width(entry) > width(best) || (width(entry) == width(best) && bits(entry) > bits(best))) best = entry;
    }
    HRSRC icon = FindResourceA(module, MAKEINTRESOURCEA(*reinterpret_cast<const WORD*>(best + 12)), RT_ICON);
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, icon)));
    std::vector<BYTE> image(bytes, bytes + SizeofResource(module, icon));
    const bool png = image.size() > 4 && std::memcmp(image.data(), "\x89PNG", 4) == 0;
    if (png) {
        WriteBytes(FileName(*walk.folder, *walk.base, walk.index++, "PNG"), image);
        return TRUE;
    }
    icons::StoredIconImage stored;
    std::array<std::uint8_t, icons::kStoredImageFieldsSize> fields{};
    std::memcpy(fields.data(), best, fields.size());
    if (icons::MakeStoredImage(fields, std::move(image), stored))
        WriteBytes(FileName(*walk.folder, *walk.base, walk.index++, "PNG"), g_bareImaging->EncodePng(iconexport::BitmapImagePixels(stored)));
    return TRUE;
}

void BareLargestPngs(const std::string& file, const std::string& base, const std::string& folder) {
    const iconexport::WicImaging imaging;  // one for the loop, as the export has one per run
    g_bareImaging = &imaging;
    HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    WholeIconWalk walk{&folder, &base, 0};
    EnumResourceNamesA(module, RT_GROUP_ICON, &WriteLargestPng, reinterpret_cast<LONG_PTR>(&walk));
    FreeLibrary(module);
    g_bareImaging = nullptr;
}

// --- whole icons and PNG files of every icon of the system folder: seconds of work a round ---

// A file of the system folder whose icons the loader finds, and the base of its exported names.
struct SourceFile {
    std::string path, base;
    int count = 0;
};

std::vector<SourceFile> SystemIconFiles(const std::string& system) {
    icons::IconCatalogue catalogue;
    icons::SearchFolder(catalogue, system, 1, nullptr);
    std::vector<SourceFile> files;
    for (int position = 1; position <= catalogue.Count(); ++position) {
        const std::string path = system + "\\" + std::string(catalogue.At(position).Name());
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (!module) continue;  // icon files and 16-bit programs: the bare loops take PE files only
        FreeLibrary(module);
        char base[16];
        std::snprintf(base, sizeof base, "F%03u_", unsigned(files.size()));
        files.push_back({path, base, catalogue.At(position).icons});
    }
    return files;
}

void RemoveAllFiles(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + entry.cFileName).c_str());
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        // The export names a file after its source as listed ("shell32"), the bare loops in capitals.
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(CharUpperA(entry.cFileName));
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

bool SameFolders(const std::string& a, const std::string& b) {
    const std::vector<std::string> names = FileNames(a);
    if (names != FileNames(b)) {
        std::fprintf(stderr, "the two loops wrote %u and %u files\n", unsigned(names.size()), unsigned(FileNames(b).size()));
        return false;
    }
    for (const std::string& name : names)
        if (FileBytes(a + "\\" + name) != FileBytes(b + "\\" + name)) {
            std::fprintf(stderr, "files differ: %s\n", name.c_str());
            return false;
        }
    return true;
}

// The export core, as the dialog's run and PICTAVOX drive it, over every file.
int ExportEveryFile(const std::vector<SourceFile>& files, const std::string& folder, const iconexport::ExportFormats& formats) {
    int errors = 0;
    for (const SourceFile& file : files) {
        icons::IconFile source(nullptr, file.path);
        iconexport::IconExporter exporter(source, file.base, folder, formats,
                                          [](const std::string&, const std::string&) { return iconexport::ExistingFile::Write; });
        exporter.ReportErrors(file.path, [&](const iconexport::ExportError&) { return ++errors, iconexport::AfterError::GoOn; });
        for (int index = 0; index < source.Count(); ++index) exporter.ExportIndex(index);
    }
    return errors;
}

// Ours and the bare loop over every file, round after round, the order swapped each round so that
// neither always runs on warmer caches; until each has had kRowSeconds and `rounds` rounds. The
// ratio is the median of the rounds' ratios: a round disturbed by other programs moves it little.
constexpr double kRowSeconds = 4;
struct Interleaved {
    double ours = 0, bare = 0;  // seconds in all counted rounds
    double median = 0, lowest = 0, highest = 0;
    int rounds = 0, errors = 0;
    bool same = false;
};

// One run of one side of a row: the seconds that count and the errors it reported.
struct RoundRun {
    double seconds = 0;
    int errors = 0;
};
using TimedRun = std::function<RoundRun()>;

// A side whose whole run counts; `run` returns the errors it reported.
TimedRun WholeRun(std::function<int()> run) {
    return [run] {
        int errors = 0;
        const double seconds = Time([&] { errors = run(); });
        return RoundRun{seconds, errors};
    };
}

Interleaved InterleavedRounds(int rounds, const std::string& oursFolder, const std::string& bareFolder,
                              const TimedRun& ours, const TimedRun& bare) {
    Interleaved result;
    std::vector<double> ratios;
    for (int round = 0; round <= rounds || result.ours < kRowSeconds || result.bare < kRowSeconds; ++round) {
        RemoveAllFiles(oursFolder);
        RemoveAllFiles(bareFolder);
        RoundRun o, b;
        if (round % 2 == 0) {
            o = ours();
            b = bare();
        } else {
            b = bare();
            o = ours();
        }
        if (round == 0) {  // warms the caches and compares the files
            result.same = SameFolders(oursFolder, bareFolder);
            result.errors = o.errors;
            continue;
        }
        result.ours += o.seconds, result.bare += b.seconds;
        ratios.push_back(o.seconds / b.seconds);
    }
    RemoveAllFiles(oursFolder);
    RemoveAllFiles(bareFolder);
    std::sort(ratios.begin(), ratios.end());
    result.rounds = static_cast<int>(ratios.size());
    result.median = ratios[ratios.size() / 2];
    result.lowest = ratios.front(), result.highest = ratios.back();
    return result;
}

// `what` names the row and what it covers; `ours` and `bare` name the two sides.
void PrintInterleaved(const std::string& what, const Interleaved& r, const char* ours, const char* bare, double target) {
    std::printf("%s; %d rounds interleaved\n", what.c_str(), r.rounds);
    std::printf("  %s: %7.1f ms a round\n  %s: %7.1f ms a round\n", ours, r.ours * 1000 / r.rounds, bare,
                r.bare * 1000 / r.rounds);
    std::printf("  ratio, median of the rounds: %5.2f (rounds %.2f .. %.2f; target <= %.2f)\n", r.median, r.lowest,
                r.highest, target);
    std::printf("  errors reported: %d; files identical to the bare loop's: %s\n", r.errors, r.same ? "yes" : "NO");
}

// --- the detail window: from the command to its images drawn ---

HHOOK g_paintHook = nullptr;
HWND g_paintedWindow = nullptr;
double g_painted = 0;

constexpr UINT kPaintedMark = WM_APP + 77;

// The window's painting is over once the message posted as its WM_PAINT was taken comes up: a
// posted message waits for no painting, so it is taken only after that WM_PAINT was handled. Then
// the time is noted and the form closed.
LRESULT CALLBACK NotePainted(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && g_painted == 0) {
        if (message->message == WM_PAINT && message->hwnd == g_paintedWindow)
            PostMessageA(GetAncestor(g_paintedWindow, GA_ROOT), kPaintedMark, 0, 0);
        if (message->message == kPaintedMark) {
            g_painted = Seconds();
            PostMessageA(message->hwnd, WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(g_paintHook, code, wParam, lParam);
}

template <typename Open>
double UntilPainted(HWND painted, Open open) {
    g_paintedWindow = painted;
    g_painted = 0;
    const double start = Seconds();
    open();
    return g_painted - start;
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

// --- new files through a temporary beside them, against creating them under their own name ---

// The way new files were written before: looked up, created under their own name and written there.
void WriteUnderOwnName(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) throw std::runtime_error("not new: " + path);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool complete = file != INVALID_HANDLE_VALUE &&
                          WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!complete) throw std::runtime_error("cannot write " + path);
}

// Each icon's .ICO and .BMP as the writers make them, each file put into place by `write`.
void WriteEachIcon(const std::vector<HICON>& icons, const std::string& folder,
                   const std::function<void(const std::string&, const std::vector<std::uint8_t>&)>& write) {
    for (size_t i = 0; i < icons.size(); ++i) {
        write(FileName(folder, i, "ICO"), iconexport::BuildIconFile(iconexport::CaptureIconImage(icons[i])));
        const iconexport::Picture picture = iconexport::RenderIconBitmap(icons[i]);
        write(FileName(folder, i, "BMP"), iconexport::BuildBitmapFile(iconexport::CaptureBitmapImage(picture.Handle(), picture.Depth())));
    }
}

// Writing new files as the writers do now (through a temporary) against the same writing with each
// file created under its own name, as before: the whole writing (each icon captured, its bytes
// made, its file written), then the files' bytes made beforehand so that only the file system's
// part is timed. Returns false when a file could not be written or the two ways differ.
bool NewFilesThroughATemporary(const std::vector<HICON>& icons, int rounds) {
    const std::string temporaryFolder = MakeFolder("pictavo-bench-new-temporary");
    const std::string ownFolder = MakeFolder("pictavo-bench-new-own");
    std::vector<std::vector<std::uint8_t>> files;
    WriteEachIcon(icons, temporaryFolder, [&](const std::string&, const std::vector<std::uint8_t>& bytes) { files.push_back(bytes); });
    const auto pathIn = [](const std::string& folder, size_t i) { return FileName(folder, i / 2, i % 2 ? "BMP" : "ICO"); };
    Interleaved writing, fileSystem;
    try {
        writing = InterleavedRounds(rounds, temporaryFolder, ownFolder,
            WholeRun([&] { return ThroughWriters(icons, temporaryFolder), 0; }),
            WholeRun([&] { return WriteEachIcon(icons, ownFolder, WriteUnderOwnName), 0; }));
        fileSystem = InterleavedRounds(rounds, temporaryFolder, ownFolder,
            WholeRun([&] {
                for (size_t i = 0; i < files.size(); ++i) iconexport::ReplaceFileContents(pathIn(temporaryFolder, i), files[i]);
                return 0;
            }),
            WholeRun([&] {
                for (size_t i = 0; i < files.size(); ++i) WriteUnderOwnName(pathIn(ownFolder, i), files[i]);
                return 0;
            }));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "new files: %s\n", e.what());
        return false;
    }
    RemoveDirectoryA(temporaryFolder.c_str());
    RemoveDirectoryA(ownFolder.c_str());
    const std::string what = std::to_string(files.size()) + " new files (each icon's .ICO and .BMP of shell32.dll) into an empty folder";
    PrintInterleaved(what + ", the whole writing", writing, "through a temporary", "under their own name", 1.15);
    PrintInterleaved(what + ", the file system's part alone (bytes made beforehand)", fileSystem, "through a temporary",
                     "under their own name", 1.15);
    std::printf("  %.3f ms more per file\n", (fileSystem.ours - fileSystem.bare) * 1000 / fileSystem.rounds / double(files.size()));
    return writing.same && fileSystem.same;
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
    // A replacement goes through a temporary that is flushed to the disk and then takes the old
    // file's place; a new file is written once. Both through the writers, same round.
    std::printf("replacing against writing new files, writers: %5.2f (%.3f ms more per file)\n",
                replacing.writers / fresh.writers, (replacing.writers - fresh.writers) * 1000 / double(2 * count));
    std::printf("files identical to the bare loop's: %s\n", same ? "yes" : "NO");
    const bool newFilesWritten = NewFilesThroughATemporary(all, rounds);

    // The whole export run, in both formats into an empty folder, against the bare loop that
    // obtains each icon itself. The dialogs are answered as soon as the test hook's timer fires
    // (about 50 ms each), which the whole run's time includes and the writing's does not.
    foldertree::OleSession ole;
    toolkit::Application::Instance().Initialize();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    auto form1 = std::make_unique<TForm1>(std::string(temp) + "pictavo-writer-benchmark.ini");
    auto form2 = std::make_unique<TForm2>();
    auto form5 = std::make_unique<TForm5>();
    form1->Show();
    form1->FTVE1Change(system);
    form1->DispIcon("shell32.dll");
    const std::string runFolder = MakeFolder("pictavo-bench-run");
    MakeFolder("pictavo-bench-bare");  // the rows above removed it
    g_creationHook = SetWindowsHookExA(WH_CBT, &NoteWindowCreation, nullptr, GetCurrentThreadId());
    g_hideHook = SetWindowsHookExA(WH_CALLWNDPROCRET, &NoteDialogHidden, nullptr, GetCurrentThreadId());
    std::string runError;
    toolkit::Application::Instance().OnException = [&](const std::string& text) { runError = text; };
    double wholeRuns = 0;  // the whole runs with their dialogs, in the counted rounds and the first
    int runs = 0;
    Interleaved putIcon;
    try {
        putIcon = InterleavedRounds(rounds, runFolder, bareFolder,
            [&] {
                const RunTimes run = ThroughPutIcon(*form1, runFolder);
                if (!runError.empty()) throw std::runtime_error(runError);
                wholeRuns += run.whole, ++runs;
                return RoundRun{run.writing, 0};
            },
            WholeRun([&] { return BareExtracting(std::string(system) + "\\shell32.dll", count, bareFolder), 0; }));
    } catch (const std::exception& e) {
        runError = e.what();
    }

    // Whole icons (全ｻｲｽﾞで保存) and PNG files at 最大 of every icon of the system folder, through the
    // export core against the bare loops through the loader.
    const std::vector<SourceFile> systemFiles = SystemIconFiles(system);
    int systemIcons = 0;
    for (const SourceFile& file : systemFiles) systemIcons += file.count;
    const auto everyFile = [&](const std::function<void(const std::string&, const std::string&, const std::string&)>& bareFile) {
        return WholeRun([&, bareFile] {
            for (const SourceFile& file : systemFiles) bareFile(file.path, file.base, bareFolder);
            return 0;
        });
    };
    iconexport::ExportFormats wholeFormat, pngFormat;
    wholeFormat.wholeIcon = true;
    pngFormat.png = true;
    pngFormat.pngSize = iconexport::kLargestPngSize;
    const Interleaved wholeIcons = InterleavedRounds(rounds, runFolder, bareFolder,
        WholeRun([&] { return ExportEveryFile(systemFiles, runFolder, wholeFormat); }), everyFile(BareWholeIcons));
    const Interleaved largestPngs = InterleavedRounds(rounds, runFolder, bareFolder,
        WholeRun([&] { return ExportEveryFile(systemFiles, runFolder, pngFormat); }), everyFile(BareLargestPngs));

    // The detail window of a ten-image icon against the About box, each from its command until drawn.
    auto form4 = std::make_unique<TForm4>();
    auto form7 = std::make_unique<TForm7>();
    const auto ten = fixtures::MakeIconFile(
        {fixtures::MakeBitmapImage(16, 4, 1), fixtures::MakeBitmapImage(16, 8, 2), fixtures::MakeBitmapImage(24, 32, 3),
         fixtures::MakeBitmapImage(32, 4, 4), fixtures::MakeBitmapImage(32, 8, 5), fixtures::MakeBitmapImage(32, 32, 6),
         fixtures::MakeBitmapImage(48, 8, 7), fixtures::MakeBitmapImage(48, 32, 8), fixtures::MakeBitmapImage(64, 32, 9),
         fixtures::MakePngImage(256, 10)});
    iconexport::ReplaceFileContents(runFolder + "\\TEN.ICO", ten);
    g_paintHook = SetWindowsHookExA(WH_GETMESSAGE, &NotePainted, nullptr, GetCurrentThreadId());
    double detail = 1e9, about = 1e9;
    for (int round = 0; round <= rounds; ++round) {
        const double d = UntilPainted(form7->PictureRow1.Handle(), [&] { form7->ShowIcon(*form1, runFolder, "TEN.ICO", 0); });
        const double a = UntilPainted(form4->Handle(), [&] { form4->ShowModal(); });
        if (round == 0) continue;
        detail = std::min(detail, d);
        about = std::min(about, a);
    }
    UnhookWindowsHookEx(g_paintHook);
    const int detailImages = form7->PictureRow1.Count();
    DeleteFileA((runFolder + "\\TEN.ICO").c_str());
    form7.reset();
    form4.reset();
    UnhookWindowsHookEx(g_creationHook);
    UnhookWindowsHookEx(g_hideHook);
    const int strip = form1->StripIconCount;
    form5.reset();  // the main window saves its settings as it goes
    form2.reset();
    form1.reset();
    SetCurrentDirectoryA(temp);  // the export left it in its folder
    RemoveFiles(runFolder, count);
    RemoveFiles(bareFolder, count);
    DeleteFileA((std::string(temp) + "pictavo-writer-benchmark.ini").c_str());
    if (!runError.empty()) {
        std::fprintf(stderr, "export run failed: %s\n", runError.c_str());
        return 1;
    }
    PrintInterleaved("the export run (PutIcon) of all " + std::to_string(strip) +
                         " icons of shell32.dll, both formats, into an empty folder: its writing (dialog gone to summary)",
                     putIcon, "writing", "bare loop with ExtractIconA", 1.30);
    std::printf("  whole run with its dialogs: %7.1f ms a round\n", wholeRuns * 1000 / runs);
    std::printf("  ratio writing / bare loop with the icons at hand: %5.2f\n", putIcon.ours / putIcon.rounds / fresh.bare);
    const std::string systemFolder =
        std::to_string(systemIcons) + " icons of " + std::to_string(systemFiles.size()) + " files of the system folder";
    PrintInterleaved("whole icons (.ICO, every stored image): " + systemFolder, wholeIcons, "export core",
                     "bare loop through the loader", 1.30);
    PrintInterleaved("PNG at 最大 (each icon's largest image): " + systemFolder, largestPngs, "export core",
                     "bare loop through the loader", 1.30);
    std::printf("the detail window of a %d-image icon, from the command until drawn; best of %d rounds\n",
                detailImages, rounds);
    std::printf("  detail window: %7.1f ms (target < 100 ms)\n  About box:     %7.1f ms\n  ratio: %5.2f\n",
                detail * 1000, about * 1000, detail / about);
    return same && putIcon.same && wholeIcons.same && largestPngs.same && newFilesWritten ? 0 : 1;
}
