#pragma once
// The icons whose files one PICTAVOX run wrote, each known by the folder and the name its files
// share (base name and number), with the source that wrote them. Two sources of one base name
// (FOO.DLL and FOO.EXE) would otherwise write the same files in turn, the second one's icons
// silently taking the first one's place. Platform-free.
#include <string>
#include <unordered_map>

#include "icons/FileNameCase.h"
#include "toolkit/DoubleByte.h"

namespace console {

class WrittenIcons {
public:
    WrittenIcons(const icons::FileNameUpperCase& upperCase, const toolkit::LeadByteTable& codePage)
        : upperCase_(upperCase), codePage_(codePage) {}

    // The source that wrote files of icon `index` named after `baseName` into `folder`, or nullptr.
    const std::string* WriterOf(const std::string& folder, const std::string& baseName, int index) const;
    // `source` wrote files of that icon.
    void Note(const std::string& folder, const std::string& baseName, int index, const std::string& source);

private:
    // File names differ from each other only beyond letter case.
    std::string Key(const std::string& folder, const std::string& baseName, int index) const;

    const icons::FileNameUpperCase& upperCase_;
    const toolkit::LeadByteTable& codePage_;
    std::unordered_map<std::string, std::string> writers_;
};

}  // namespace console
