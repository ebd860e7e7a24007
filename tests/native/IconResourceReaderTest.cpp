#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "icons/IconResourceReader.h"
#include "tests/fixtures/ExecutableWriter.h"
#include "tests/fixtures/IconImageWriter.h"
#include "tests/native/FixtureFiles.h"

using icons::IconFileKind;
using icons::IconFileSummary;
using icons::MemoryByteSource;
using fixtures::Bytes;
namespace fs = std::filesystem;

namespace {

IconFileSummary Summarize(const Bytes& bytes) {
    MemoryByteSource source(bytes);
    return icons::ReadIconSummary(source);
}

IconFileSummary SummarizeFile(const fs::path& path) {
    const Bytes bytes = fixturefiles::Load(path);
    EXPECT_TRUE(fs::exists(path)) << path;
    return Summarize(bytes);
}

void ExpectSummary(const fs::path& path, IconFileKind kind, int count) {
    const IconFileSummary s = SummarizeFile(path);
    EXPECT_EQ(s.kind, kind) << path;
    EXPECT_EQ(s.count, count) << path;
}

}  // namespace

TEST(IconReaderFixtures, CountsGroupsOfTheResourceOnlyDlls) {
    ExpectSummary(fixturefiles::Dir() / "ONE.DLL", IconFileKind::PortableExecutable, 1);
    ExpectSummary(fixturefiles::Dir() / "TWO.DLL", IconFileKind::PortableExecutable, 2);
    ExpectSummary(fixturefiles::Dir() / "TWELVE.DLL", IconFileKind::PortableExecutable, 12);
    ExpectSummary(fixturefiles::Dir() / "FORTY.DLL", IconFileKind::PortableExecutable, 40);
}

TEST(IconReaderFixtures, IconFileIsOneIconWhateverItsImageCount) {
    ExpectSummary(fixturefiles::Dir() / "SIZES.ICO", IconFileKind::IconFile, 1);
    ExpectSummary(fixturefiles::Dir() / "shapes" / "PNG.ICO", IconFileKind::IconFile, 1);
    ExpectSummary(fixturefiles::Dir() / "shapes" / "PNGONLY.ICO", IconFileKind::IconFile, 1);
}

TEST(IconReaderFixtures, FilesWithoutIconsCountNone) {
    ExpectSummary(fixturefiles::Dir() / "NOTE.TXT", IconFileKind::None, 0);
    ExpectSummary(fixturefiles::Dir() / "EMPTY.DAT", IconFileKind::None, 0);
    ExpectSummary(fixturefiles::Dir() / "shapes" / "NOICONS.DLL", IconFileKind::PortableExecutable, 0);
}

TEST(IconReaderFixtures, BothPeFlavoursAndNeCountGroupsNotLanguagesOrImages) {
    // Three groups, one of them in two languages, seven images.
    ExpectSummary(fixturefiles::Dir() / "shapes" / "PE64.DLL", IconFileKind::PortableExecutable, 3);
    ExpectSummary(fixturefiles::Dir() / "shapes" / "PE32.DLL", IconFileKind::PortableExecutable, 3);
    ExpectSummary(fixturefiles::Dir() / "shapes" / "NE.EXE", IconFileKind::NewExecutable, 2);
}

// Every damaged corpus file holds at least one icon that must never reach the shell.
TEST(IconReaderFixtures, NoCorpusFileIsExtractableInFull) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fixturefiles::Dir() / "corpus")) {
        ++files;
        const IconFileSummary s = SummarizeFile(entry.path());
        ASSERT_EQ(s.extractable.size(), static_cast<std::size_t>(s.count)) << entry.path();
        if (s.count > 0) {
            EXPECT_NE(std::count(s.extractable.begin(), s.extractable.end(), true), s.count) << entry.path();
        }
    }
    EXPECT_GE(files, 30);
}

// A file cut short keeps the count while its directories are whole (the shell counts it so), but
// an icon whose bytes are cut off is no longer extractable; a cut never makes one extractable.
TEST(IconReaderFixtures, CuttingAFileNeverLeavesACutIconExtractable) {
    for (const char* name : {"ONE.DLL", "TWO.DLL", "SIZES.ICO", "shapes/PE32.DLL", "shapes/NE.EXE", "shapes/PNG.ICO"}) {
        const Bytes whole = fixturefiles::Load(fixturefiles::Dir() / name);
        const IconFileSummary full = Summarize(whole);
        ASSERT_GT(full.count, 0) << name;
        ASSERT_EQ(full.extractable, std::vector<bool>(full.count, true)) << name;
        const std::size_t step = std::max<std::size_t>(1, whole.size() / 2000);
        long previous = 0;
        for (std::size_t size = 0; size < whole.size(); size += step) {
            const IconFileSummary cut = Summarize(Bytes(whole.begin(), whole.begin() + size));
            ASSERT_TRUE(cut.count == 0 || cut.count == full.count) << name << " cut to " << size;
            const long good = std::count(cut.extractable.begin(), cut.extractable.end(), true);
            ASSERT_GE(good, previous) << name << " cut to " << size;  // more bytes, never fewer icons
            previous = good;
            if (size < whole.size() / 2) ASSERT_LT(good, full.count) << name << " cut to " << size;
        }
    }
}

namespace {

std::vector<fixtures::Resource> Group(unsigned id, unsigned firstImage, const std::vector<fixtures::IconImage>& images) {
    std::vector<fixtures::Resource> r{{fixtures::kRtGroupIcon, id, 0x409, fixtures::MakeGroupIcon(images, firstImage)}};
    for (const auto& image : images) r.push_back({fixtures::kRtIcon, firstImage++, 0x409, image.bytes});
    return r;
}

}  // namespace

TEST(IconReaderShapes, MzWithoutKnownNewHeaderOrOtherSignaturesCountNone) {
    Bytes mz = fixtures::MakePe(Group(1, 1, {fixtures::MakeBitmapImage(32, 4, 1)}), true).bytes;
    ASSERT_EQ(Summarize(mz).count, 1);
    mz[0x40] = 'L', mz[0x41] = 'E';
    EXPECT_EQ(Summarize(mz).kind, IconFileKind::None);
    EXPECT_EQ(Summarize(mz).count, 0);

    Bytes cursor = fixtures::MakeIconFile({fixtures::MakeBitmapImage(32, 4, 1)});
    ASSERT_EQ(Summarize(cursor).count, 1);
    cursor[2] = 2;  // a cursor file
    EXPECT_EQ(Summarize(cursor).count, 0);
    EXPECT_EQ(Summarize(Bytes{0, 0, 1, 0, 1}).count, 0);  // shorter than the header
}

TEST(IconReaderShapes, ImageChecksFollowTheBitmapLayout) {
    using fixtures::MakeBitmapImage;
    // An icon file counts 1 whatever its images: the check decides whether that icon is extractable.
    auto countWith = [](fixtures::IconImage image) {
        const IconFileSummary s = Summarize(fixtures::MakeIconFile({image}));
        return s.count == 1 && s.extractable == std::vector<bool>{true} ? 1 : 0;
    };
    for (int depth : {4, 8, 32}) EXPECT_EQ(countWith(MakeBitmapImage(48, depth, 1)), 1) << depth;
    fixtures::IconImage noMask = MakeBitmapImage(32, 32, 1);
    noMask.bytes.resize(noMask.bytes.size() - 4 * 32);  // the 1-bit mask is missing
    EXPECT_EQ(countWith(noMask), 0);
    fixtures::IconImage fewColours = MakeBitmapImage(32, 8, 1);
    fixtures::Patch32(fewColours.bytes, 32, 16);  // 16 colours used: the table may be shorter
    EXPECT_EQ(countWith(fewColours), 1);
    fixtures::Patch32(fewColours.bytes, 32, 257);  // more colours than 8 bits can index
    EXPECT_EQ(countWith(fewColours), 0);
    fixtures::IconImage compressed = MakeBitmapImage(32, 4, 1);
    fixtures::Patch32(compressed.bytes, 16, 2);  // run-length encoded
    EXPECT_EQ(countWith(compressed), 0);
}

TEST(IconReaderShapes, PeGroupsAreCheckedAcrossEveryLanguageAndImage) {
    using Flags = std::vector<bool>;
    auto resources = Group(1, 1, {fixtures::MakeBitmapImage(32, 4, 1), fixtures::MakeBitmapImage(16, 4, 2)});
    ASSERT_EQ(Summarize(fixtures::MakePe(resources, true).bytes).extractable, Flags{true});

    auto badSecondLanguage = resources;
    badSecondLanguage.push_back({fixtures::kRtGroupIcon, 1, 0x411, fixtures::MakeGroupIcon({fixtures::MakeBitmapImage(32, 4, 1)}, 9)});
    EXPECT_EQ(Summarize(fixtures::MakePe(badSecondLanguage, true).bytes).extractable, Flags{false});

    auto badSecondImageLanguage = resources;
    badSecondImageLanguage.push_back({fixtures::kRtIcon, 2, 0x411, Bytes(8, 0)});
    EXPECT_EQ(Summarize(fixtures::MakePe(badSecondImageLanguage, false).bytes).extractable, Flags{false});

    auto sharing = resources;
    sharing.push_back({fixtures::kRtGroupIcon, 2, 0x409, fixtures::MakeGroupIcon({fixtures::MakeBitmapImage(32, 4, 1)}, 1)});
    EXPECT_EQ(Summarize(fixtures::MakePe(sharing, true).bytes).extractable, (Flags{true, true}))
        << "two groups may share an image";

    // Groups count without any icon resource, and none of them is extractable then.
    auto groupsOnly = resources;
    groupsOnly.pop_back(), groupsOnly.pop_back();
    const IconFileSummary noIcons = Summarize(fixtures::MakePe(groupsOnly, true).bytes);
    EXPECT_EQ(noIcons.count, 1);
    EXPECT_EQ(noIcons.extractable, Flags{false});
}

TEST(IconReaderShapes, PeHeadersAreChecked) {
    const fixtures::PeFile pe = fixtures::MakePe(Group(1, 1, {fixtures::MakeBitmapImage(32, 4, 1)}), true);
    ASSERT_EQ(Summarize(pe.bytes).count, 1);
    Bytes b = pe.bytes;
    fixtures::Patch16(b, 0x40 + 4 + 20, 0x10C);  // unknown optional-header magic
    EXPECT_EQ(Summarize(b).count, 0);
    b = pe.bytes, fixtures::Patch32(b, pe.resourceDataDirectory - 20, 2);  // two directory slots: no resources
    EXPECT_EQ(Summarize(b).count, 0);
    b = pe.bytes, fixtures::Patch16(b, 0x40 + 4 + 2, 0);  // no sections
    EXPECT_EQ(Summarize(b).count, 0);
    b = pe.bytes, fixtures::Patch32(b, pe.sectionHeader + 16, 0x10);  // raw data too short for the tree
    EXPECT_EQ(Summarize(b).count, 0);
}

// Stored images of odd and hostile shapes, each read quickly and never larger than the file.
TEST(IconReaderShapes, StoredImagesOfOddAndHostileShapes) {
    using namespace fixtures;
    const IconImage a = MakeBitmapImage(16, 4, 1), b = MakeBitmapImage(32, 8, 2), png = MakePngImage(256, 3);
    auto declaring = [](Bytes group, std::size_t entry, std::uint32_t size) { return Patch32(group, 6 + 14 * entry + 8, size), group; };
    // An icon file of 8,000 entries naming one 256-pixel image.
    Bytes repeated{0, 0, 1, 0, 0x40, 0x1F}, entry = MakeIconFile({png});
    Patch32(entry, 6 + 12, 6 + 16 * 8000);
    for (int i = 0; i < 8000; ++i) repeated.insert(repeated.end(), entry.begin() + 6, entry.begin() + 22);
    repeated.insert(repeated.end(), png.bytes.begin(), png.bytes.end());
    // A group of 65,535 entries naming one icon held in 65,535 languages (~3 MB).
    std::vector<Resource> languages{{kRtGroupIcon, 1, 0x409, MakeGroupIcon(std::vector<IconImage>(65535, a), 1)}};
    for (unsigned language = 1; language <= 65535; ++language)
        languages.push_back({kRtIcon, 1, language, language == 0x409 ? a.bytes : Bytes(8, 0)});
    // The same group and its image each in 65,535 languages: the first language's image.
    std::vector<Resource> bothInLanguages;
    for (unsigned language = 1; language <= 65535; ++language) {
        bothInLanguages.push_back({kRtGroupIcon, 1, language, MakeGroupIcon({a}, 1)});
        bothInLanguages.push_back({kRtIcon, 1, language, language == 1 ? a.bytes : Bytes(8, 0)});
    }
    const struct { const char* shape; Bytes file; int index; std::vector<Bytes> images; } rows[] = {
        {"group and image x languages", MakePe(bothInLanguages, true).bytes, 0, {a.bytes}},
        {"group in two languages", MakePe({{kRtGroupIcon, 1, 0x409, MakeGroupIcon({a}, 1)}, {kRtGroupIcon, 1, 0x411, MakeGroupIcon({b, b}, 1)},
                                           {kRtIcon, 1, 0x409, a.bytes}, {kRtIcon, 1, 0x411, b.bytes}, {kRtIcon, 2, 0x411, b.bytes}}, true).bytes,
         0, {a.bytes}},
        {"repeated image", repeated, 0, {png.bytes}},
        {"group x languages", MakePe(languages, true).bytes, 0, {a.bytes}},
        {"PNG larger than declared", MakePe({{kRtGroupIcon, 1, 0x409, declaring(MakeGroupIcon({png}, 1), 0, png.bytes.size() / 2)},
                                             {kRtIcon, 1, 0x409, png.bytes}}, true).bytes, 0, {png.bytes}},
        {"declaring 0 bytes", MakePe({{kRtGroupIcon, 1, 0x409, declaring(MakeGroupIcon({a, b}, 1), 1, 0)},
                                      {kRtIcon, 1, 0x409, a.bytes}, {kRtIcon, 2, 0x409, b.bytes}}, false).bytes, 0, {a.bytes, b.bytes}},
        {"two languages", MakePe({{kRtGroupIcon, 1, 0x411, MakeGroupIcon({a}, 1)}, {kRtIcon, 1, 0x409, a.bytes},
                                  {kRtIcon, 1, 0x411, b.bytes}}, true).bytes, 0, {b.bytes}},
        {"NE missing id", MakeNe({{kRtGroupIcon, 1, 0, MakeGroupIcon({a, b}, 1)}, {kRtIcon, 1, 0, a.bytes},
                                  {kRtIcon, 3, 0, b.bytes}}).bytes, 0, {a.bytes}},
        {"index equal to the count", MakeNe({{kRtGroupIcon, 1, 0, MakeGroupIcon({a}, 1)}, {kRtIcon, 1, 0, a.bytes}}).bytes, 1, {}},
    };
    for (const auto& row : rows) {
        const auto start = std::chrono::steady_clock::now();
        MemoryByteSource source(row.file);
        EXPECT_EQ(icons::ReadIconSummary(source).count, 1) << row.shape;
        std::vector<Bytes> images;
        for (const icons::StoredIconImage& image : icons::ReadStoredIcon(source, row.index)) images.push_back(image.bytes);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << row.shape;
        EXPECT_EQ(images, row.images) << row.shape;
    }
}
