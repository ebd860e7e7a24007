#pragma once
// The PNG file of one image of an icon at a chosen size: a stored PNG image byte for byte, any
// other image converted (resampled and centred where the size asks for it) through the system's
// imaging component. No window is involved.
#include <cstdint>
#include <string>
#include <vector>

#include "icons/IconResourceReader.h"
#include "export/ImagePixels.h"
#include "export/PngSizeChoice.h"
#include "export/WicImaging.h"

namespace iconexport {

// The image's pixels, whichever kind it is. Throws EInvalidGraphic::BadImages for an image that
// cannot be read.
ImagePixels StoredImagePixels(const WicImaging& imaging, const icons::StoredIconImage& image);

// The pixels of `choice` of `icon` as its PNG file holds them (resampled and centred where the
// size asks for it). Throws EInvalidGraphic.
ImagePixels ChosenPixels(const WicImaging& imaging, const icons::StoredIcon& icon, const PngChoice& choice);

// The file's bytes for `choice` of `icon` (ChoosePngImages). Throws EInvalidGraphic.
std::vector<std::uint8_t> BuildPngFile(const WicImaging& imaging, const icons::StoredIcon& icon, const PngChoice& choice);

// Writes those bytes to `path`, replacing an existing file only once the new one is complete.
// Errors: EInvalidGraphic, toolkit::EFCreateError, EWriteError.
void WritePngFile(const WicImaging& imaging, const icons::StoredIcon& icon, const PngChoice& choice, const std::string& path);

}  // namespace iconexport
