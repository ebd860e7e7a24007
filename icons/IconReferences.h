#pragma once
// The two ways Windows refers to an icon of a file: by its number ("shell32.dll,3") and by its
// group's resource id ("shell32.dll,-16").
#include <string>

namespace icons {

struct IconReferences {
    std::string byNumber;
    std::string byId;  // empty when the group has a name instead of a number, or the file has no groups
};

// `fileName` is the name the references use; `location` the file whose resources hold the icons
// (the .mun of a system file). The ids come from the system's loader, in the order in which it
// lists the icon groups, the order the icons are numbered in.
IconReferences ReferencesOf(const std::string& fileName, const std::string& location, int index);

}  // namespace icons
