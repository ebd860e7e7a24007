#pragma once
// The icon source: how many icons a file holds and each of them as a 32 x 32 icon. The count comes
// from our own bounds-checked reading of the file, counted as the shell counts; the icons from the
// shell's extraction, which is asked only for icons whose group and images passed that reading (it
// would read any other one out of bounds).
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "icons/IconResourceReader.h"

namespace icons {

// The number of icons in the file at path; 0 for folders, missing, unreadable or malformed files.
// owner is the main window: the platform documents a module instance there; no result depends on it.
// With groups Cursors, the number of cursors instead (here and below).
int IconCount(HWND owner, const std::string& path, ImageGroupKind groups = ImageGroupKind::Icons);
// Why the animated cursor file at path counts no cursors; None for a sound one and for any file
// that is no animated cursor at all.
AnimationDamage AnimatedCursorDamage(const std::string& path);
// The serial number of the volume holding folder (0 when it cannot be had): asked once per search.
DWORD VolumeSerialOf(const std::string& folder);
// The same for an entry of a folder listing on the volume of serial number volume, whose
// attributes and size are known. An entry whose name does not open (it has no ANSI form) is read
// through its short name, and IconFile finds it under the listed path from then on.
int IconCount(HWND owner, const std::string& path, const WIN32_FIND_DATAA& entry, DWORD volume,
              ImageGroupKind groups = ImageGroupKind::Icons);

// The file's icon number index (0 <= index < IconCount) at the large-icon size, owned by the
// caller (wrap it in an IconHolder at once); nullptr for any other index or file.
HICON ExtractIconAt(HWND owner, const std::string& path, int index);

// One file's icons for a run of extractions (the strip, the export): the file is read and checked
// once (or not again, when the search just read this very file unchanged), then each icon is taken
// from the shell. A system file whose resources the system keeps in a .mun is the .mun's icons.
// Read for its cursors, the file's cursors are its "icons" here, each drawn from its stored images.
class IconFile {
public:
    IconFile(HWND owner, const std::string& path, ImageGroupKind groups = ImageGroupKind::Icons);
    ~IconFile();
    IconFile(const IconFile&) = delete;
    IconFile& operator=(const IconFile&) = delete;

    // The size of the icons the program writes, whatever the display's DPI.
    static constexpr int kExportSize = 32;

    int Count() const { return count_; }
    // The file the icons are read from: the path itself, or the .mun of a system file.
    const std::string& Location() const { return location_; }
    // Icon number index, `pixels` square, owned by the caller; nullptr outside 0..Count-1 and for
    // an icon whose group or images are missing or damaged.
    HICON Extract(int index, int pixels = kExportSize) const;
    // Icon number index as the file stores it: every image, bytes unchanged, the missing or
    // damaged ones left out; empty outside 0..Count-1. The file stays open for later icons.
    StoredIcon Stored(int index);
    // Cursor number index when it is an animated one.
    std::optional<AnimatedCursor> Animation(int index);
    // The resource id of icon or cursor index in an executable ("#32512"); empty for other files.
    std::string ResourceName(int index);
    ImageGroupKind Groups() const { return groups_; }

private:
    class OpenFile;
    HICON DrawnCursor(int index, int pixels) const;
    OpenFile& Opened() const;

    HWND owner_;
    ImageGroupKind groups_;
    std::string location_;  // the file the icons are read from
    int count_ = 0;
    std::vector<bool> extractable_;
    mutable std::unique_ptr<OpenFile> open_;  // opened on the first stored image asked for
};

}  // namespace icons
