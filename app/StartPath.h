#pragma once
// The path the program was started with ("Open with", "Send to", a file dropped onto its icon).
#include <string>

// The first command-line argument as a full path, wide as the command line holds it, without a
// folder's closing "\" (a drive's root keeps it); empty when none was given. Read before the main
// window enters its folder, which changes the current directory a relative path starts from.
std::wstring StartPathFromCommandLine();
