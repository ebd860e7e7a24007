#pragma once
// A file's last-write time as the overwrite question shows it.
#include <windows.h>

#include <string>

namespace iconexport {

// The local date in the system's short date format, then, unless the time is exactly midnight, a
// blank and the time in the system's long time format. The time is shown in steps of two seconds
// (13:45:09 shows as 13:45:08). Empty when the time cannot be converted.
std::string FileTimeText(const FILETIME& written);

}  // namespace iconexport
