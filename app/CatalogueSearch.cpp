#include "app/CatalogueSearch.h"

#include "app/IconSource.h"
#include "app/PathNames.h"

namespace app {

namespace {
// An open directory enumeration, closed on every way out.
class FileFind {
public:
    FileFind(const std::string& pattern, WIN32_FIND_DATAA& data)
        : handle_(FindFirstFileA(pattern.c_str(), &data)) {}
    ~FileFind() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    FileFind(const FileFind&) = delete;
    FileFind& operator=(const FileFind&) = delete;

    bool Found() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(handle_, &data) != FALSE; }

private:
    HANDLE handle_;
};
}  // namespace

void SearchFolder(IconCatalogue& catalogue, const std::string& folder, int threshold, HWND owner) {
    catalogue.Reset();
    const std::string prefix = DirYen(folder, toolkit::SystemLeadBytes());
    WIN32_FIND_DATAA data{};
    FileFind find(prefix + "*.*", data);
    if (!find.Found()) return;
    const DWORD volume = VolumeSerialOf(folder);
    do {
        const int icons = IconCount(owner, prefix + data.cFileName, data, volume);
        if (icons >= threshold) catalogue.Append(data.cFileName, icons);
    } while (find.Next(data));
}

}  // namespace app
