// Finding an icon by its picture: pictures made here from icons drawn here, over several grounds
// and scaled, each with the icon it must name first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "export/PictureLikeness.h"

using iconexport::ImagePixels;

namespace {

struct Colour {
    int b, g, r;
};
// A shape's coverage at (x, y) in the unit square, and its colour there.
using Shape = std::function<bool(double x, double y)>;
struct Drawn {
    Shape shape;
    Colour colour;
};

// An icon drawn at `size` pixels inside a transparent margin, edges smoothed by 4 x 4 samples.
ImagePixels DrawIcon(const std::vector<Drawn>& parts, int size, int margin = 0) {
    const int side = size + 2 * margin;
    ImagePixels icon{side, side, {}};
    for (int y = -margin; y < size + margin; ++y)
        for (int x = -margin; x < size + margin; ++x) {
            double bgr[3] = {}, a = 0;
            for (int s = 0; s < 16; ++s) {
                const double u = (x + (s % 4 + 0.5) / 4) / size, v = (y + (s / 4 + 0.5) / 4) / size;
                const auto part = std::find_if(parts.begin(), parts.end(), [&](const Drawn& d) { return d.shape(u, v); });
                if (part != parts.end()) bgr[0] += part->colour.b, bgr[1] += part->colour.g, bgr[2] += part->colour.r, a += 1;
            }
            for (double c : bgr) icon.bgra.push_back(std::uint8_t(a > 0 ? c / a : 0));
            icon.bgra.push_back(std::uint8_t(std::lround(a * 255 / 16)));
        }
    return icon;
}

// The icon laid over a ground that may change from pixel to pixel (a photo).
ImagePixels OverGround(const ImagePixels& icon, const std::function<Colour(int x, int y)>& ground) {
    ImagePixels picture = icon;
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) {
            std::uint8_t* p = &picture.bgra[(std::size_t(y) * icon.width + x) * 4];
            const Colour under = ground(x, y);
            const int a = p[3], below[3] = {under.b, under.g, under.r};
            for (int c = 0; c < 3; ++c) p[c] = std::uint8_t((p[c] * a + below[c] * (255 - a) + 127) / 255);
            p[3] = 255;
        }
    return picture;
}
std::function<Colour(int, int)> Plain(Colour colour) {
    return [colour](int, int) { return colour; };
}

const Shape kDisc = [](double x, double y) { return (x - .5) * (x - .5) + (y - .5) * (y - .5) < .16; };
const Shape kRing = [](double x, double y) { return (x - .5) * (x - .5) + (y - .5) * (y - .5) < .2; };
const Shape kSquare = [](double x, double y) { return x > .15 && x < .85 && y > .15 && y < .85; };
const Shape kBar = [](double x, double y) { return x > .1 && x < .9 && y > .4 && y < .6; };
const Shape kCorner = [](double x, double y) { return x + y < .9; };
constexpr Colour kRed{40, 40, 220}, kDarkRed{20, 20, 120}, kBlue{200, 90, 30}, kYellow{40, 220, 230}, kWhite{255, 255, 255},
    kBlack{0, 0, 0}, kGrey{128, 128, 128};

// The icons every picture is ranked against, at their stored 32 pixels. A copy of the first has the
// same picture; the others differ in shape, in colour only, or in a detail only.
// With a margin: a loose crop.
std::vector<ImagePixels> Icons(int size, int margin = 0) {
    return {DrawIcon({{kDisc, kRed}, {kRing, kDarkRed}}, size, margin), DrawIcon({{kDisc, kRed}, {kRing, kDarkRed}}, size, margin),
            DrawIcon({{kSquare, kBlue}}, size, margin), DrawIcon({{kDisc, kBlue}, {kRing, kDarkRed}}, size, margin),
            DrawIcon({{kBar, kYellow}, {kDisc, kRed}, {kRing, kDarkRed}}, size, margin), DrawIcon({{kCorner, kWhite}}, size, margin)};
}

std::vector<iconexport::LikenessScore> Scores(const ImagePixels& picture) {
    const iconexport::PictureKey key = iconexport::PictureKeyOf(picture);
    std::vector<iconexport::LikenessScore> scores;
    for (const ImagePixels& icon : Icons(32)) {
        const iconexport::PngChoice placed{0, key.size, key.size, key.size, key.size, key.size != 32};
        const iconexport::IconKey iconKey = iconexport::IconKeyOf(icon, placed);
        scores.push_back({iconexport::Likeness(key, iconKey), iconKey.pictureHash});
    }
    return scores;
}

}  // namespace

TEST(PictureLikeness, NamesTheIconOfThePictureFirstOverAnyGroundAndScaled) {
    const auto photo = [](int x, int y) { return Colour{(x * 37 + y * 11) % 256, (x * 5 + y * 29) % 256, (x * y) % 256}; };
    const struct {
        const char* what;
        ImagePixels picture;
        std::size_t first;  // the icon that must be named first
        int least;          // its likeness at least
    } cases[] = {
        {"disc over white", OverGround(Icons(32)[0], Plain(kWhite)), 0, 99},
        {"disc over black", OverGround(Icons(32)[0], Plain(kBlack)), 0, 99},
        {"disc over a photo", OverGround(Icons(32)[0], photo), 0, 50},
        {"disc drawn at 20", OverGround(Icons(20)[0], Plain(kGrey)), 0, 85},
        {"blue disc over white", OverGround(Icons(32)[3], Plain(kWhite)), 3, 99},
        {"disc with a bar over grey", OverGround(Icons(32)[4], Plain(kGrey)), 4, 99},
        {"square drawn at 64 over black", OverGround(Icons(64)[2], Plain(kBlack)), 2, 90},
        {"white corner over black", OverGround(Icons(32)[5], Plain(kBlack)), 5, 99},
        {"disc with its own alpha", Icons(32)[0], 0, 99},
        {"square in a margin of 6 (a loose crop)", OverGround(Icons(32, 6)[2], Plain(kWhite)), 2, 90},
        {"disc with a bar in a margin of 5", OverGround(Icons(32, 5)[4], Plain(kBlack)), 4, 90},
    };
    for (const auto& c : cases) {
        const auto scores = Scores(c.picture);
        const auto ranked = iconexport::RankByLikeness(scores);
        EXPECT_EQ(ranked[0].icon == 1 ? 0 : ranked[0].icon, c.first) << c.what;
        EXPECT_GE(scores[c.first].likeness, c.least) << c.what;
        // The copy of the disc shares the disc's place; every other icon has a place of its own.
        int copies = 0;
        for (const auto& r : ranked) copies += r.place == ranked[0].place;
        EXPECT_EQ(copies, c.first == 0 ? 2 : 1) << c.what;
        EXPECT_EQ(ranked.back().place, 5) << c.what;
    }
}

TEST(PictureLikeness, PictureOfOneColourIsLikeNoIcon) {
    for (Colour ground : {kWhite, kBlack, kGrey}) {
        const ImagePixels blank = OverGround(ImagePixels{32, 32, std::vector<std::uint8_t>(32 * 32 * 4, 0)}, Plain(ground));
        for (const auto& score : Scores(blank)) EXPECT_LE(score.likeness, 50.0);
    }
}

TEST(PictureLikeness, SamePixelsOnlyForTheIconsOwnPixelsOverAPlainGround) {
    const std::vector<ImagePixels> icons = Icons(32);
    ImagePixels rounded = OverGround(icons[0], Plain(kGrey));
    rounded.bgra[(16 * 32 + 16) * 4] += 2;  // another program's rounding
    ImagePixels touched = OverGround(icons[0], Plain(kGrey));
    touched.bgra[(16 * 32 + 16) * 4] += 6;
    ImagePixels noAlpha = OverGround(icons[0], Plain(kBlack));
    for (std::size_t i = 3; i < noAlpha.bgra.size(); i += 4) noAlpha.bgra[i] = 0;  // a 32-bit bitmap without alpha
    const struct {
        const char* what;
        ImagePixels picture;
        std::size_t icon;
        bool same;
    } cases[] = {
        {"over black, alpha all zero", noAlpha, 0, true},
        {"rounded by two", rounded, 0, true},
        {"one pixel changed", touched, 0, false},
        {"the icon's own pixels", icons[0], 0, true},
        {"another icon", OverGround(icons[0], Plain(kWhite)), 3, false},
        {"drawn at 48", OverGround(Icons(48)[0], Plain(kWhite)), 0, false},
        {"over a photo", OverGround(icons[0], [](int x, int) { return Colour{x * 8, 0, 0}; }), 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(iconexport::SamePixels(iconexport::PictureKeyOf(c.picture), icons[c.icon]), c.same) << c.what;
}
