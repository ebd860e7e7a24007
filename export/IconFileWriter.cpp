#include "export/IconFileWriter.h"

#include "export/IconFileLayout.h"
#include "export/IconImageCapture.h"
#include "export/SafeFileReplace.h"

namespace iconexport {

void WriteIconFile(HICON icon, const std::string& path) {
    ReplaceFileContents(path, BuildIconFile(CaptureIconImage(icon)));
}

}  // namespace iconexport
