// libFuzzer entry: any bytes at all must be read without leaving the buffer.
#include <cstddef>
#include <cstdint>

#include "icons/IconResourceReader.h"
#include "export/BitmapImagePixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    icons::MemoryByteSource source(data, size);
    for (const icons::ImageGroupKind groups : {icons::ImageGroupKind::Icons, icons::ImageGroupKind::Cursors}) {
        const icons::IconFileSummary summary = icons::ReadIconSummary(source, groups);
        if (summary.count < 0 || summary.count > 65535) __builtin_trap();
        if (summary.count == 0) continue;
        // Each readable bitmap decoded from its checked record, as every user decodes it.
        icons::StoredIconReader reader(source, groups);
        for (const icons::StoredIconImage& image : reader.Read(summary.count - 1))
            if (!image.header.IsPng() && image.header.readable) iconexport::BitmapImagePixels(image);
        if (const auto cursor = reader.Animation(summary.count - 1))
            for (const icons::AnimationStep& step : cursor->steps)
                if (std::size_t(step.frame) >= cursor->frames.size()) __builtin_trap();
    }
    return 0;
}
