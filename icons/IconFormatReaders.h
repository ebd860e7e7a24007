#pragma once
// The three file layouts that hold icons. Each returns the number of icons the shell reports for the
// file (0 when it holds none or its directories do not lie in the file) and sets one flag per icon
// in extractable: true when that icon's group and images lie in the file and are sane.
#include <cstdint>
#include <memory>
#include <vector>

#include "icons/IconResourceReader.h"

namespace icons::iconformat {

// An icon file ("reserved 0, type 1" header, then its directory and images).
int CountIconFileIcons(ByteSource& source, std::vector<bool>& extractable);
// A 16-bit executable: the resource table after the "NE" header at neOffset.
int CountNeIcons(ByteSource& source, std::uint32_t neOffset, std::vector<bool>& extractable);
// A 32- or 64-bit executable: the resource directory reached from the "PE" header at peOffset.
int CountPeIcons(ByteSource& source, std::uint32_t peOffset, std::vector<bool>& extractable);

// The images of an icon file's one icon.
StoredIcon ReadIconFileImages(ByteSource& source);
// The icons of an executable, each layout's directories read once for all of them (see
// StoredIconReader); nullptr when they cannot be read.
std::unique_ptr<StoredIconLayout> OpenNeIcons(ByteSource& source, std::uint32_t neOffset);
std::unique_ptr<StoredIconLayout> OpenPeIcons(ByteSource& source, std::uint32_t peOffset);

}  // namespace icons::iconformat
