#pragma once
// The system's Open dialog.
#include <windows.h>

#include <string>

namespace toolkit {

struct OpenFileRequest {
    std::string title;
    std::string folder;      // where the dialog opens
    std::string filterName;  // "画像ﾌｧｲﾙ"
    std::string patterns;    // "*.png;*.bmp"
};

// The existing file the user chose; false when cancelled.
bool AskOpenPath(HWND owner, const OpenFileRequest& request, std::string& path);

}  // namespace toolkit
