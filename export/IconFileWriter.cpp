#include "export/IconFileWriter.h"

#include "export/IconFileLayout.h"
#include "export/IconImageCapture.h"
#include "export/SafeFileReplace.h"
#include "export/WholeIconFileLayout.h"

namespace iconexport {

void WriteIconFile(HICON icon, const std::string& path) {
    ReplaceFileContents(path, BuildIconFile(CaptureIconImage(icon)));
}

void WriteWholeIconFile(const icons::StoredIcon& icon, const std::string& path) {
    ReplaceFileContents(path, BuildWholeIconFile(icon));
}

}  // namespace iconexport
