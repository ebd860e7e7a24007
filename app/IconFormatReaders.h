#pragma once
// The three file layouts that hold icons. Each returns the number of icons the shell reports for the
// file (0 when it holds none or its directories do not lie in the file) and sets one flag per icon
// in extractable: true when that icon's group and images lie in the file and are sane.
#include <cstdint>
#include <vector>

#include "app/IconResourceReader.h"

namespace app::iconformat {

// An icon file ("reserved 0, type 1" header, then its directory and images).
int CountIconFileIcons(ByteSource& source, std::vector<bool>& extractable);
// A 16-bit executable: the resource table after the "NE" header at neOffset.
int CountNeIcons(ByteSource& source, std::uint32_t neOffset, std::vector<bool>& extractable);
// A 32- or 64-bit executable: the resource directory reached from the "PE" header at peOffset.
int CountPeIcons(ByteSource& source, std::uint32_t peOffset, std::vector<bool>& extractable);

// The images of icon number index, for each layout (see ReadStoredIcon).
StoredIcon ReadIconFileImages(ByteSource& source);
StoredIcon ReadNeIconImages(ByteSource& source, std::uint32_t neOffset, int index);
StoredIcon ReadPeIconImages(ByteSource& source, std::uint32_t peOffset, int index);

}  // namespace app::iconformat
