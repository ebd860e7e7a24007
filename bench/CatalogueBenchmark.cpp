// Search benchmark: a folder of about 5,000 entries searched (a) the bare way, one
// FindFirstFileA/FindNextFileA loop with ExtractIconA(-1) per entry, and (b) the way the main
// window searches (our reader, the name sort and the list filling), in one run. Prints both times,
// their ratio, whether the results agree, and the time to fill the list with 5,000 rows.
//   pictavo_catalogue_benchmark [folder]   (default: a folder under the temporary folder)
#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "app/PathNames.h"
#include "app/PictavoUnit.h"
#include "foldertree/OleSession.h"
#include "toolkit/Application.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string SystemFolder() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

// Fixture DLLs and icon files, copies of system DLLs and programs, text files and sub-folders.
int BuildFolder(const std::string& folder, const std::string& fixtures) {
    CreateDirectoryA(folder.c_str(), nullptr);
    int entries = 0;
    const auto copy = [&](const std::string& from, const std::string& name) {
        if (CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE)) ++entries;
    };
    const char* fixtureNames[] = {"ONE.DLL", "TWO.DLL", "TWELVE.DLL", "FORTY.DLL", "SIZES.ICO"};
    for (int i = 0; i < 400; ++i)
        for (const char* name : fixtureNames) copy(fixtures + "\\" + name, std::to_string(i) + "_" + name);
    WIN32_FIND_DATAA data;
    const std::string system = SystemFolder();
    HANDLE find = FindFirstFileA((system + "\\*.*").c_str(), &data);
    int systemFiles = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            copy(system + "\\" + data.cFileName, data.cFileName);
        } while (++systemFiles < 900 && FindNextFileA(find, &data));
        FindClose(find);
    }
    for (int i = 0; i < 1800; ++i) {
        const std::string name = folder + "\\note" + std::to_string(i) + ".txt";
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, "plain text\r\n", 12, &written, nullptr);
        CloseHandle(file);
        ++entries;
    }
    for (int i = 0; i < 300; ++i)
        if (CreateDirectoryA((folder + "\\folder" + std::to_string(i)).c_str(), nullptr)) ++entries;
    return entries;
}

std::map<std::string, int> BareSearch(const std::string& folder, HWND owner, int threshold) {
    std::map<std::string, int> found;
    const std::string prefix = app::DirYen(folder, toolkit::SystemLeadBytes());
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((prefix + "*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return found;
    do {
        const auto n = static_cast<int>(reinterpret_cast<UINT_PTR>(
            ExtractIconA(reinterpret_cast<HINSTANCE>(owner), (prefix + data.cFileName).c_str(), static_cast<UINT>(-1))));
        if (n >= threshold) found[data.cFileName] = n;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    foldertree::OleSession ole;
    toolkit::Application::Instance().Initialize();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = argc > 1 ? argv[1] : std::string(temp) + "pictavo-benchmark";
    const int entries = BuildFolder(folder, PICTAVO_FIXTURE_DIR);
    std::printf("folder %s: %d entries created\n", folder.c_str(), entries);

    auto form = std::make_unique<TForm1>(std::string(temp) + "pictavo-benchmark.ini");
    form->Show();
    form->FTVE1Change(folder);
    form->CheckBox1.SetChecked(false);  // every file with an icon qualifies

    // Warm the file cache for both ways alike.
    BareSearch(folder, form->Handle(), 1);

    const auto bareStart = Clock::now();
    const auto bare = BareSearch(folder, form->Handle(), 1);
    const double bareMs = Milliseconds(Clock::now() - bareStart);

    const auto oursStart = Clock::now();
    form->Btn1.Send(BM_CLICK);
    UpdateWindow(form->ListView1.Handle());
    const double oursMs = Milliseconds(Clock::now() - oursStart);

    std::map<std::string, int> ours;
    for (int p = 1; p <= form->Catalogue.Count(); ++p)
        ours[std::string(form->Catalogue.At(p).Name())] = form->Catalogue.At(p).icons;
    int differences = 0;
    for (const auto& [name, n] : bare)
        if (!ours.count(name) || ours[name] != n) { ++differences; std::printf("  differs: %s platform %d ours %d\n", name.c_str(), n, ours.count(name) ? ours[name] : 0); }
    for (const auto& [name, n] : ours)
        if (!bare.count(name)) { ++differences; std::printf("  differs: %s platform 0 ours %d\n", name.c_str(), n); }

    // Filling the list with 5,000 rows (on-demand rows: setting the count and painting the page).
    for (int i = form->Catalogue.Count(); i < 5000; ++i) form->Catalogue.Append("row" + std::to_string(i), 2);
    const auto fillStart = Clock::now();
    form->DispNormal();
    UpdateWindow(form->ListView1.Handle());
    const double fillMs = Milliseconds(Clock::now() - fillStart);

    std::printf("(a) FindFirstFileA + ExtractIconA(-1): %8.1f ms (%.1f us per entry)\n", bareMs, 1000 * bareMs / entries);
    std::printf("(b) catalogue search, sort, list:      %8.1f ms (%.1f us per entry)\n", oursMs, 1000 * oursMs / entries);
    std::printf("ratio (b)/(a): %.3f (target <= 0.4); files listed: %zu platform, %zu ours; differences: %d\n",
                oursMs / bareMs, bare.size(), ours.size(), differences);
    std::printf("list filled with %d rows in %.2f ms (target < 50 ms)\n", form->Catalogue.Count(), fillMs);
    form.reset();
    return differences == 0 ? 0 : 1;
}
