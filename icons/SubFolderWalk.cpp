#include "icons/SubFolderWalk.h"

#include <set>

#include "icons/PathNames.h"

namespace icons {

namespace {

class Walk {
public:
    Walk(WalkedFileSystem& fileSystem, const std::string& root, std::size_t longestPath, WalkVisitor& visitor,
         const toolkit::LeadByteTable& codePage)
        : fileSystem_(fileSystem), root_(DirYen(root, codePage)), rootLength_(codePage.CharacterCount(root_)),
          longestPath_(longestPath), visitor_(visitor), codePage_(codePage) {}

    // Lists one folder (its path relative to the root, "" for the root), entering each sub-folder
    // as it comes; false once the visitor stopped.
    bool Enter(const std::string& relative) {
        const std::string full = relative.empty() ? root_ : root_ + relative;
        FolderIdentity identity;
        if (fileSystem_.IdentityOf(full, identity) && identity.index != 0 && !entered_.insert(identity).second)
            return true;
        if (!visitor_.Folder(relative)) return false;
        const std::string prefix = relative.empty() ? std::string() : DirYen(relative, codePage_);
        bool goOn = true;
        fileSystem_.List(full, [&](const ListedEntry& entry) {
            const std::string path = prefix + std::string(entry.name);
            // The system's path limit counts characters, and a double-byte one is two bytes.
            if (rootLength_ + codePage_.CharacterCount(path) > longestPath_) return true;
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
    const std::size_t rootLength_;
    const std::size_t longestPath_;
    WalkVisitor& visitor_;
    const toolkit::LeadByteTable& codePage_;
    std::set<FolderIdentity> entered_;
};

}  // namespace

bool WalkSubFolders(WalkedFileSystem& fileSystem, const std::string& root, std::size_t longestPath,
                    WalkVisitor& visitor, const toolkit::LeadByteTable& codePage) {
    return Walk(fileSystem, root, longestPath, visitor, codePage).Enter("");
}

}  // namespace icons
