#pragma once
// Files for the Windows tests: the generated fixtures and folder walks.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
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

inline int PlatformCount(const std::string& path) {
    return static_cast<int>(reinterpret_cast<UINT_PTR>(ExtractIconA(nullptr, path.c_str(), static_cast<UINT>(-1))));
}

}  // namespace wintest
