// The whole icon as the file stores it: for healthy files byte for byte what icoutils' wrestool
// extracts for the same group; an icon file gives itself; damaged images are left out.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <set>

#include "icons/IconResourceReader.h"
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
    char buffer[4096];
    for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.insert(out.end(), buffer, buffer + got);
    if (pipe) pclose(pipe);
    return out;
}

Bytes WholeIcon(const Bytes& file, int index) {
    icons::MemoryByteSource source(file);
    return iconexport::BuildWholeIconFile(icons::ReadStoredIcon(source, index));
}

}  // namespace

TEST(WholeIconFile, EveryGroupIsWhatWrestoolExtracts) {
    if (CommandOutput("command -v wrestool").empty()) GTEST_SKIP() << "icoutils are not installed";
    for (const char* name : {"ONE.DLL", "TWELVE.DLL", "shapes/PE64.DLL", "shapes/PE32.DLL", "shapes/NE.EXE"}) {
        const std::string path = fixturefiles::Dir() / name;
        const Bytes bytes = fixturefiles::Load(path), listing = CommandOutput("wrestool -l --type=14 '" + path + "'");
        // Each group in the file's order, in its first language where the file has languages.
        const std::string text(listing.begin(), listing.end());
        const std::regex line(R"((--name=\S+)( --language=\S+)? \[type=group_icon offset=\S+ size=(\d+)\])");
        std::set<std::string> seen;
        int index = 0;
        for (auto m = std::sregex_iterator(text.begin(), text.end(), line); m != std::sregex_iterator(); ++m) {
            if (!seen.insert((*m)[1]).second) continue;
            SCOPED_TRACE(std::string(name) + " " + (*m)[1].str());
            const Bytes extracted = CommandOutput("wrestool -x --type=14 " + (*m)[1].str() + (*m)[2].str() + " '" + path + "' 2>/dev/null");
            const Bytes whole = WholeIcon(bytes, index++);
            // wrestool 0.32 sizes its output at least one group resource too large (by the stored
            // image sizes, not the ones it copies): the bytes after the last image belong to no
            // image, memory it never filled, so they are left out of the match.
            ASSERT_GE(extracted.size(), whole.size() + std::stoul((*m)[3]));
            EXPECT_EQ(Bytes(extracted.begin(), extracted.begin() + whole.size()), whole);
        }
        icons::MemoryByteSource source(bytes);
        EXPECT_EQ(icons::ReadIconSummary(source).count, index) << name;
    }
}

TEST(WholeIconFile, AnIconFileIsItsOwnWholeIconAndDamagedImagesAreLeftOut) {
    for (const char* name : {"SIZES.ICO", "shapes/PNG.ICO"}) {
        const Bytes bytes = fixturefiles::Load(fixturefiles::Dir() / name);
        EXPECT_EQ(WholeIcon(bytes, 0), bytes) << name;
        EXPECT_THROW(WholeIcon(bytes, 1), iconexport::EInvalidGraphic) << name;
    }
    // One group naming images 1 to 4: 2 is missing, 3 has a header its bits do not fit.
    using namespace fixtures;
    const IconImage a = MakeBitmapImage(16, 4, 1), b = MakeBitmapImage(32, 8, 2), d = MakePngImage(48, 3);
    IconImage c = MakeBitmapImage(32, 32, 4);
    c.bytes.resize(60);
    std::vector<Resource> resources{{kRtGroupIcon, 1, 0x409, MakeGroupIcon({a, b, c, d}, 1)},
                                    {kRtIcon, 1, 0x409, a.bytes}, {kRtIcon, 3, 0x409, c.bytes}, {kRtIcon, 4, 0x409, d.bytes}};
    const Bytes whole = WholeIcon(MakePe(resources, true).bytes, 0);
    Bytes expected{0, 0, 1, 0, 2, 0};
    expected.resize(6 + 2 * 16);  // the entries: fields from the group, sizes and offsets computed
    std::copy_n(MakeIconFile({a, d}).begin() + 6, 32, expected.begin() + 6);
    expected.insert(expected.end(), a.bytes.begin(), a.bytes.end());
    expected.insert(expected.end(), d.bytes.begin(), d.bytes.end());
    EXPECT_EQ(whole, expected);
    // With every image damaged nothing is left, and the writer refuses the empty icon.
    resources.erase(resources.begin() + 1);
    resources.pop_back();
    EXPECT_THROW(WholeIcon(MakePe(resources, true).bytes, 0), iconexport::EInvalidGraphic);
}

// A cursor file read and written again is itself, hotspots and all.
TEST(WholeIconFile, ACursorFileIsItsOwnWholeCursor) {
    const Bytes bytes = fixturefiles::Load(fixturefiles::Dir() / "cursors" / "ARROW.CUR");
    icons::MemoryByteSource source(bytes);
    EXPECT_EQ(iconexport::BuildWholeIconFile(icons::StoredIconReader(source, icons::ImageGroupKind::Cursors).Read(0)), bytes);
}
