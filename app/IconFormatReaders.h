#pragma once
// The three file layouts that hold icons, each read and checked in full. Each returns the number of
// icons the shell reports for the file, or 0 when the file holds none or fails a check.
#include <cstdint>

#include "app/IconResourceReader.h"

namespace app::iconformat {

// An icon file ("reserved 0, type 1" header, then its directory and images).
int CountIconFileIcons(ByteSource& source);
// A 16-bit executable: the resource table after the "NE" header at neOffset.
int CountNeIcons(ByteSource& source, std::uint32_t neOffset);
// A 32- or 64-bit executable: the resource directory reached from the "PE" header at peOffset.
int CountPeIcons(ByteSource& source, std::uint32_t peOffset);

}  // namespace app::iconformat
