#pragma once
// The shell's icon as one stored image: for an icon whose file holds no readable image, the
// 32-pixel icon the shell delivers stands in, as a 32-bit bitmap image with its mask.
#include <windows.h>

#include "app/IconResourceReader.h"

namespace iconexport {

// Throws EInvalidGraphic::NoIcon for a null icon, EInvalidGraphic::BadImages when its images
// cannot be obtained or converted.
app::StoredIconImage ShellIconImage(HICON icon);

// The icon's stored images, or the shell's icon (made by `extract` only then) as its one image;
// empty when there is neither.
template <typename Extract>
app::StoredIcon ImagesOrShellIcon(app::StoredIcon stored, Extract extract) {
    if (!stored.empty()) return stored;
    if (HICON icon = extract()) {
        struct Release {
            HICON icon;
            ~Release() { DestroyIcon(icon); }
        } release{icon};
        stored.push_back(ShellIconImage(icon));
    }
    return stored;
}

}  // namespace iconexport
