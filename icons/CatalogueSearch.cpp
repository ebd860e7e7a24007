#include "icons/CatalogueSearch.h"

#include "icons/FileHandle.h"
#include "icons/IconSource.h"
#include "icons/PathNames.h"
#include "icons/SubFolderWalk.h"

namespace icons {

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
class PlatformFileSystem : public WalkedFileSystem {
public:
    bool List(const std::string& folder, const std::function<bool(const ListedEntry&)>& each) override {
        WIN32_FIND_DATAA data{};
        FileFind find(DirYen(folder, toolkit::SystemLeadBytes()) + "*.*", data);
        if (!find.Found()) return false;
        do {
            const ListedEntry entry{data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                    (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0, &data};
            if (!each(entry)) break;
        } while (find.Next(data));
        return true;
    }
    bool IdentityOf(const std::string& folder, FolderIdentity& identity) override {
        FileHandle handle(CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION information{};
        if (!handle.IsOpen() || !GetFileInformationByHandle(handle.Get(), &information)) return false;
        identity.volume = information.dwVolumeSerialNumber;
        identity.index = (std::uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
        return true;
    }
};

// Counts each file the walk finds and reports the progress.
class CountingVisitor : public WalkVisitor {
public:
    CountingVisitor(IconCatalogue& catalogue, const std::string& root, int threshold, HWND owner,
                    const SearchProgress& progress, ImageGroupKind groups)
        : catalogue_(catalogue), prefix_(DirYen(root, toolkit::SystemLeadBytes())), threshold_(threshold),
          owner_(owner), volume_(VolumeSerialOf(root)), progress_(progress), groups_(groups) {}

    bool Folder(const std::string& relativePath) override {
        folder_ = prefix_ + relativePath;
        return Report();
    }
    bool File(const std::string& relativePath, const ListedEntry& entry) override {
        const auto& data = *static_cast<const WIN32_FIND_DATAA*>(entry.native);
        const int icons = IconCount(owner_, prefix_ + relativePath, data, volume_, groups_);
        if (icons >= threshold_) catalogue_.Append(relativePath, icons);
        return Report();
    }

private:
    bool Report() const { return !progress_ || progress_(catalogue_.Count(), folder_); }

    IconCatalogue& catalogue_;
    const std::string prefix_;
    const int threshold_;
    const HWND owner_;
    const DWORD volume_;
    const SearchProgress& progress_;
    const ImageGroupKind groups_;
    std::string folder_;
};

}  // namespace

void SearchFolder(IconCatalogue& catalogue, const std::string& folder, int threshold, HWND owner, ImageGroupKind groups) {
    catalogue.Reset();
    const std::string prefix = DirYen(folder, toolkit::SystemLeadBytes());
    WIN32_FIND_DATAA data{};
    FileFind find(prefix + "*.*", data);
    if (!find.Found()) return;
    const DWORD volume = VolumeSerialOf(folder);
    do {
        const int icons = IconCount(owner, prefix + data.cFileName, data, volume, groups);
        if (icons >= threshold) catalogue.Append(data.cFileName, icons);
    } while (find.Next(data));
}

bool SearchTree(IconCatalogue& catalogue, const std::string& folder, int threshold, HWND owner,
                const SearchProgress& progress, ImageGroupKind groups) {
    catalogue.Reset();
    PlatformFileSystem fileSystem;
    CountingVisitor visitor(catalogue, folder, threshold, owner, progress, groups);
    return WalkSubFolders(fileSystem, folder, MAX_PATH - 1, visitor, toolkit::SystemLeadBytes());
}

}  // namespace icons
