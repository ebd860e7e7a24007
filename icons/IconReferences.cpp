#include "icons/IconReferences.h"

#include <windows.h>

namespace icons {

namespace {

// A module loaded as resources only (no code runs), freed with its holder.
class ResourceModule {
public:
    explicit ResourceModule(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceModule() {
        if (module_) FreeLibrary(module_);
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

struct GroupSearch {
    int wanted;
    int seen = 0;
    int id = 0;  // 0: none, or a named group
};

BOOL CALLBACK NoteGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR data) {
    auto& search = *reinterpret_cast<GroupSearch*>(data);
    if (search.seen++ < search.wanted) return TRUE;
    if (IS_INTRESOURCE(name)) search.id = static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
    return FALSE;
}

}  // namespace

IconReferences ReferencesOf(const std::string& fileName, const std::string& location, int index) {
    IconReferences references;
    references.byNumber = fileName + "," + std::to_string(index);
    const ResourceModule module(location);
    if (!module.Get()) return references;
    GroupSearch search{index};
    EnumResourceNamesA(module.Get(), RT_GROUP_ICON, NoteGroup, reinterpret_cast<LONG_PTR>(&search));
    if (search.id > 0) references.byId = fileName + ",-" + std::to_string(search.id);
    return references;
}

}  // namespace icons
