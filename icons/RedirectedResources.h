#pragma once
// Since Windows 10 version 1903 the files of the Windows folder and the system folders keep most of
// their resources, icons included, in <Windows folder>\SystemResources\<file name>.mun, and the
// system's loader reads them from there: the shell's icon extraction counts and delivers the
// .mun's icons for such a file. This finds that file for a path.
#include <string>

namespace icons {

// <Windows folder>\SystemResources\<name>.mun when path names a file that lies directly in the
// Windows folder, the system folder or the 32-bit system folder of 64-bit Windows (compared as
// folders, however the path spells them) and that .mun exists as a file; empty otherwise. <name>
// is the file's long name. Whether it holds
// icons is the caller's question.
std::string RedirectedResourceFile(const std::string& path);

}  // namespace icons
