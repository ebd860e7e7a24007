#pragma once
// How alike a picture of an icon and an icon's image are. The picture is what a screen shows: any
// size, no transparency, the icon drawn over white, black, grey or a photo, maybe scaled. Both sides
// are reduced to a small grid, the icon with its alpha multiplied in and kept beside it, so the icon
// can be laid over whatever ground the picture shows at the cost of a few sums. Platform-free.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "export/ImagePixels.h"
#include "export/PngSizeChoice.h"

namespace iconexport {

// The grid both sides are compared on: fine enough to tell icons of one family apart, coarse
// enough that scaling by another program does not matter.
constexpr int kLikenessGrid = 16;
constexpr int kLikenessCells = kLikenessGrid * kLikenessGrid;

// The sides of the pictures taken: a screen's icons, from a small one to a large one enlarged.
constexpr int kSmallestPicture = 16;
constexpr int kLargestPicture = 512;

// Where an image shows something, in pixels of the square it is compared in.
struct ContentBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

// A picture reduced for the comparison.
struct PictureKey {
    std::array<float, kLikenessCells * 3> colour{};  // blue, green, red per cell, 0..1
    std::array<float, 3> ground{};                   // the colour its border shows most, 0..1
    int size = 0;                                    // its longer side: the icon size it shows
    bool hasAlpha = false;   // it has transparency after all (an icon's own PNG file, for one)
    ImagePixels pixels;      // as given (alpha 255 everywhere unless hasAlpha), for "same pixels"
    // Where it differs from its ground: a loose crop shows the icon inside a margin. Empty when it
    // shows nothing or has next to no margin.
    ContentBox content;
    ImagePixels forParts;  // with a content box: the picture, averaged down when it is large
    // The picture reduced over the square each icon would fill, found from the icon's own box
    // (a loose crop); kept by that square, as many icons have the same box.
    mutable std::map<std::array<long, 4>, std::array<float, kLikenessCells * 3>> aligned;
};

// An icon's image reduced for the comparison.
struct IconKey {
    std::array<float, kLikenessCells * 3> colour{};  // alpha multiplied in, 0..1
    std::array<float, kLikenessCells> alpha{};       // 0..1
    ContentBox content;       // where it is mostly opaque, in pixels of the square it lies in
    int squareWidth = 0, squareHeight = 0;
    // Equal for icons whose images are the same pixels placed the same way: they count as one.
    std::uint64_t pictureHash = 0;
};

// A picture whose alpha is 0 everywhere (a 32-bit bitmap that never had alpha) counts as opaque;
// a picture with real transparency is laid over grey, which the comparison then finds as its ground.
PictureKey PictureKeyOf(const ImagePixels& picture);

// `image` is the icon image `placed` chose (ChoosePngImages for the picture's size): it is
// reduced as it lies in that square.
IconKey IconKeyOf(const ImagePixels& image, const PngChoice& placed);

// 0 (nothing alike) to 100 (the icon's picture): the icon laid over the ground that fits the
// picture best (near the picture's border colour), compared cell by cell in colour and in the
// shape of its light and dark, over the whole picture and, for a loose crop, over the part of it
// the icon would fill were its box the picture's; the better of the two. A picture of one colour
// is like no icon in shape.
double Likeness(const PictureKey& picture, const IconKey& icon);

// The picture shows `image` pixel for pixel: the same size, and every pixel the image's over the
// ground the picture shows where the image is transparent (within the rounding of another
// program's drawing); a picture with transparency must have the image's own pixels.
bool SamePixels(const PictureKey& picture, const ImagePixels& image);

// One icon's result for the ranking.
struct LikenessScore {
    double likeness = 0;
    std::uint64_t pictureHash = 0;
};
struct RankedPlace {
    std::size_t icon = 0;  // position in the scores
    int place = 0;         // 1 for the most alike; icons with the same picture share a place
};
// The icons most alike first; among equals the same pictures together, then in the given order.
std::vector<RankedPlace> RankByLikeness(const std::vector<LikenessScore>& scores);

}  // namespace iconexport
