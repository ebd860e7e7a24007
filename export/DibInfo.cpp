#include "export/DibInfo.h"

namespace iconexport {

DibInfo::DibInfo(const DibHeader& d) : header{}, colours{} {
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = d.width;
    header.biHeight = d.height;
    header.biPlanes = d.planes;
    header.biBitCount = d.bitCount;
    header.biCompression = d.compression;
    header.biSizeImage = d.sizeImage;
    header.biXPelsPerMeter = d.xPelsPerMeter;
    header.biYPelsPerMeter = d.yPelsPerMeter;
    header.biClrUsed = d.clrUsed;
    header.biClrImportant = d.clrImportant;
}

DibHeader DescriptionOf(const BITMAPINFOHEADER& h) {
    DibHeader d;
    d.size = h.biSize;
    d.width = h.biWidth;
    d.height = h.biHeight;
    d.planes = h.biPlanes;
    d.bitCount = h.biBitCount;
    d.compression = h.biCompression;
    d.sizeImage = h.biSizeImage;
    d.xPelsPerMeter = h.biXPelsPerMeter;
    d.yPelsPerMeter = h.biYPelsPerMeter;
    d.clrUsed = h.biClrUsed;
    d.clrImportant = h.biClrImportant;
    return d;
}

}  // namespace iconexport
