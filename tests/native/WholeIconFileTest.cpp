// The whole icon as the file stores it: for healthy files byte for byte what icoutils' wrestool
// extracts for the same group; an icon file gives itself; damaged images are left out.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "app/IconResourceReader.h"
#include "export/WholeIconFileLayout.h"
#include "export/WriterErrors.h"
#include "tests/fixtures/ExecutableWriter.h"
#include "tests/fixtures/IconImageWriter.h"
#include "tests/native/FixtureFiles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes CommandOutput(const std::string& command) {
    Bytes out;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.insert(out.end(), buffer, buffer + got);
    pclose(pipe);
    return out;
}

// wrestool's arguments for each group icon in the file's order (in its first language, for files
// that have languages), with the size of the group resource it lists.
struct ListedGroup {
    std::string arguments;
    std::size_t groupSize;
};
std::vector<ListedGroup> WrestoolGroups(const std::string& path) {
    const Bytes listing = CommandOutput("wrestool -l --type=14 '" + path + "'");
    const std::string text(listing.begin(), listing.end());
    const std::regex line(R"((--name=\S+)( --language=\S+)? \[type=group_icon offset=\S+ size=(\d+)\])");
    std::vector<ListedGroup> groups;
    std::vector<std::string> names;
    for (auto m = std::sregex_iterator(text.begin(), text.end(), line); m != std::sregex_iterator(); ++m) {
        if (std::find(names.begin(), names.end(), (*m)[1].str()) != names.end()) continue;
        names.push_back((*m)[1]);
        groups.push_back({(*m)[1].str() + (*m)[2].str(), std::stoul((*m)[3])});
    }
    return groups;
}

std::string Tail(const Bytes& bytes, std::size_t from) { return std::string(bytes.begin() + from, bytes.end()); }

}  // namespace

TEST(WholeIconFile, EveryGroupIsWhatWrestoolExtracts) {
    if (CommandOutput("command -v wrestool").empty()) GTEST_SKIP() << "icoutils are not installed";
    for (const char* name : {"ONE.DLL", "TWELVE.DLL", "shapes/PE64.DLL", "shapes/PE32.DLL", "shapes/NE.EXE"}) {
        const std::string path = fixturefiles::Dir() / name;
        const Bytes bytes = fixturefiles::Load(path);
        const std::vector<ListedGroup> groups = WrestoolGroups(path);
        app::MemoryByteSource source(bytes);
        ASSERT_EQ(app::ReadIconSummary(source).count, static_cast<int>(groups.size())) << name;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            SCOPED_TRACE(std::string(name) + " " + groups[i].arguments);
            const Bytes extracted = CommandOutput("wrestool -x --type=14 " + groups[i].arguments + " '" + path + "' 2>/dev/null");
            const Bytes whole = iconexport::BuildWholeIconFile(app::ReadStoredIcon(source, static_cast<int>(i)));
            // wrestool 0.32 sizes its output at least one group resource too large (by the stored
            // image sizes, not the ones it copies): the bytes after the last image belong to no
            // image, memory it never filled, so they are left out of the match.
            ASSERT_GE(extracted.size(), whole.size() + groups[i].groupSize);
            EXPECT_EQ(Bytes(extracted.begin(), extracted.begin() + whole.size()), whole);
        }
    }
}

TEST(WholeIconFile, AnIconFileIsItsOwnWholeIconAndDamagedImagesAreLeftOut) {
    for (const char* name : {"SIZES.ICO", "shapes/PNG.ICO"}) {
        const Bytes bytes = fixturefiles::Load(fixturefiles::Dir() / name);
        app::MemoryByteSource source(bytes);
        EXPECT_EQ(iconexport::BuildWholeIconFile(app::ReadStoredIcon(source, 0)), bytes) << name;
        EXPECT_TRUE(app::ReadStoredIcon(source, 1).empty()) << name;
    }
    // One group naming images 1 to 4: 2 is missing, 3 has a header its bits do not fit.
    using namespace fixtures;
    const IconImage a = MakeBitmapImage(16, 4, 1), b = MakeBitmapImage(32, 8, 2), d = MakePngImage(48, 3);
    IconImage c = MakeBitmapImage(32, 32, 4);
    c.bytes.resize(60);
    std::vector<Resource> resources{{kRtGroupIcon, 1, 0x409, MakeGroupIcon({a, b, c, d}, 1)},
                                    {kRtIcon, 1, 0x409, a.bytes}, {kRtIcon, 3, 0x409, c.bytes}, {kRtIcon, 4, 0x409, d.bytes}};
    const Bytes pe = MakePe(resources, true).bytes;
    app::MemoryByteSource source(pe);
    const Bytes whole = iconexport::BuildWholeIconFile(app::ReadStoredIcon(source, 0));
    ASSERT_EQ(whole.size(), 6 + 2 * 16 + a.bytes.size() + d.bytes.size());
    EXPECT_EQ(Bytes(whole.begin(), whole.begin() + 6), (Bytes{0, 0, 1, 0, 2, 0}));
    EXPECT_EQ(Tail(whole, 6 + 32), std::string(a.bytes.begin(), a.bytes.end()) + std::string(d.bytes.begin(), d.bytes.end()));
    // With every image damaged nothing is left, and the writer refuses an empty icon.
    resources.erase(resources.begin() + 1);
    resources.pop_back();
    const Bytes broken = MakePe(resources, true).bytes;
    app::MemoryByteSource brokenSource(broken);
    EXPECT_TRUE(app::ReadStoredIcon(brokenSource, 0).empty());
    EXPECT_THROW(iconexport::BuildWholeIconFile({}), iconexport::EInvalidGraphic);
}
