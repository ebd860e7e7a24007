#pragma once
// Writing one icon as an .ICO file: one 4-bit image with its mask, or the whole icon as stored.
#include <windows.h>

#include <string>

#include "icons/IconResourceReader.h"

namespace iconexport {

// Writes `icon` (still owned by the caller) to `path`, replacing an existing file only once the
// new one is complete. Errors: EInvalidGraphic (no icon, images not usable),
// toolkit::EFCreateError (file cannot be created), EWriteError (file cannot be written).
void WriteIconFile(HICON icon, const std::string& path);

// Writes the whole icon, every stored image unchanged, to `path` in the same safe way. Errors:
// EInvalidGraphic::NoIcon when it has no image, and those of WriteIconFile's file.
void WriteWholeIconFile(const icons::StoredIcon& icon, const std::string& path);

}  // namespace iconexport
