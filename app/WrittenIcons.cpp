#include "app/WrittenIcons.h"

#include "icons/PathNames.h"
#include "export/ExportFileNames.h"

namespace console {

std::string WrittenIcons::Key(const std::string& folder, const std::string& baseName, int index) const {
    std::string key;
    upperCase_.Apply(icons::DirYen(folder, codePage_) + iconexport::ExportFileName(baseName, index, ""), key);
    return key;
}

const std::string* WrittenIcons::WriterOf(const std::string& folder, const std::string& baseName, int index) const {
    const auto found = writers_.find(Key(folder, baseName, index));
    return found == writers_.end() ? nullptr : &found->second;
}

void WrittenIcons::Note(const std::string& folder, const std::string& baseName, int index, const std::string& source) {
    writers_.emplace(Key(folder, baseName, index), source);
}

}  // namespace console
