#include "toolkit/ProgramTexts.h"

namespace toolkit {

namespace {

// Rooms: a check box loses 18 pixels to its box, a button 8 to its edges, a combo box 24 to its
// arrow; a label that sizes itself may reach the next control.
constexpr ProgramText kTexts[] = {
    {TextId::MainIconListLabel, "main", 61, "ｱｲｺﾝﾘｽﾄ ：", "Icons :"},
    {TextId::MainPathHint, "main", 545, "ﾊﾟｽとﾌｧｲﾙ名を表示します", "Shows the file's path and name"},
    {TextId::MainFolderLabel, "main", 66, "検索ﾌｫﾙﾀﾞ ：", "Folder :"},
    {TextId::MainFilesLabel, "main", 102, "ｱｲｺﾝのあるﾌｧｲﾙ ：", "Files with icons :"},
    {TextId::MainNotSearched, "main", 120, "未検索", "Not searched"},
    {TextId::MainSearching, "main", 120, "検索中…", "Searching..."},
    {TextId::MainCountHint, "main", 545, "検索するとﾌｧｲﾙ数を表示します", "Shows how many files the search found"},
    {TextId::MainNameColumn, "main", 104, "ﾌｧｲﾙ名", "File name"},
    {TextId::MainCountColumn, "main", 49, "ｱｲｺﾝ数", "Icons"},
    {TextId::MainMultiIcons, "main", 53, "複数ｱｲｺﾝ", "2+ icons"},
    {TextId::MainMultiIconsHint, "main", 545, "チェックすると複数アイコンのファイルだけを対象にします",
     "When checked, only files with more than one icon are listed"},
    {TextId::MainSubFolders, "main", 53, "ｻﾌﾞﾌｫﾙﾀﾞ", "Subdirs"},
    {TextId::MainSubFoldersHint, "main", 545, "チェックするとｻﾌﾞﾌｫﾙﾀﾞも検索します",
     "When checked, the subfolders are searched too"},
    {TextId::MainSearchButton, "main", 72, "ﾌｧｲﾙ検索(&S)", "&Search"},
    {TextId::MainSearchHint, "main", 545, "ｱｲｺﾝのあるﾌｧｲﾙを検索します", "Finds the files that hold icons"},
    {TextId::MainStopButton, "main while searching", 72, "中止(&S)", "&Stop"},
    {TextId::MainViewButton, "main", 72, "見る(&V)", "&View"},
    {TextId::MainViewHint, "main", 545, "選択したﾌｧｲﾙのｱｲｺﾝを表示します", "Shows the icons of the selected file"},
    {TextId::MainExportButton, "main", 72, "取り出す(&E)...", "&Export..."},
    {TextId::MainExportHint, "main", 545, "表示中のｱｲｺﾝを取り出し、一つずつﾌｧｲﾙに出力します",
     "Exports the icons shown, one file each"},
    {TextId::MainExitButton, "main", 72, "終了(&X)", "E&xit"},
    {TextId::MainExitHint, "main", 545, "ばいばい", "Bye-bye"},
    {TextId::MainStripHint, "main", 545, "ダブルクリックで一つだけ取り出します", "Double-click to export one icon"},
    {TextId::MainSearchProgress, "main", 0, "検索中… %d ﾌｧｲﾙ  ", "Searching... %d files  "},
    {TextId::MenuAbout, "menu", 0, "About...", "About..."},
    {TextId::MenuHint, "menu", 0, "Hint...", "Hint..."},
    {TextId::MenuIconDetail, "strip", 0, "ｱｲｺﾝの詳細(&I)...", "Icon &details..."},
    {TextId::MenuCopy, "strip", 0, "ｺﾋﾟｰ(&C)", "&Copy"},
    {TextId::DropNotFound, "messages", 0, "%s\r\nというファイルが見つかりません。", "%s\r\nThis file was not found."},
    {TextId::DropOnlyOne, "messages", 0, "ドロップできるファイルは一つだけです。", "Only one file can be dropped."},
    {TextId::DropNoIcons, "messages", 0, "%s\r\nにはアイコンがありません。", "%s\r\nThis file holds no icons."},
    {TextId::ListMenuView, "list", 0, "見る(&V)", "&View"},
    {TextId::ListMenuExport, "list", 0, "取り出す(&E)...", "&Export..."},
    {TextId::ListMenuOpenFolder, "list", 0, "ﾌｫﾙﾀﾞを開く(&O)", "&Open folder"},
    {TextId::ListMenuCopyPath, "list", 0, "ﾊﾟｽをｺﾋﾟｰ(&P)", "Copy &path"},
    {TextId::StripTipOneMore, "messages", 0, "%s ほか 1 画像", "%s and 1 more image"},
    {TextId::StripTipMore, "messages", 0, "%s ほか %d 画像", "%s and %d more images"},

    {TextId::ExportCaption, "export", 0, "取り出しの指定", "Export"},
    {TextId::ExportSourceLabel, "export", 66, "取出元ﾌｧｲﾙ", "Source"},
    {TextId::ExportSourceColon, "export", 10, " ：", " :"},
    {TextId::ExportFolderLabel, "export", 80, "取出先ﾌｫﾙﾀﾞ ：", "Export to :"},
    {TextId::ExportRangeLabel, "export", 61, "取出範囲 ：", "Icons :"},
    {TextId::ExportFormatLabel, "export", 115, "取出形式", "Formats"},
    {TextId::ExportIco, "export", 79, "ｱｲｺﾝ（*.ICO）", "Icon (*.ICO)"},
    {TextId::ExportBmp, "export", 100, "ﾋﾞｯﾄﾏｯﾌﾟ（*.BMP）", "Bitmap (*.BMP)"},
    {TextId::ExportAllSizes, "export", 79, "全ｻｲｽﾞで保存", "All sizes"},
    {TextId::ExportAllSizesHint, "export", 0, "元のすべてのｻｲｽﾞと色数をｱｲｺﾝﾌｧｲﾙに保存します",
     "Keeps every size and colour depth in the .ICO file"},
    {TextId::ExportPng, "export", 79, "PNG（*.PNG）", "PNG (*.PNG)"},
    {TextId::ExportLargestPng, "export", 56, "最大", "Largest"},
    {TextId::ExportEveryPng, "export", 56, "全ｻｲｽﾞ", "All sizes"},
    {TextId::ExportNewFolderButton, "export", 74, "ﾌｫﾙﾀﾞ作成(&D)", "New fol&der"},
    {TextId::ExportNewFolderHint, "export", 0, "新しいﾌｫﾙﾀﾞを作成します", "Creates a new folder"},
    {TextId::ExportButton, "export", 74, "取り出す(&E)", "&Export"},
    {TextId::ExportButtonHint, "export", 0, "元のﾌｧｲﾙ名＋順序番号．拡張子のﾌｧｲﾙ名で取り出します",
     "Names each file: source name + number + extension"},
    {TextId::ExportCancel, "export", 74, "ｷｬﾝｾﾙ", "Cancel"},
    {TextId::ExportFolderFailed, "messages", 0, "フォルダを作成できませんでした。", "The folder could not be created."},
    {TextId::ExportSummary, "messages", 0, "%d個のアイコンと %d個のビットマップを取り出しました。",
     "Exported %d icons and %d bitmaps."},
    {TextId::ExportSummaryWithPng, "messages", 0, "%d個のアイコンと %d個のビットマップと %d個のPNGを取り出しました。",
     "Exported %d icons, %d bitmaps and %d PNG files."},

    {TextId::NewFolderCaption, "newfolder", 0, "フォルダの作成", "New folder"},
    {TextId::NewFolderCurrentLabel, "newfolder", 91, "現在のフォルダ ：", "Current folder :"},
    {TextId::NewFolderNameLabel, "newfolder", 233, "作成するフォルダ", "Name of the new folder"},
    {TextId::NewFolderOk, "newfolder", 67, "OK", "OK"},
    {TextId::NewFolderCancel, "newfolder", 67, "ｷｬﾝｾﾙ", "Cancel"},
    {TextId::NewFolderRefusal, "messages", 0,
     "フォルダ名に指定できない文字があります。\n"
     "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\\、/、: 、\"、<、>、|",
     "A folder name cannot hold these characters:\n"
     "       \\ / : \" < > |"},

    {TextId::OverwriteCaption, "overwrite", 0, "同じ名前のファイル", "File exists"},
    {TextId::OverwriteQuestion, "overwrite", 385, "このフォルダには既に同じ名前のファイルがあります。上書きしますか？",
     "This folder already holds a file of that name. Replace it?"},
    {TextId::OverwriteNameLabel, "overwrite", 73, "ファイル名 ：", "Name :"},
    {TextId::OverwriteTimeLabel, "overwrite", 68, "更新日時 ：", "Modified :"},
    {TextId::OverwriteSizeLabel, "overwrite", 54, "サイズ ：", "Size :"},
    {TextId::OverwriteYes, "overwrite", 67, "はい(&Y)", "&Yes"},
    {TextId::OverwriteNo, "overwrite", 67, "いいえ(&N)", "&No"},
    {TextId::OverwriteAll, "overwrite", 67, "すべて(&A)", "&All"},
    {TextId::OverwriteCancel, "overwrite", 67, "ｷｬﾝｾﾙ", "Cancel"},
    {TextId::OverwriteNoFacts, "overwrite", 260, "取得に失敗しました", "Not available"},
    {TextId::OverwriteNoSize, "overwrite", 260, "??? バイト", "??? bytes"},
    {TextId::OverwriteSize, "overwrite", 0, "%s バイト", "%s bytes"},

    {TextId::AboutCaption, "about", 0, "About", "About"},
    {TextId::AboutOk, "about", 67, "OK", "OK"},
    {TextId::HintCaption, "hint", 0, "ファイルリストのヒント", "File list hint"},
    {TextId::HintOk, "hint", 67, "許します", "OK"},
    {TextId::HintDoubleClick, "hint", 0, "ファイルリストのファイル名をダブルクリックすると、アイコンを表示します。",
     "Double-click a file name in the list to see its icons."},
    {TextId::HintHeaders, "hint", 0,
     "ファイルリストのタイトルは、エクスプローラと同じようにボタンになっています。"
     "押すと、上昇順あるいは下降順にソートします。よーく見ると、＋－記号が付いていることが"
     "わかります。（この処理に一番苦労しました）",
     "The list's titles are buttons, as in Explorer: a click sorts the list up or down. Look "
     "closely and you will see a + or - mark. (This was the hardest part to make.)"},
    {TextId::HintApology, "hint", 238, "ヘルプの作り方は勉強中なのでこれで許して。",
     "Help is still being learned: sorry."},

    {TextId::DetailCaption, "detail", 0, "ｱｲｺﾝの詳細", "Icon details"},
    {TextId::DetailFileLabel, "detail", 80, "ﾌｧｲﾙ ：", "File :"},
    {TextId::DetailIndexLabel, "detail", 80, "ｱｲｺﾝ番号 ：", "Icon no. :"},
    {TextId::DetailSourceLabel, "detail", 80, "ｱｲｺﾝの元 ：", "Source :"},
    {TextId::DetailByNumberLabel, "detail", 80, "番号で参照 ：", "By number :"},
    {TextId::DetailCopyByNumber, "detail", 77, "参照をｺﾋﾟｰ", "Copy"},
    {TextId::DetailByIdLabel, "detail", 80, "IDで参照 ：", "By ID :"},
    {TextId::DetailCopyById, "detail", 77, "参照をｺﾋﾟｰ", "Copy"},
    {TextId::DetailCopy, "detail", 77, "ｺﾋﾟｰ(&C)", "&Copy image"},
    {TextId::DetailSavePng, "detail", 102, "PNGで保存(&P)...", "Save &PNG..."},
    {TextId::DetailSaveIco, "detail", 102, "ICOで保存(&O)...", "Save IC&O..."},
    {TextId::DetailClose, "detail", 77, "閉じる", "Close"},
    {TextId::DetailImageCaption, "detail", 0, "%d×%d %dﾋﾞｯﾄ%s", "%dx%d %d-bit%s"},
    {TextId::DetailPngFilter, "detail", 0, "PNG（*.PNG）", "PNG (*.PNG)"},
    {TextId::DetailIcoFilter, "detail", 0, "ｱｲｺﾝ（*.ICO）", "Icon (*.ICO)"},
    {TextId::DetailUnreadable, "detail", 0, "読めない画像", "Unreadable image"},
    {TextId::DragNoFolder, "messages", 0, "ドラッグする画像を置く一時フォルダがありません。",
     "There is no temporary folder to put the dragged image in."},

    {TextId::ConsoleUsage, "console", 0,
     "アイコンを含むファイルから、アイコンをファイルに取り出します。\r\n"
     "\r\n"
     "PICTAVOX ソース... [/O フォルダ] [/ICO[:32]] [/BMP] [/PNG[:サイズ]] [/I N[-M]] [/CUR] [/S] [/M] [/Y] [/Q]\r\n"
     "PICTAVOX ソース... /FIND 画像 [/S] [/M]\r\n"
     "\r\n"
     "  ソース     ファイル、またはフォルダ（その中のアイコンを含むファイルすべて）\r\n"
     "  /O フォルダ 書き出し先（ないときは作成。既定: カレントフォルダ）\r\n"
     "  /ICO       ファイルが持つアイコン全体（全サイズ）。形式の指定がないときの既定\r\n"
     "  /ICO:32    32×32 16色のアイコン\r\n"
     "  /BMP       32×32 のビットマップ\r\n"
     "  /PNG[:サイズ] PNG。サイズは max（既定）、256、128、96、64、48、32、24、16、all\r\n"
     "  /I N[-M]   アイコン番号 N（から M まで。0 から数える）だけ\r\n"
     "  /CUR       アイコンの代わりにカーソル（.CUR、アニメーションは .ANI。/BMP、/PNG ではその形式）\r\n"
     "  /S         フォルダの下のサブフォルダも（相対フォルダを書き出し先に作成）\r\n"
     "  /M         複数のアイコンを持つファイルだけ\r\n"
     "  /Y         既存のファイルを置き換える（既定: 残してスキップ）\r\n"
     "  /Q         エラーだけを表示\r\n"
     "  /FIND 画像 画像ファイル（PNG、BMP、ICO、GIF、JPEG）に似たアイコン 10個を、似ている順に\r\n"
     "             「似ている度合い (0～100)  パス,番号」で表示（書き出しはしない）\r\n"
     "\r\n"
     "終了コード: 0 成功、1 読めない・アイコンのないソースや書けないファイルがあった、/I の範囲にアイコンが\r\n"
     "          なかった、別のソースと名前が重なるソースを飛ばした、/FIND の画像が読めなかった、2 指定の誤り\r\n",
     "Writes the icons of files that hold icons into files.\r\n"
     "\r\n"
     "PICTAVOX SOURCE... [/O FOLDER] [/ICO[:32]] [/BMP] [/PNG[:SIZE]] [/I N[-M]] [/CUR] [/S] [/M] [/Y] [/Q]\r\n"
     "PICTAVOX SOURCE... /FIND PICTURE [/S] [/M]\r\n"
     "\r\n"
     "  SOURCE      a file, or a folder (every file in it that holds icons)\r\n"
     "  /O FOLDER   where the files go (made when missing; default: the current folder)\r\n"
     "  /ICO        the whole icon as the file stores it (every size); the default format\r\n"
     "  /ICO:32     the 32x32 16-colour icon\r\n"
     "  /BMP        the 32x32 bitmap\r\n"
     "  /PNG[:SIZE] PNG; SIZE is max (default), 256, 128, 96, 64, 48, 32, 24, 16 or all\r\n"
     "  /I N[-M]    only icon number N (to M; counted from 0)\r\n"
     "  /CUR        cursors instead of icons (.CUR, animated ones .ANI; with /BMP or /PNG those formats)\r\n"
     "  /S          the folders below too (each file's folder is made under /O)\r\n"
     "  /M          only files with two or more icons\r\n"
     "  /Y          replace existing files (default: keep them and skip)\r\n"
     "  /Q          show errors only\r\n"
     "  /FIND PICTURE the ten icons most like the picture file (PNG, BMP, ICO, GIF, JPEG), best\r\n"
     "              first, as \"LIKENESS (0-100)  PATH,INDEX\"; nothing is written\r\n"
     "\r\n"
     "Exit status: 0 done, 1 a source unread or without icons, no icon in the /I range, a source left\r\n"
     "             out because its names meet another's, a file not written, or the /FIND picture\r\n"
     "             unread; 2 usage error\r\n"},
    {TextId::ConsoleBadSwitch, "console", 0, "スイッチ %s が不正です。", "Invalid switch %s."},
    {TextId::ConsoleNoSource, "console", 0, "ファイルかフォルダを指定してください。", "Give a file or a folder."},
    {TextId::ConsoleIcoTwice, "console", 0, "/ICO と /ICO:32 は同時に指定できません。",
     "/ICO and /ICO:32 cannot be given together."},
    {TextId::ConsoleFolderNotMade, "console", 0, "フォルダ %s を作成できません", "Cannot create folder %s"},
    {TextId::ConsoleFileLine, "console", 0, "%s: ｱｲｺﾝ %s個、%s個を書き出し、%s個をスキップ",
     "%s: %s icons, %s written, %s skipped"},
    {TextId::ConsoleTotals, "console", 0, "合計: %s個のファイル、%s個を書き出し、%s個をスキップ",
     "Total: %s files, %s written, %s skipped"},
    {TextId::ConsoleInterrupted, "console", 0, "中断しました。", "Interrupted."},
    {TextId::ConsoleIconError, "console", 0, "%s: ｱｲｺﾝ %s: %s", "%s: icon %s: %s"},
    {TextId::ConsoleNamesTaken, "console", 0,
     "%s: %s はこの実行で %s から書き出したので、このファイルからは何も書き出しません",
     "%s: %s was written from %s in this run; nothing of this file is written"},
    {TextId::ConsoleRangePast, "console", 0, "%s: アイコンは %s個です。/I %s に当たるアイコンはありません",
     "%s: %s icons; none is numbered as /I %s asks"},

    {TextId::ErrorFileNotFound, "messages", 0, "ファイルが見つかりません", "File not found"},
    {TextId::ErrorBadFileName, "messages", 0, "不正なファイル名です", "Invalid file name"},
    {TextId::ErrorTooManyFiles, "messages", 0, "オープンしたファイルが多すぎます", "Too many open files"},
    {TextId::ErrorAccessDenied, "messages", 0, "ファイルへのアクセスが拒否されました", "File access denied"},
    {TextId::ErrorInOut, "messages", 0, "I/O エラー (%lu)", "I/O error (%lu)"},
    {TextId::ErrorCreateFile, "messages", 0, "ファイル %s を作成できません", "Cannot create file %s"},
    {TextId::ErrorSettingsWrite, "messages", 0, "%s に書き込めません", "Cannot write to %s"},
    {TextId::ErrorOutOfResources, "messages", 0, "システム リソースが足りません", "Out of system resources"},
    {TextId::ErrorBadIcon, "messages", 0, "アイコンイメージが不正です", "Invalid icon image"},
    {TextId::ErrorBadBitmap, "messages", 0, "ビットマップイメージが不正です", "Invalid bitmap image"},
    {TextId::ErrorUnreadableImages, "messages", 0, "読めない画像しかありません", "The icon holds only unreadable images"},
    {TextId::ErrorStreamWrite, "messages", 0, "ストリームへの書き込みエラー", "Stream write error"},
    {TextId::ErrorReplaceLeftNew, "messages", 0, "ファイル %s を作成できません。新しい内容は %s に残っています",
     "Cannot create file %s. The new content is left in %s"},
    {TextId::ErrorNoInterface, "messages", 0, "インターフェイスはサポートされていません", "Interface not supported"},
    // Finding an icon by its picture.
    {TextId::PictureUnreadable, "messages", 0, "%s は画像として読めません", "%s cannot be read as a picture"},
    {TextId::PictureTooLarge, "messages", 0, "画像が大きすぎます (%s×%s)。探せるのは %s×%s までの画像です",
     "The picture is too large (%sx%s); pictures up to %sx%s can be searched for"},
    {TextId::PictureTooSmall, "messages", 0, "画像が小さすぎます (%s×%s)。探せるのは %s×%s 以上の画像です",
     "The picture is too small (%sx%s); pictures of %sx%s or more can be searched for"},
    {TextId::ClipboardNoPicture, "messages", 0, "クリップボードに画像がありません", "The clipboard holds no picture"},
    {TextId::ConsoleFindSame, "console", 0, "同一", "same"},
    {TextId::ConsoleFindNoIcons, "console", 0, "アイコンを含むソースがありません", "No source holds icons"},
    // The icon gallery.
    {TextId::MainGalleryButton, "main", 72, "一覧(&L)...", "&Gallery..."},
    {TextId::MainGalleryHint, "main", 545, "一覧のﾌｧｲﾙのｱｲｺﾝをすべて表示します", "Shows every icon of the listed files"},
    {TextId::GalleryCaption, "gallery", 0, "ｱｲｺﾝ一覧", "Icon gallery"},
    {TextId::GallerySizeLabel, "gallery", 40, "ｻｲｽﾞ", "Size"},
    {TextId::GalleryNameLabel, "gallery", 48, "ﾌｧｲﾙ名", "Name"},
    {TextId::GalleryMinSizeLabel, "gallery", 56, "最小ｻｲｽﾞ", "Min. size"},
    {TextId::GalleryMinSizeAll, "gallery", 44, "すべて", "All"},
    {TextId::GalleryCount, "gallery", 0, "ｱｲｺﾝ %s / %s", "Icons %s / %s"},
    {TextId::GalleryReading, "gallery", 0, "読込中 %s / %s", "Reading %s / %s"},
    {TextId::GalleryHeader, "gallery", 0, "%s（%s）", "%s (%s)"},
    {TextId::GallerySame, "gallery", 0, "同一", "Same"},
    {TextId::GalleryCellTip, "gallery", 0, "%s ｱｲｺﾝ %s 最大 %s", "%s icon %s, largest %s"},
    {TextId::GalleryLikenessTip, "gallery", 0, " 類似度 %s", ", likeness %s"},
    {TextId::GalleryExportSelected, "gallery", 0, "選択したｱｲｺﾝを取り出す(&E)...", "&Export selected icons..."},
    // The gallery's search by picture.
    {TextId::GalleryFindButton, "gallery", 112, "画像で探す(&F)...", "&Find by picture..."},
    {TextId::GalleryShowAll, "gallery", 64, "すべて表示", "Show all"},
    {TextId::GallerySearching, "gallery", 0, "探索中 %s / %s ﾌｧｲﾙ", "Searching %s / %s files"},
    {TextId::GalleryFindTitle, "gallery", 0, "探す画像", "Picture to find"},
    {TextId::GalleryPictureFiles, "gallery", 0, "画像ﾌｧｲﾙ（*.PNG;*.BMP;*.ICO;*.GIF;*.JPG）",
     "Pictures (*.PNG;*.BMP;*.ICO;*.GIF;*.JPG)"},
    // Cursors. The cursor menu item and save button stand in for the icon ones, never beside them:
    // their accelerators are checked apart.
    {TextId::MainCursors, "main", 53, "ｶｰｿﾙ", "Cursors"},
    {TextId::MainCursorsHint, "main", 545, "チェックするとアイコンの代わりにｶｰｿﾙを検索します",
     "Tick to search for cursors instead of icons"},
    {TextId::MainCursorCountColumn, "main", 49, "ｶｰｿﾙ数", "Cursors"},
    {TextId::MenuCursorDetail, "cursorstrip", 0, "ｶｰｿﾙの詳細(&I)...", "Cursor &details..."},
    {TextId::DropNoCursors, "messages", 0, "%s\r\nにはカーソルがありません。", "%s\r\nThis file holds no cursors."},
    {TextId::ExportCur, "export", 86, "ｶｰｿﾙ（*.CUR）", "Cursor (*.CUR)"},
    {TextId::DetailCursorCaption, "detail", 0, "ｶｰｿﾙの詳細", "Cursor details"},
    {TextId::DetailCursorIndexLabel, "detail", 80, "ｶｰｿﾙ番号 ：", "Cursor no. :"},
    {TextId::DetailResourceIdLabel, "detail", 80, "ﾘｿｰｽID ：", "Resource ID :"},
    {TextId::DetailHotspot, "detail", 0, "ﾎｯﾄｽﾎﾟｯﾄ %s", "hotspot %s"},
    {TextId::DetailFrame, "detail", 0, "ｺﾏ %s: %s/60秒 順 %s", "frame %s: %s/60 s, steps %s"},
    {TextId::DetailSaveCur, "cursordetail", 102, "保存(&O)...", "Sa&ve..."},
    {TextId::DetailCurFilter, "detail", 0, "ｶｰｿﾙ（*.CUR）", "Cursor (*.CUR)"},
    {TextId::DetailAniFilter, "detail", 0, "ｱﾆﾒｰｼｮﾝｶｰｿﾙ（*.ANI）", "Animated cursor (*.ANI)"},
    // Damaged animated cursors: the file, then why.
    {TextId::DropDamagedCursor, "messages", 0, "%s\r\nは壊れたアニメーションカーソルです: %s。",
     "%s\r\nThis animated cursor is damaged: %s."},
    {TextId::AniChunkPastEnd, "messages", 0, "チャンクがファイルの終わりを越えています", "a chunk runs past the end of the file"},
    {TextId::AniNoHeader, "messages", 0, "ヘッダー（anih）がありません", "it has no header (anih)"},
    {TextId::AniNoFrames, "messages", 0, "コマがありません", "it has no frames"},
    {TextId::AniFrameCountMismatch, "messages", 0, "ヘッダーのコマ数かステップ数がチャンクと合いません",
     "its header counts frames or steps its chunks do not hold"},
    {TextId::AniMissingFrame, "messages", 0, "ステップがないコマを指しています", "a step names a frame it does not have"},
    {TextId::AniDamagedFrame, "messages", 0, "読めるイメージのないコマがあります", "a frame holds no readable image"},
};
static_assert(sizeof kTexts / sizeof kTexts[0] == kProgramTextCount, "one entry per text");

// Text() finds an entry by its place: the table must follow TextId's order.
constexpr bool InTextIdOrder() {
    for (std::size_t i = 0; i < sizeof kTexts / sizeof kTexts[0]; ++i)
        if (static_cast<std::size_t>(kTexts[i].id) != i) return false;
    return true;
}
static_assert(InTextIdOrder(), "the table's entries in the order of TextId");

constexpr unsigned kJapaneseCodePage = 932;
Language g_language = Language::Japanese;

}  // namespace

const ProgramText* ProgramTextTable() { return kTexts; }

Language ChooseLanguage(unsigned codePage, const std::string& setting) {
    if (codePage != kJapaneseCodePage || setting == "en") return Language::English;
    return Language::Japanese;
}

void SetLanguage(Language language) { g_language = language; }

Language CurrentLanguage() { return g_language; }

const char* Text(TextId id) {
    const ProgramText& entry = kTexts[static_cast<std::size_t>(id)];
    return g_language == Language::English ? entry.english : entry.japanese;
}

std::string TextWith(TextId id, std::initializer_list<std::string> values) {
    std::string text = Text(id);
    std::size_t from = 0;
    for (const std::string& value : values) {
        const std::size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

}  // namespace toolkit
