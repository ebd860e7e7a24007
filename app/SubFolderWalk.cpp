#include "app/SubFolderWalk.h"

#include <unordered_set>

#include "app/PathNames.h"

namespace app {

namespace {

class Walk {
public:
    Walk(WalkedFileSystem& fileSystem, const std::string& root, std::size_t longestPath, WalkVisitor& visitor,
         const toolkit::LeadByteTable& codePage)
        : fileSystem_(fileSystem), root_(DirYen(root, codePage)), longestPath_(longestPath), visitor_(visitor),
          codePage_(codePage) {}

    // Lists one folder (its path relative to the root, "" for the root), entering each sub-folder
    // as it comes; false once the visitor stopped.
    bool Enter(const std::string& relative) {
        const std::string full = relative.empty() ? root_ : root_ + relative;
        std::uint64_t identity = 0;
        if (fileSystem_.FolderIdentity(full, identity) && !entered_.insert(identity).second) return true;
        if (!visitor_.Folder(relative)) return false;
        const std::string prefix = relative.empty() ? std::string() : DirYen(relative, codePage_);
        bool goOn = true;
        fileSystem_.List(full, [&](const ListedEntry& entry) {
            const std::string path = prefix + std::string(entry.name);
            if (root_.size() + path.size() > longestPath_) return true;
            if (!entry.isFolder) {
                goOn = visitor_.File(path, entry);
            } else if (!entry.isReparsePoint && entry.name != "." && entry.name != "..") {
                goOn = Enter(path);
            }
            return goOn;
        });
        return goOn;
    }

private:
    WalkedFileSystem& fileSystem_;
    const std::string root_;
    const std::size_t longestPath_;
    WalkVisitor& visitor_;
    const toolkit::LeadByteTable& codePage_;
    std::unordered_set<std::uint64_t> entered_;
};

}  // namespace

bool WalkSubFolders(WalkedFileSystem& fileSystem, const std::string& root, std::size_t longestPath,
                    WalkVisitor& visitor, const toolkit::LeadByteTable& codePage) {
    return Walk(fileSystem, root, longestPath, visitor, codePage).Enter("");
}

}  // namespace app
