#pragma once
// The walk of the sub-folder search: a folder and every folder below it, depth first, each
// folder's entries in the order the file system delivers them. A folder is entered once at most:
// reparse points (junctions, symbolic links) are not entered, nor a folder whose identity was
// entered before (a link that the platform shows as a plain folder, as Wine shows a Unix one).
// Platform-free: the file system comes through WalkedFileSystem.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "toolkit/DoubleByte.h"

namespace icons {

// One entry of a folder listing; `native` is the platform's own record of it (for its icon count).
struct ListedEntry {
    std::string_view name;
    bool isFolder = false;
    bool isReparsePoint = false;
    const void* native = nullptr;
};

// What tells a folder from every other: the serial number of its volume and its index there. An
// index of 0 is what some network and virtual file systems give every folder: it tells nothing.
struct FolderIdentity {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    bool operator<(const FolderIdentity& other) const {
        return volume != other.volume ? volume < other.volume : index < other.index;
    }
};

class WalkedFileSystem {
public:
    virtual ~WalkedFileSystem() = default;
    // Hands every entry of folder to each, in the file system's order, until each returns false;
    // false when the folder cannot be listed.
    virtual bool List(const std::string& folder, const std::function<bool(const ListedEntry&)>& each) = 0;
    // The folder's identity; false when it cannot be had.
    virtual bool IdentityOf(const std::string& folder, FolderIdentity& identity) = 0;
};

class WalkVisitor {
public:
    virtual ~WalkVisitor() = default;
    // Before a folder's entries are listed ("" for the search folder itself); false stops the walk.
    virtual bool Folder(const std::string& relativePath) = 0;
    // A file, named by its path relative to the search folder; false stops the walk.
    virtual bool File(const std::string& relativePath, const ListedEntry& entry) = 0;
};

// Walks root and the folders below it. Files whose full path would be longer than longestPath
// characters are left out (they could not be opened again), and so are the folders below them.
// Returns false when the visitor stopped the walk.
bool WalkSubFolders(WalkedFileSystem& fileSystem, const std::string& root, std::size_t longestPath,
                    WalkVisitor& visitor, const toolkit::LeadByteTable& codePage);

}  // namespace icons
