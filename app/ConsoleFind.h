#pragma once
// The console program's /FIND: the icons of the sources most like a picture, best first, as
// "likeness  path,index" lines; nothing is written.
#include "app/CommandLine.h"
#include "app/ConsoleText.h"

namespace console {

// How many icons /FIND lists.
constexpr int kIconsFound = 10;

// The exit status: 0, or 1 when the picture cannot be read, a source is missing or none holds icons.
int RunConsoleFind(const Options& options, ConsoleText& out, ConsoleText& errors);

}  // namespace console
