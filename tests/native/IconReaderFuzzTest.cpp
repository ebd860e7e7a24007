// Deterministic mutations of the fixtures. Under AddressSanitizer any read outside the reader's
// buffers fails the run; the source below also fails any request outside the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "icons/IconResourceReader.h"
#include "export/BitmapImagePixels.h"
#include "export/ClipboardDibs.h"
#include "export/PictureLikeness.h"
#include "export/PngSizeChoice.h"
#include "tests/native/FixtureFiles.h"

namespace {

class WatchedSource : public icons::ByteSource {
public:
    explicit WatchedSource(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool Read(std::uint64_t offset, void* out, std::size_t count) override {
        if (offset > bytes_.size() || count > bytes_.size() - offset) {
            ++outside;
            return false;
        }
        std::copy_n(bytes_.data() + offset, count, static_cast<std::uint8_t*>(out));
        bytesRead += count;
        return true;
    }
    int outside = 0;
    std::uint64_t bytesRead = 0;

private:
    const std::vector<std::uint8_t>& bytes_;
};

class XorShift {
public:
    explicit XorShift(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13, state_ ^= state_ >> 17, state_ ^= state_ << 5;
        return state_;
    }
    std::uint32_t Below(std::uint32_t n) { return Next() % n; }

private:
    std::uint32_t state_;
};

// Structures sit near the start of each file and in the directories; most mutations go there.
std::size_t PickOffset(XorShift& rng, std::size_t size) {
    const std::size_t headerRegion = std::min<std::size_t>(size, 1024);
    return rng.Below(4) ? rng.Below(static_cast<std::uint32_t>(headerRegion)) : rng.Below(static_cast<std::uint32_t>(size));
}

std::uint8_t Interesting(XorShift& rng) {
    static const std::uint8_t values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0xFE, 0x10, 0x40};
    return rng.Below(2) ? values[rng.Below(sizeof values)] : static_cast<std::uint8_t>(rng.Next());
}

// What every user does with a stored icon: chooses its PNG sizes and decodes each readable bitmap
// from its checked record (AddressSanitizer fails any read past the image's bytes).
void DecodeEveryImage(const icons::StoredIcon& icon) {
    for (int size : {16, iconexport::kLargestPngSize, iconexport::kEveryPngSize})
        for (const iconexport::PngChoice& choice : iconexport::ChoosePngImages(iconexport::FactsOf(icon), size))
            ASSERT_TRUE(icon[choice.image].header.readable);
    for (const icons::StoredIconImage& image : icon) {
        if (image.header.IsPng() || !image.header.readable) continue;
        const iconexport::ImagePixels pixels = iconexport::BitmapImagePixels(image);
        ASSERT_EQ(pixels.bgra.size(), std::size_t(image.header.width) * image.header.height * 4);
        // Reduced for finding an icon by its picture, as it lies in a square of its longer side.
        const int side = std::max(pixels.width, pixels.height);
        iconexport::IconKeyOf(pixels, {0, side, side, pixels.width, pixels.height, false});
    }
    // A bitmap's bytes are a clipboard bitmap's: read back as one, whatever their header says.
    for (const icons::StoredIconImage& image : icon) {
        const std::vector<std::uint8_t> file = iconexport::BitmapFileOfDib(image.bytes);
        if (!file.empty()) {
            ASSERT_EQ(file.size(), image.bytes.size() + 14);
        }
    }
}

}  // namespace

TEST(IconReaderFuzz, MutatedFixturesNeverLeaveTheirBytes) {
    const char* names[] = {"ONE.DLL", "TWO.DLL", "TWELVE.DLL", "SIZES.ICO", "shapes/PE32.DLL",
                           "shapes/NE.EXE", "shapes/PNG.ICO", "corpus/pe-group-missing-icon.dll",
                           "cursors/CURSORS.DLL", "cursors/NE.EXE", "cursors/BUSY.ANI", "cursors/ARROW.CUR"};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    int runs = 0, stillCounted = 0;
    XorShift rng(20240601u);
    for (const char* name : names) {
        std::vector<std::uint8_t> bytes = fixturefiles::Load(fixturefiles::Dir() / name);
        ASSERT_FALSE(bytes.empty()) << name;
        for (int round = 0; round < 2500 && std::chrono::steady_clock::now() < deadline; ++round, ++runs) {
            std::vector<std::uint8_t> mutated = bytes;
            const int edits = 1 + static_cast<int>(rng.Below(6));
            for (int e = 0; e < edits; ++e) mutated[PickOffset(rng, mutated.size())] = Interesting(rng);
            if (rng.Below(8) == 0) mutated.resize(rng.Below(static_cast<std::uint32_t>(mutated.size())));
            // Every other round reads the file for its cursors.
            const icons::ImageGroupKind groups = round % 2 ? icons::ImageGroupKind::Cursors : icons::ImageGroupKind::Icons;
            WatchedSource source(mutated);
            const icons::IconFileSummary summary = icons::ReadIconSummary(source, groups);
            ASSERT_EQ(source.outside, 0) << name << " round " << round;
            ASSERT_GE(summary.count, 0);
            ASSERT_LE(summary.count, 65535);
            ASSERT_EQ(summary.extractable.size(), static_cast<std::size_t>(summary.count));
            if (summary.kind != icons::IconFileKind::NewExecutable && summary.kind != icons::IconFileKind::PortableExecutable) {
                ASSERT_LE(summary.count, 1);
            }
            // Only headers and directories are read, never image bits (animated cursors are read
            // whole to be checked); a little slack for the directory blocks that are read twice.
            const std::uint64_t wholeReads = groups == icons::ImageGroupKind::Cursors ? 2 : 0;
            ASSERT_LE(source.bytesRead, (2 + wholeReads) * mutated.size() + 4096) << name << " round " << round;
            stillCounted += summary.count > 0;
            // The whole-icon reading goes on to the image bits, and stays inside the file too.
            WatchedSource images(mutated);
            icons::StoredIconReader reader(images, groups);
            // Decoding costs more than reading: every fourth round, so the loop still gets through its rounds.
            for (int index = 0; index < std::min(summary.count, 3); ++index) {
                const icons::StoredIcon icon = reader.Read(index);
                if (round % 4 < 2) DecodeEveryImage(icon);
                if (const std::optional<icons::AnimatedCursor> cursor = reader.Animation(index)) {
                    ASSERT_FALSE(cursor->frames.empty());
                    for (const icons::AnimationStep& step : cursor->steps) ASSERT_LT(std::size_t(step.frame), cursor->frames.size());
                }
            }
            ASSERT_EQ(images.outside, 0) << name << " round " << round;
        }
    }
    EXPECT_GT(runs, 2000);
    // The mutations must leave some files sane, or they test nothing but the first check.
    EXPECT_GT(stillCounted, runs / 20);
    std::printf("%d mutations, %d still counted\n", runs, stillCounted);
}
