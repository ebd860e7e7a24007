#include "export/DibHeader.h"

namespace iconexport {

void WriteDibHeader(ByteWriter& out, const DibHeader& header) {
    out.U32(header.size);
    out.I32(header.width);
    out.I32(header.height);
    out.U16(header.planes);
    out.U16(header.bitCount);
    out.U32(header.compression);
    out.U32(header.sizeImage);
    out.I32(header.xPelsPerMeter);
    out.I32(header.yPelsPerMeter);
    out.U32(header.clrUsed);
    out.U32(header.clrImportant);
}

}  // namespace iconexport
