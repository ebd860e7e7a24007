#pragma once
// What each node of the folder tree knows of its shell item. The node owns its record; the
// record holds the node's only reference to the folder that contains the item.
#include <windows.h>
#include <shlobj.h>

#include "foldertree/ComRef.h"
#include "foldertree/ItemIdList.h"

namespace foldertree {

struct TTVITEMDATA {
    ComRef<IShellFolder> ParentFolder;
    ItemIdList RelativeID;  // one item, relative to ParentFolder
    ItemIdList AbsoluteID;  // from the desktop
    ULONG Attributes = 0;   // the answer to kItemAttributeQuery
};

}  // namespace foldertree
