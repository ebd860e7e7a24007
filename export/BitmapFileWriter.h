#pragma once
// Writing a rendered picture as a .BMP file at the picture's (the display's) depth.
#include <string>

#include "export/Picture.h"

namespace iconexport {

// Writes `picture` to `path`, replacing an existing file only once the new one is complete.
// Errors: toolkit::EFCreateError (file cannot be created), EWriteError (file cannot be written),
// the system's text or "システム リソースが足りません" (graphics failures).
void WriteBitmapFile(const Picture& picture, const std::string& path);

}  // namespace iconexport
