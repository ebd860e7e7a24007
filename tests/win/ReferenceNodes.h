#pragma once
// What the folder tree should show for the children of one folder, computed item by item the
// plain way: every item parsed twice (once to decide it is listed, once for its list), both icons
// asked for at once, nothing deferred. The equivalence test and the benchmark hold the tree
// against it.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace testsupport {

struct ReferenceNode {
    std::string caption;
    std::vector<unsigned char> absoluteID;  // the list's bytes, terminator included
    ULONG attributes = 0;
    bool hasChildren = false;
    int imageIndex = 0;
    int selectedIndex = 0;
    int overlayIndex = -1;  // counted from 0; -1 for none
};

struct ReferenceOptions {
    bool showFile = false;
    bool includeHidden = true;
};

// The children of the folder named by `folder` (an absolute list), in the shell's order.
std::vector<ReferenceNode> ReferenceChildren(LPCITEMIDLIST folder, const ReferenceOptions& options);

std::vector<unsigned char> ListBytes(LPCITEMIDLIST list);

}  // namespace testsupport
