#pragma once
// A BITMAPINFO with room for a full colour table, filled from the platform-free description.
#include <windows.h>

#include "export/DibHeader.h"

namespace iconexport {

struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];

    explicit DibInfo(const DibHeader& description);
    BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// The platform's header as the platform-free description.
DibHeader DescriptionOf(const BITMAPINFOHEADER& header);

}  // namespace iconexport
