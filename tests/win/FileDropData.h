#pragma once
// A data object such as a drag from another program carries: a file list (CF_HDROP) of the
// given paths, or no file list at all.
#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

#include "foldertree/ComRef.h"

namespace testsupport {

// `paths` empty: the object offers no CF_HDROP. `wide`: the list in wide characters, as the
// shell's own data object and Wine's carry it.
foldertree::ComRef<IDataObject> MakeFileDropData(const std::vector<std::string>& paths, bool wide = false);
// The paths of the file list a data object carries (empty when it has none).
std::vector<std::string> DroppedPathsOf(IDataObject* data);
// The paths of the file list on the clipboard.
std::vector<std::string> ClipboardPaths();

}  // namespace testsupport
