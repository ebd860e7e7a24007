#pragma once
// The file list (CF_HDROP) a drag carries, read from its data object and released when the
// holder goes.
#include <windows.h>
#include <objidl.h>

#include <string>

namespace foldertree {

class DroppedFiles {
public:
    explicit DroppedFiles(IDataObject* data);
    ~DroppedFiles();
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    // The data object gave a file list.
    bool Available() const { return available_; }
    UINT Count() const;
    // The first path, when its ANSI form fits the read buffer (260 bytes): a longer one is
    // refused (false), never cut short into the name of some other item.
    bool FirstPath(std::string& path) const;
    // One path, read whole: what a drop onto the tree accepts.
    bool SinglePath(std::string& path) const { return Count() == 1 && FirstPath(path); }

private:
    HDROP Drop() const { return static_cast<HDROP>(medium_.hGlobal); }
    STGMEDIUM medium_{};
    bool available_ = false;
};

}  // namespace foldertree
