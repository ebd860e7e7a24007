// Cursors read from every layout that holds them: counts, each image's hotspot and bytes, the
// frames and steps of animated cursors, and the refusal of damaged animated cursors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "icons/IconResourceReader.h"
#include "tests/fixtures/CursorWriter.h"
#include "tests/native/FixtureFiles.h"

using icons::AnimationDamage;
using icons::IconFileKind;
using icons::ImageGroupKind;
using fixtures::Bytes;

namespace {

struct Hotspot {
    int x, y;
};

// What the fixture generator put into each cursor file (see its WriteCursors).
struct CursorFileCase {
    const char* name;
    IconFileKind kind;
    int icons;                                 // read for icons instead
    std::vector<std::vector<Hotspot>> cursors;  // each cursor's images' hotspots
};

const CursorFileCase kCursorFiles[] = {
    {"ARROW.CUR", IconFileKind::CursorFile, 0, {{{5, 3}, {10, 6}}}},
    {"BUSY.ANI", IconFileKind::AnimatedCursorFile, 0, {{{16, 0}}}},
    {"CURSORS.DLL", IconFileKind::PortableExecutable, 1, {{{1, 2}, {3, 4}}, {{7, 9}}, {{16, 0}}}},
    {"NE.EXE", IconFileKind::NewExecutable, 1, {{{1, 2}, {3, 4}}, {{7, 9}}}},
};

}  // namespace

TEST(CursorReader, EachLayoutCountsItsCursorsWithTheirHotspots) {
    for (const CursorFileCase& c : kCursorFiles) {
        SCOPED_TRACE(c.name);
        const Bytes bytes = fixturefiles::Load(fixturefiles::Dir() / "cursors" / c.name);
        ASSERT_FALSE(bytes.empty());
        icons::MemoryByteSource source(bytes);
        const icons::IconFileSummary summary = icons::ReadIconSummary(source, ImageGroupKind::Cursors);
        EXPECT_EQ(summary.kind, c.kind);
        ASSERT_EQ(summary.count, int(c.cursors.size()));
        EXPECT_EQ(std::count(summary.extractable.begin(), summary.extractable.end(), true), summary.count);
        EXPECT_EQ(icons::ReadIconSummary(source).count, c.icons);
        icons::StoredIconReader reader(source, ImageGroupKind::Cursors);
        for (std::size_t i = 0; i < c.cursors.size(); ++i) {
            const icons::StoredIcon cursor = reader.Read(int(i));
            ASSERT_EQ(cursor.size(), c.cursors[i].size()) << "cursor " << i;
            for (std::size_t k = 0; k < cursor.size(); ++k) {
                ASSERT_TRUE(cursor[k].hotspot) << "cursor " << i << " image " << k;
                EXPECT_EQ(cursor[k].hotspot->x, c.cursors[i][k].x);
                EXPECT_EQ(cursor[k].hotspot->y, c.cursors[i][k].y);
                EXPECT_TRUE(cursor[k].header.readable);
            }
        }
    }
}

TEST(CursorReader, AnimatedCursorsGiveFramesStepsAndTheirOwnBytes) {
    const Bytes ani = fixturefiles::Load(fixturefiles::Dir() / "cursors" / "BUSY.ANI");
    const Bytes dll = fixturefiles::Load(fixturefiles::Dir() / "cursors" / "CURSORS.DLL");
    icons::MemoryByteSource source(dll);
    icons::StoredIconReader reader(source, ImageGroupKind::Cursors);
    EXPECT_FALSE(reader.Animation(0));  // a plain group
    const std::optional<icons::AnimatedCursor> cursor = reader.Animation(2);
    ASSERT_TRUE(cursor);
    ASSERT_EQ(cursor->frames.size(), 3u);
    std::vector<int> steps;
    for (const icons::AnimationStep& step : cursor->steps) steps.insert(steps.end(), {step.frame, int(step.jiffies)});
    EXPECT_EQ(steps, (std::vector<int>{0, 5, 2, 6, 1, 7, 2, 8}));
    EXPECT_EQ(cursor->bytes, ani);
}

namespace {

Bytes Frame(unsigned seed) { return fixtures::MakeCursorFile({{fixtures::MakeBitmapImage(32, 4, seed), 1, 1}}); }

// The offset of the first chunk id in bytes.
std::size_t ChunkAt(const Bytes& bytes, const char* id) {
    return std::size_t(std::search(bytes.begin(), bytes.end(), id, id + 4) - bytes.begin());
}

struct AniCase {
    const char* what;
    AnimationDamage damage;
    Bytes bytes;
};

std::vector<AniCase> HostileAnis() {
    const fixtures::AniShape two = fixtures::PlainAni({Frame(1), Frame(2)});
    auto shaped = [&](auto change) {
        fixtures::AniShape s = two;
        change(s);
        return fixtures::MakeAni(s);
    };
    std::vector<AniCase> cases;
    Bytes b = fixtures::MakeAni(two);
    fixtures::Patch32(b, 4, std::uint32_t(b.size()));  // the form 8 bytes longer than the file
    cases.push_back({"form past the end", AnimationDamage::ChunkPastEnd, b});
    b = fixtures::MakeAni(two);
    fixtures::Patch32(b, ChunkAt(b, "icon") + 4, 0x7FFFFFF0u);
    cases.push_back({"frame chunk past the end", AnimationDamage::ChunkPastEnd, b});
    b = fixtures::MakeAni(two);
    std::memcpy(&b[ChunkAt(b, "anih")], "xxxx", 4);
    cases.push_back({"no header", AnimationDamage::NoHeader, b});
    cases.push_back({"header counts no frames", AnimationDamage::NoFrames, shaped([](auto& s) { s.frameCount = 0; })});
    cases.push_back({"huge frame count", AnimationDamage::FrameCountMismatch, shaped([](auto& s) { s.frameCount = 0xFFFFFFFFu; })});
    cases.push_back({"huge step count, no sequence", AnimationDamage::MissingFrame, shaped([](auto& s) { s.stepCount = 0xFFFFFFFFu; })});
    cases.push_back({"huge step count, short sequence", AnimationDamage::FrameCountMismatch, shaped([](auto& s) {
                         s.sequence = {0, 1}, s.stepCount = 0xFFFFFFFFu;
                     })});
    cases.push_back({"step names a missing frame", AnimationDamage::MissingFrame, shaped([](auto& s) { s.sequence = {0, 2}; })});
    cases.push_back({"rates fewer than steps", AnimationDamage::FrameCountMismatch, shaped([](auto& s) { s.rates = {4}; })});
    cases.push_back({"frame of no cursor", AnimationDamage::DamagedFrame, shaped([](auto& s) { s.frames[1] = Bytes(40, 7); })});
    cases.push_back({"not an animated cursor", AnimationDamage::NotAnimatedCursor, [&] {
                         Bytes wave = fixtures::MakeAni(two);
                         std::memcpy(&wave[8], "WAVE", 4);
                         return wave;
                     }()});
    return cases;
}

}  // namespace

TEST(CursorReader, DamagedAnimatedCursorsAreRefusedWithTheirReason) {
    const Bytes sound = fixtures::MakeAni(fixtures::PlainAni({Frame(1), Frame(2)}));
    icons::MemoryByteSource soundSource(sound);
    ASSERT_EQ(icons::ReadIconSummary(soundSource, ImageGroupKind::Cursors).count, 1);
    for (const AniCase& c : HostileAnis()) {
        SCOPED_TRACE(c.what);
        icons::MemoryByteSource source(c.bytes);
        const icons::IconFileSummary summary = icons::ReadIconSummary(source, ImageGroupKind::Cursors);
        EXPECT_EQ(summary.count, 0);
        EXPECT_EQ(summary.damage, c.damage);
        EXPECT_TRUE(icons::StoredIconReader(source, ImageGroupKind::Cursors).Read(0).empty());
    }
}
