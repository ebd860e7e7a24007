#pragma once
// The program's command-line arguments as the user typed them, taken wide and made ANSI without
// the system's best-fit conversion, which would turn "Café.dll" into the name of another file.
#include <string>
#include <vector>

namespace toolkit {

// The path in the system's ANSI code page: as it is where every character has an ANSI form, else
// its short (8.3) name where the file system gives one that has; empty when neither is possible.
std::string AnsiPathOf(const std::wstring& path);

// The arguments after the program's name, each wide as the command line holds it.
std::vector<std::wstring> WideArguments();

}  // namespace toolkit
