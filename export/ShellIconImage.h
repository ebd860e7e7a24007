#pragma once
// The shell's icon as one stored image: for an icon whose file holds no readable image, the
// 32-pixel icon the shell delivers stands in, as a 32-bit bitmap image with its mask.
#include <windows.h>

#include "icons/IconHolder.h"
#include "icons/IconResourceReader.h"

namespace iconexport {

// Throws EInvalidGraphic::NoIcon for a null icon, EInvalidGraphic::BadImages when its images
// cannot be obtained or converted.
icons::StoredIconImage ShellIconImage(HICON icon);

// The shell's icon (made by `extract`) as an icon's one image; empty when the shell gives none.
template <typename Extract>
icons::StoredIcon ShellIconAsImages(Extract extract) {
    const icons::IconHolder icon(extract());
    if (!icon.Handle()) return {};
    return {ShellIconImage(icon.Handle())};
}

// The icon's stored images, or the shell's icon when the file holds no readable image.
template <typename Extract>
icons::StoredIcon ImagesOrShellIcon(icons::StoredIcon stored, Extract extract) {
    return stored.empty() ? ShellIconAsImages(extract) : stored;
}

}  // namespace iconexport
