#pragma once
// Every text the program shows, in Japanese (Shift-JIS, for code page 932) and in English (plain
// ASCII, readable in every code page). The language is chosen once at start; the texts of the
// other language are never shown. Platform-free.
#include <cstddef>
#include <initializer_list>
#include <string>

namespace toolkit {

enum class Language { Japanese, English };

enum class TextId {
    // The main window.
    MainIconListLabel, MainPathHint, MainFolderLabel, MainFilesLabel, MainNotSearched, MainSearching,
    MainCountHint, MainNameColumn, MainCountColumn, MainMultiIcons, MainMultiIconsHint, MainSubFolders,
    MainSubFoldersHint, MainSearchButton, MainSearchHint, MainStopButton, MainViewButton, MainViewHint,
    MainExportButton, MainExportHint, MainExitButton, MainExitHint, MainStripHint, MainSearchProgress,
    MenuAbout, MenuHint, MenuIconDetail, MenuCopy,
    DropNotFound, DropOnlyOne, DropNoIcons,
    // The list's menu and the strip's tips.
    ListMenuView, ListMenuExport, ListMenuOpenFolder, ListMenuCopyPath, StripTipOneMore, StripTipMore,
    // The export dialog.
    ExportCaption, ExportSourceLabel, ExportSourceColon, ExportFolderLabel, ExportRangeLabel, ExportFormatLabel, ExportIco,
    ExportBmp, ExportAllSizes, ExportAllSizesHint, ExportPng, ExportLargestPng, ExportEveryPng,
    ExportNewFolderButton, ExportNewFolderHint, ExportButton, ExportButtonHint, ExportCancel,
    ExportFolderFailed, ExportSummary, ExportSummaryWithPng,
    // The new-folder dialog.
    NewFolderCaption, NewFolderCurrentLabel, NewFolderNameLabel, NewFolderOk, NewFolderCancel, NewFolderRefusal,
    // The overwrite question.
    OverwriteCaption, OverwriteQuestion, OverwriteNameLabel, OverwriteTimeLabel, OverwriteSizeLabel,
    OverwriteYes, OverwriteNo, OverwriteAll, OverwriteCancel, OverwriteNoFacts, OverwriteNoSize, OverwriteSize,
    // The About box and the list hint.
    AboutCaption, AboutOk, HintCaption, HintOk, HintDoubleClick, HintHeaders, HintApology,
    // The icon detail window.
    DetailCaption, DetailFileLabel, DetailIndexLabel, DetailSourceLabel, DetailByNumberLabel,
    DetailCopyByNumber, DetailByIdLabel, DetailCopyById, DetailCopy, DetailSavePng, DetailSaveIco,
    DetailClose, DetailImageCaption, DetailPngFilter, DetailIcoFilter, DetailUnreadable,
    DragNoFolder,
    // The console program PICTAVOX.
    ConsoleUsage, ConsoleBadSwitch, ConsoleNoSource, ConsoleIcoTwice, ConsoleFolderNotMade, ConsoleFileLine,
    ConsoleTotals, ConsoleInterrupted, ConsoleIconError,
    ConsoleNamesTaken, ConsoleRangePast,
    // Errors.
    ErrorFileNotFound, ErrorBadFileName, ErrorTooManyFiles, ErrorAccessDenied, ErrorInOut, ErrorCreateFile,
    ErrorSettingsWrite, ErrorOutOfResources, ErrorBadIcon, ErrorBadBitmap, ErrorUnreadableImages, ErrorStreamWrite,
    ErrorReplaceLeftNew, ErrorNoInterface,
    // Finding an icon by its picture.
    PictureUnreadable, PictureTooLarge, PictureTooSmall, ClipboardNoPicture, ConsoleFindSame, ConsoleFindNoIcons,
    // The icon gallery.
    MainGalleryButton, MainGalleryHint, GalleryCaption, GallerySizeLabel, GalleryNameLabel, GalleryMinSizeLabel,
    GalleryMinSizeAll, GalleryCount, GalleryReading, GalleryHeader, GallerySame, GalleryCellTip, GalleryLikenessTip,
    GalleryExportSelected,
    // The gallery's search by picture.
    GalleryFindButton, GalleryShowAll, GallerySearching, GalleryFindTitle, GalleryPictureFiles,
    // Cursors.
    MainCursors, MainCursorsHint, MainCursorCountColumn, MenuCursorDetail, DropNoCursors, ExportCur,
    DetailCursorCaption, DetailCursorIndexLabel, DetailResourceIdLabel, DetailHotspot, DetailFrame, DetailSaveCur,
    DetailCurFilter, DetailAniFilter,
    // Damaged animated cursors.
    DropDamagedCursor, AniChunkPastEnd, AniNoHeader, AniNoFrames, AniFrameCountMismatch, AniMissingFrame,
    AniDamagedFrame,
    Count
};

struct ProgramText {
    TextId id;
    // The window whose accelerators (&X) must differ; every window's texts share one name.
    const char* window;
    // The width in pixels at 96 DPI the text may take on one line in the window's font (the
    // control's width less its box or edges, or the room up to the next control); 0 for texts
    // that wrap or have a whole window's width.
    int room;
    const char* japanese;
    const char* english;
};

// The whole table, one entry per TextId in its order.
const ProgramText* ProgramTextTable();
constexpr std::size_t kProgramTextCount = static_cast<std::size_t>(TextId::Count);

// Japanese only where the ANSI code page is 932: its bytes mean nothing anywhere else. The setting
// ("ja", "en" or empty) overrides the code page where it can.
Language ChooseLanguage(unsigned codePage, const std::string& setting);
void SetLanguage(Language language);
Language CurrentLanguage();

// The text in the current language.
const char* Text(TextId id);
// The text with each "%s" replaced by the next of `values`, in order (paths may hold "%").
std::string TextWith(TextId id, std::initializer_list<std::string> values);

}  // namespace toolkit
