// Times writing the .ICO and .BMP files for every icon of the system's shell32.dll through the
// program's writers, against a bare loop of the same platform calls that writes the same bytes
// straight into the files. Then the whole export run (PutIcon, its dialogs answered at once)
// against the bare loop that also obtains each icon, and the run that saves whole icons against a
// bare loop that copies each group's images through the loader; the PNG export of each icon's
// largest image against a bare loop that takes the same images through the loader; and the
// icon's detail window of a ten-image icon, opened until drawn, against the About box. Prints the
// times and their ratios.
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

#include "app/PictavoUnit.h"
#include "export/BitmapFileWriter.h"
#include "export/IconBitmapRenderer.h"
#include "export/IconFileWriter.h"
#include "export/PictavoUnit2.h"
#include "export/PictavoUnit5.h"
#include "dialogs/PictavoUnit4.h"
#include "dialogs/PictavoUnit7.h"
#include "export/BitmapImagePixels.h"
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

enum class Formats { IcoAndBmp, WholeIcons, LargestPng };

RunTimes ThroughPutIcon(TForm1& form, const std::string& folder, Formats formats = Formats::IcoAndBmp) {
    form.SaveDir = folder;
    toolkit::ModalTestHook::OnNextModal([&](HWND) {
        Form2->CheckBox1.SetChecked(formats != Formats::LargestPng);
        Form2->CheckBox2.SetChecked(formats == Formats::IcoAndBmp);
        Form2->CheckBox3.SetChecked(formats == Formats::WholeIcons);
        Form2->CheckBox4.SetChecked(formats == Formats::LargestPng);
        Form2->ComboBox1.SetItemIndex(0);  // 最大
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

bool SameFiles(const std::string& a, const std::string& b, size_t count,
               std::initializer_list<const char*> extensions = {"ICO", "BMP"}) {
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
        for (const char* extension : extensions)
            if (read(FileName(a, i, extension)) != read(FileName(b, i, extension))) {
                std::fprintf(stderr, "files differ: %s\n", FileName(a, i, extension).c_str());
                return false;
            }
    return true;
}

// --- whole icons: every stored image of each group, copied as it is ---

struct WholeIconWalk {
    const std::string* folder;
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
    WriteBytes(FileName(*walk.folder, walk.index++, "ICO"), out);
    return TRUE;
}

// The bare whole-icon loop: the platform's loader finds each group and its images in the file,
// which are copied under a directory into one file each with WriteFile.
void BareWholeIcons(const std::string& file, const std::string& folder) {
    HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    WholeIconWalk walk{&folder, 0};
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
        WriteBytes(FileName(*walk.folder, walk.index++, "PNG"), image);
        return TRUE;
    }
    icons::StoredIconImage stored;
    std::array<std::uint8_t, icons::kStoredImageFieldsSize> fields{};
    std::memcpy(fields.data(), best, fields.size());
    if (icons::MakeStoredImage(fields, std::move(image), stored))
        WriteBytes(FileName(*walk.folder, walk.index++, "PNG"), g_bareImaging->EncodePng(iconexport::BitmapImagePixels(stored)));
    return TRUE;
}

void BareLargestPngs(const std::string& file, const std::string& folder) {
    const iconexport::WicImaging imaging;  // one for the loop, as the export has one per run
    g_bareImaging = &imaging;
    HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    WholeIconWalk walk{&folder, 0};
    EnumResourceNamesA(module, RT_GROUP_ICON, &WriteLargestPng, reinterpret_cast<LONG_PTR>(&walk));
    FreeLibrary(module);
    g_bareImaging = nullptr;
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
    // A replacement goes through a temporary that is flushed to the disk and then takes the old
    // file's place; a new file is written once. Both through the writers, same round.
    std::printf("replacing against writing new files, writers: %5.2f (%.3f ms more per file)\n",
                replacing.writers / fresh.writers, (replacing.writers - fresh.writers) * 1000 / double(2 * count));
    std::printf("files identical to the bare loop's: %s\n", same ? "yes" : "NO");

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
    g_creationHook = SetWindowsHookExA(WH_CBT, &NoteWindowCreation, nullptr, GetCurrentThreadId());
    g_hideHook = SetWindowsHookExA(WH_CALLWNDPROCRET, &NoteDialogHidden, nullptr, GetCurrentThreadId());
    double whole = 1e9, writing = 1e9, bareExtracting = 1e9;
    std::string runError;
    toolkit::Application::Instance().OnException = [&](const std::string& text) { runError = text; };
    for (int round = 0; round <= rounds && runError.empty(); ++round) {
        RemoveFiles(runFolder, count);
        RemoveFiles(bareFolder, count);
        MakeFolder("pictavo-bench-run");
        MakeFolder("pictavo-bench-bare");
        RunTimes run{};
        try {
            run = ThroughPutIcon(*form1, runFolder);
        } catch (const std::exception& e) {
            runError = e.what();
        }
        const double bare = Time([&] { BareExtracting(std::string(system) + "\\shell32.dll", count, bareFolder); });
        if (round == 0) continue;
        whole = std::min(whole, run.whole);
        writing = std::min(writing, run.writing);
        bareExtracting = std::min(bareExtracting, bare);
    }
    const bool runSame = runError.empty() && SameFiles(runFolder, bareFolder, count);

    // One format through the export run into an empty folder against its bare loop, the best of the
    // rounds; the first round also compares the files.
    struct Versus {
        double ours = 1e9, bare = 1e9;
        bool same = true;
    };
    const auto versus = [&](Formats formats, const std::function<void()>& bareLoop, const char* extension) {
        Versus v;
        for (int round = 0; round <= rounds && runError.empty(); ++round) {
            RemoveFiles(runFolder, count);
            RemoveFiles(bareFolder, count);
            MakeFolder("pictavo-bench-run");
            MakeFolder("pictavo-bench-bare");
            RunTimes run{};
            try {
                run = ThroughPutIcon(*form1, runFolder, formats);
            } catch (const std::exception& e) {
                runError = e.what();
            }
            const double bare = Time(bareLoop);
            if (round == 0) {
                v.same = runError.empty() && SameFiles(runFolder, bareFolder, count, {extension});
                continue;
            }
            v.ours = std::min(v.ours, run.writing);
            v.bare = std::min(v.bare, bare);
        }
        return v;
    };
    const std::string shell32 = std::string(system) + "\\shell32.dll";
    // Whole icons (全ｻｲｽﾞで保存, .ICO only) against the bare whole-icon loop.
    const Versus wholeIcons = versus(Formats::WholeIcons, [&] { BareWholeIcons(shell32, bareFolder); }, "ICO");
    const double wholeWriting = wholeIcons.ours, bareWhole = wholeIcons.bare;
    const bool wholeSame = wholeIcons.same;
    // PNG files at 最大 against the bare loop through the loader.
    const Versus largestPngs = versus(Formats::LargestPng, [&] { BareLargestPngs(shell32, bareFolder); }, "PNG");
    const double pngWriting = largestPngs.ours, barePng = largestPngs.bare;
    const bool pngSame = largestPngs.same;

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
    std::printf("the export run (PutIcon) of all %d icons, both formats, into an empty folder; best of %d rounds\n",
                strip, rounds);
    std::printf("  writing, dialog gone to summary: %7.1f ms\n  whole run with dialogs:          %7.1f ms\n",
                writing * 1000, whole * 1000);
    std::printf("  bare loop with ExtractIconA: %7.1f ms\n  bare loop, icons at hand:    %7.1f ms\n",
                bareExtracting * 1000, fresh.bare * 1000);
    std::printf("  ratio writing / bare with extraction: %5.2f (target <= 1.30)\n", writing / bareExtracting);
    std::printf("  ratio whole run / bare with extraction: %5.2f\n", whole / bareExtracting);
    std::printf("  ratio writing / bare, icons at hand: %5.2f\n", writing / fresh.bare);
    std::printf("files identical to the bare loop's: %s\n", runSame ? "yes" : "NO");
    std::printf("the export run of all %d icons as whole icons (.ICO only, every stored image); best of %d rounds\n",
                strip, rounds);
    std::printf("  writing, dialog gone to summary: %7.1f ms\n  bare loop through the loader:    %7.1f ms\n",
                wholeWriting * 1000, bareWhole * 1000);
    std::printf("  ratio writing / bare: %5.2f (target <= 1.30)\n", wholeWriting / bareWhole);
    std::printf("files identical to the bare loop's: %s\n", wholeSame ? "yes" : "NO");
    std::printf("the export run of all %d icons as PNG at 最大 (each icon's largest image); best of %d rounds\n",
                strip, rounds);
    std::printf("  writing, dialog gone to summary: %7.1f ms\n  bare loop through the loader:    %7.1f ms\n",
                pngWriting * 1000, barePng * 1000);
    std::printf("  ratio writing / bare: %5.2f (target <= 1.30)\n", pngWriting / barePng);
    std::printf("files identical to the bare loop's: %s\n", pngSame ? "yes" : "NO");
    std::printf("the detail window of a %d-image icon, from the command until drawn; best of %d rounds\n",
                detailImages, rounds);
    std::printf("  detail window: %7.1f ms (target < 100 ms)\n  About box:     %7.1f ms\n  ratio: %5.2f\n",
                detail * 1000, about * 1000, detail / about);
    return same && runSame && wholeSame && pngSame ? 0 : 1;
}
