#pragma once
// The system's Save As dialog.
#include <windows.h>

#include <string>

namespace toolkit {

struct SaveFileRequest {
    std::string folder;      // where the dialog opens
    std::string name;        // the proposed file name
    std::string filterName;  // "PNG（*.PNG）"
    std::string extension;   // "PNG": the filter's pattern and the extension a bare name gets
};

// The path the user chose (asked before an existing file is replaced); false when cancelled.
bool AskSavePath(HWND owner, const SaveFileRequest& request, std::string& path);

}  // namespace toolkit
