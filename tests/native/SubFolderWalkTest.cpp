// The sub-folder walk over a made-up file system: depth first in listing order, every folder once.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "icons/SubFolderWalk.h"

namespace {

struct FakeEntry {
    std::string name;
    bool folder = false, reparse = false;
};

// Folders by full path, each with its entries and identity; a folder missing from `listable`
// cannot be listed, as one the user may not enter.
struct FakeFileSystem : icons::WalkedFileSystem {
    std::map<std::string, std::vector<FakeEntry>> listable;
    std::map<std::string, icons::FolderIdentity> identities;
    static std::string Key(const std::string& path) { return path.back() == '\\' ? path.substr(0, path.size() - 1) : path; }
    bool List(const std::string& folder, const std::function<bool(const icons::ListedEntry&)>& each) override {
        const auto found = listable.find(Key(folder));
        for (std::size_t i = 0; found != listable.end() && i < found->second.size(); ++i)
            if (!each({found->second[i].name, found->second[i].folder, found->second[i].reparse, nullptr})) break;
        return found != listable.end();
    }
    bool IdentityOf(const std::string& folder, icons::FolderIdentity& identity) override {
        const auto found = identities.find(Key(folder));
        if (found != identities.end()) identity = found->second;
        return found != identities.end();
    }
};

// Folders as "<path>\", files as their paths; stops the walk after stopAfter of them.
struct Recorder : icons::WalkVisitor {
    std::vector<std::string> visited;
    std::size_t stopAfter = 1000;
    bool Folder(const std::string& path) override { return Record(path + "\\"); }
    bool File(const std::string& path, const icons::ListedEntry&) override { return Record(path); }
    bool Record(const std::string& what) {
        visited.push_back(what);
        return visited.size() < stopAfter;
    }
};

}  // namespace

TEST(SubFolderWalk, EntersEachFolderOnceInListingOrderAndNamesFilesFromTheSearchFolder) {
    const std::string root = "C:\\R";  // 4 bytes: with "\" and a name of 254 the path is 259 long
    const std::string longName(101, 'n'), fits(254 - 4, 'f'), tooLong(255 - 4, 't');
    // The limit counts characters: 250 double-byte ones and ".DLL" fit in 504 bytes, 251 do not.
    std::string wideFits, wideTooLong = "\x88\x9F";
    for (int i = 0; i < 250; ++i) wideFits += "\x88\x9F", wideTooLong += "\x88\x9F";
    FakeFileSystem fs;
    fs.listable = {
        {root, {{".", true}, {"..", true}, {"A.DLL"}, {"sub", true}, {longName + ".DLL"}, {fits + ".DLL"}, {tooLong + ".DLL"},
                {wideFits + ".DLL"}, {wideTooLong + ".DLL"}}},
        {root + "\\sub", {{"deeper", true}, {"link", true, true}, {"locked", true}, {"B.DLL"}, {"other", true}, {"zero", true}}},
        {root + "\\sub\\other", {{"D.DLL"}}},  // another volume's folder of sub's index
        {root + "\\sub\\zero", {{"zero", true}}},  // index 0: unknown, not the same folder twice
        {root + "\\sub\\zero\\zero", {{"E.DLL"}}},
        {root + "\\sub\\deeper", {{"A.DLL"}, {"up", true}, {"again", true}}},
        {root + "\\sub\\deeper\\up", {{"A.DLL"}}},     // the root again, as Wine shows a Unix link
        {root + "\\sub\\deeper\\again", {{"C.DLL"}}},  // no identity to be had: entered
        {root + "\\sub\\link", {{"A.DLL"}}},            // a junction: never entered
    };
    fs.identities = {{root, {1, 1}}, {root + "\\sub", {1, 2}}, {root + "\\sub\\deeper", {1, 3}},
                     {root + "\\sub\\deeper\\up", {1, 1}}, {root + "\\sub\\link", {1, 4}}, {root + "\\sub\\locked", {1, 5}},
                     {root + "\\sub\\other", {2, 2}}, {root + "\\sub\\zero", {1, 0}}, {root + "\\sub\\zero\\zero", {1, 0}}};
    const std::vector<std::string> expected{
        "\\", "A.DLL", "sub\\", "sub\\deeper\\", "sub\\deeper\\A.DLL", "sub\\deeper\\again\\",
        "sub\\deeper\\again\\C.DLL", "sub\\locked\\", "sub\\B.DLL", "sub\\other\\", "sub\\other\\D.DLL", "sub\\zero\\",
        "sub\\zero\\zero\\", "sub\\zero\\zero\\E.DLL", longName + ".DLL", fits + ".DLL", wideFits + ".DLL"};
    for (std::size_t stopAfter : {expected.size() + 1, std::size_t(5)}) {
        Recorder recorder;
        recorder.stopAfter = stopAfter;
        EXPECT_EQ(icons::WalkSubFolders(fs, root, 259, recorder, toolkit::LeadByteTable::ShiftJis()), stopAfter > expected.size());
        EXPECT_EQ(recorder.visited, std::vector<std::string>(expected.begin(), expected.begin() + std::min(stopAfter, expected.size())));
    }
}
