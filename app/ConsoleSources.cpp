#include "app/ConsoleSources.h"

#include <windows.h>

#include "icons/CatalogueSearch.h"
#include "icons/FileNameCase.h"
#include "icons/IconCatalogue.h"

namespace console {

std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FolderIconFiles(const std::string& folder, bool subFolders, bool multipleOnly,
                                         const std::function<bool()>& goOn, icons::ImageGroupKind groups) {
    icons::IconCatalogue catalogue;
    const int threshold = multipleOnly ? 2 : 1;
    if (subFolders)
        icons::SearchTree(catalogue, folder, threshold, nullptr, [&](int, const std::string&) { return goOn(); }, groups);
    else
        icons::SearchFolder(catalogue, folder, threshold, nullptr, groups);
    catalogue.SortByName(icons::SystemFileNameUpperCase());
    std::vector<std::string> names;
    for (int position = 1; position <= catalogue.Count(); ++position) names.emplace_back(catalogue.At(position).Name());
    return names;
}

}  // namespace console
