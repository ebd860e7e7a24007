#pragma once
// The roots the folder tree can show and the drive it selects after a rebuild.
#include <windows.h>
#include <shlobj.h>

#include <array>
#include <cstdint>

namespace foldertree {

enum TRootFolder : std::uint8_t {
    rfManual, rfDrives, rfDesktop, rfFavorites, rfPrograms, rfRecent, rfSendTo, rfStartMenu,
    rfStartup, rfAppdata, rfTemplates, rf_Controls, rf_Bitbucket, rf_Printers
};

enum TSelectedDir : std::uint8_t { sdNone, sdSystem, sdCurrent };

// The shell's special folder of each root; a manual root whose path is unusable falls back to
// the computer folder.
constexpr std::array<int, 14> kRootFolderCsidl = {
    CSIDL_DRIVES,   CSIDL_DRIVES,  CSIDL_DESKTOPDIRECTORY, CSIDL_FAVORITES, CSIDL_PROGRAMS,
    CSIDL_RECENT,   CSIDL_SENDTO,  CSIDL_STARTMENU,        CSIDL_STARTUP,   CSIDL_APPDATA,
    CSIDL_TEMPLATES, CSIDL_CONTROLS, CSIDL_BITBUCKET,      CSIDL_PRINTERS};

// Control panel, recycle bin and printers: shown whole, every item listed, no path selection.
constexpr bool IsSpecialRoot(TRootFolder root) { return root >= rf_Controls; }

}  // namespace foldertree
