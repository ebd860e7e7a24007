#pragma once
// Where a picture to find an icon by comes from: an image file of any format the system's imaging
// reads (PNG, BMP, ICO, GIF, JPEG) or the image on the clipboard (a screen crop, usually).
#include <windows.h>

#include <string>

#include "export/ImagePixels.h"
#include "export/WicImaging.h"
#include "toolkit/Exceptions.h"

namespace iconexport {

// A picture that cannot be taken; the text says why, for the user.
class EPictureUnreadable : public toolkit::Exception {
public:
    explicit EPictureUnreadable(const std::string& message) : toolkit::Exception(message) {}
};

// The picture in the file at `path` (its first frame). Throws EPictureUnreadable when the file
// cannot be read, is no image, or is smaller than kSmallestPicture or larger than kLargestPicture
// on a side.
ImagePixels ReadPictureFile(const WicImaging& imaging, const std::string& path);

// Whether the clipboard offers an image: the registered format "PNG", CF_DIBV5 or CF_DIB.
bool ClipboardHasPicture();
// The clipboard's image, in the first of those formats it lists (its owner lists its best form
// first). Throws EPictureUnreadable as ReadPictureFile does, and when it holds no image.
ImagePixels ReadClipboardPicture(const WicImaging& imaging, HWND owner);

}  // namespace iconexport
