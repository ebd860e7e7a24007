#include "export/BitmapFileWriter.h"

#include "export/BitmapFileLayout.h"
#include "export/BitmapImageCapture.h"
#include "export/SafeFileReplace.h"

namespace iconexport {

void WriteBitmapFile(const Picture& picture, const std::string& path) {
    ReplaceFileContents(path, BuildBitmapFile(CaptureBitmapImage(picture.Handle(), picture.Depth())));
}

}  // namespace iconexport
