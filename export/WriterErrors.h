#pragma once
// The errors of the icon and bitmap writers that the toolkit does not already name. They end the
// export run and are shown by the application's error box. Platform-free.
#include <string>

#include "toolkit/Exceptions.h"

namespace iconexport {

// An icon or image that cannot be turned into a file.
class EInvalidGraphic : public toolkit::Exception {
public:
    // No icon at all (the icon source had none for the index).
    static EInvalidGraphic NoIcon();
    // The icon's images cannot be obtained, described or converted.
    static EInvalidGraphic BadImages();
    // Every image of the icon is too large to decode or coded in a way that is not read.
    static EInvalidGraphic UnreadableImages();

private:
    explicit EInvalidGraphic(const std::string& message) : toolkit::Exception(message) {}
};

// A file that could not be written completely (a full disk, for example).
class EWriteError : public toolkit::Exception {
public:
    EWriteError();
};

}  // namespace iconexport
