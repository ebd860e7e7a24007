// libFuzzer entry: any bytes at all must be read without leaving the buffer.
#include <cstddef>
#include <cstdint>

#include "icons/IconResourceReader.h"
#include "export/BitmapImagePixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    icons::MemoryByteSource source(data, size);
    const icons::IconFileSummary summary = icons::ReadIconSummary(source);
    if (summary.count < 0 || summary.count > 65535) __builtin_trap();
    if (summary.count > 0) {
        // Each readable bitmap decoded from its checked record, as every user decodes it.
        for (const icons::StoredIconImage& image : icons::ReadStoredIcon(source, summary.count - 1))
            if (!image.header.IsPng() && image.header.readable) iconexport::BitmapImagePixels(image);
    }
    return 0;
}
