#pragma once
// Writing one icon as an .ICO file of one 4-bit image with its mask.
#include <windows.h>

#include <string>

namespace iconexport {

// Writes `icon` (still owned by the caller) to `path`, replacing an existing file only once the
// new one is complete. Errors: EInvalidGraphic (no icon, images not usable),
// toolkit::EFCreateError (file cannot be created), EWriteError (file cannot be written).
void WriteIconFile(HICON icon, const std::string& path);

}  // namespace iconexport
