// libFuzzer entry: any bytes at all must be read without leaving the buffer.
#include <cstddef>
#include <cstdint>

#include "icons/IconResourceReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    icons::MemoryByteSource source(data, size);
    const icons::IconFileSummary summary = icons::ReadIconSummary(source);
    if (summary.count < 0 || summary.count > 65535) __builtin_trap();
    if (summary.count > 0) icons::ReadStoredIcon(source, summary.count - 1);
    return 0;
}
