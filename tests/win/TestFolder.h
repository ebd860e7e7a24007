#pragma once
// A fresh folder under the temporary folder for one test, removed with everything in it.
#include <windows.h>

#include <string>

namespace testsupport {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void RemoveTree(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
// A fixture the build generated (icon files and resource DLLs with known icon counts).
std::string FixturePath(const std::string& name);

}  // namespace testsupport
