#pragma once
// Files for the Windows tests: the generated fixtures and folder walks.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace wintest {

inline std::string FixtureDir() { return PICTAVO_FIXTURE_DIR; }
inline std::string Fixture(const std::string& name) { return FixtureDir() + "\\" + name; }

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return h_; }

private:
    HANDLE h_;
};

// Every entry of folder (with "." and ".."), as full paths; sub-folders are walked when recursive.
inline void ForEachEntry(const std::string& folder, bool recursive,
                         const std::function<void(const std::string& path, bool isFolder)>& visit) {
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA((folder + "\\*.*").c_str(), &data));
    if (find.Get() == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> folders;
    do {
        const std::string name = data.cFileName;
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        visit(folder + "\\" + name, isFolder);
        if (isFolder && name != "." && name != "..") folders.push_back(folder + "\\" + name);
    } while (FindNextFileA(find.Get(), &data));
    if (!recursive) return;
    for (const std::string& sub : folders) ForEachEntry(sub, true, visit);
}

// The shell's icon count for path, asked in a child process (shell_icon_count beside the test):
// crashed when the shell's extraction crashed on the file there.
struct ShellVerdict {
    bool ran = false;
    bool crashed = false;
    int count = 0;
};

inline ShellVerdict ChildShellCount(const std::string& path) {
    char self[MAX_PATH] = {};
    const std::string module(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    const std::string exe = module.substr(0, module.find_last_of('\\') + 1) + "shell_icon_count.exe";
    std::string command = "\"" + exe + "\" \"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ShellVerdict verdict;
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return verdict;
    }
    DWORD code = 0;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0 && GetExitCodeProcess(process.hProcess, &code)) {
        verdict.ran = true;
        verdict.crashed = code >= 0xC0000000u;  // an exception code, not a count
        verdict.count = verdict.crashed ? 0 : static_cast<int>(code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return verdict;
}

// A copy of a file put somewhere for one test (a system folder, say) and removed again.
class PlacedCopy {
public:
    PlacedCopy(const std::string& from, std::string to) : path_(std::move(to)), placed_(CopyFileA(from.c_str(), path_.c_str(), TRUE)) {}
    ~PlacedCopy() { Remove(); }
    PlacedCopy(const PlacedCopy&) = delete;
    PlacedCopy& operator=(const PlacedCopy&) = delete;
    bool Placed() const { return placed_; }
    void Remove() { placed_ = placed_ && !DeleteFileA(path_.c_str()); }

private:
    std::string path_;
    bool placed_;
};

inline std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    return std::string(folder, GetWindowsDirectoryA(folder, MAX_PATH));
}
inline std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    return std::string(folder, GetSystemDirectoryA(folder, MAX_PATH));
}

// <Windows folder>\SystemResources, made for a test when the system has none (Wine), removed again.
struct SystemResourcesFolder {
    const std::string path = WindowsFolder() + "\\SystemResources";
    const bool made = CreateDirectoryA(path.c_str(), nullptr) != FALSE;
    ~SystemResourcesFolder() {
        if (made) RemoveDirectoryA(path.c_str());
    }
    std::string operator/(const std::string& name) const { return path + "\\" + name; }
};

inline int PlatformCount(const std::string& path) {
    return static_cast<int>(reinterpret_cast<UINT_PTR>(ExtractIconA(nullptr, path.c_str(), static_cast<UINT>(-1))));
}

}  // namespace wintest
