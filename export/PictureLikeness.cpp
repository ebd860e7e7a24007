#include "export/PictureLikeness.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace iconexport {

namespace {

constexpr float kGrey = 128.0f / 255.0f;
// How many cells' worth of weight the border's colour has when the ground is fitted: enough to
// settle the ground where the icon covers nearly all of the picture, too little to overrule it.
constexpr float kBorderWeight = 2.0f;
// The root-mean-square colour difference at which colour alikeness reaches zero.
constexpr float kColourScale = 0.3f;
// Rounding of another program's drawing that still counts as the same pixel.
constexpr int kSamePixelSlack = 2;
// A picture's pixel shows the icon where it differs from the ground by more than this in a colour;
// an icon's pixel counts where it is at least this opaque.
constexpr int kContentDifference = 40;
constexpr int kContentAlpha = 128;
// Boxes whose sides' proportions differ by more than this are no match for the alignment.
constexpr double kMostBoxDistortion = 1.25;
// What a likeness found by moving the picture onto the icon's box gives up against one found as
// the picture is: a tight crop's own icon wins as it is, and the move helps only a loose crop.
constexpr double kAlignmentCost = 3.0;
// Moving a large picture onto each icon's box works on the picture averaged down to this size: the
// grid is far coarser still.
constexpr int kLargestPart = 96;

struct Span {
    int cell;
    float weight;  // the part of the cell's side the pixel covers
};

// For each of `pixels` pixels along one side, the cells (of `cells`) it falls in: the pixels lie
// evenly from cell position `start` over `length` cells.
std::vector<std::vector<Span>> AxisSpans(int pixels, double start, double length, int cells = kLikenessGrid) {
    std::vector<std::vector<Span>> spans(static_cast<std::size_t>(pixels));
    const double step = length / pixels;
    for (int p = 0; p < pixels; ++p) {
        const double from = start + p * step, to = from + step;
        for (int cell = std::max(0, int(std::floor(from))); cell < cells && cell < to; ++cell) {
            const double overlap = std::min(to, cell + 1.0) - std::max(from, double(cell));
            if (overlap > 1e-9) spans[std::size_t(p)].push_back({cell, float(overlap)});
        }
    }
    return spans;
}

// The pixels' colour (alpha multiplied in, or over `ground`) and alpha averaged per cell, the
// pixels drawn at [left, left + drawnWidth) x [top, top + drawnHeight) of a canvas mapped onto
// the grid; the rest of the canvas is transparent.
struct Reduced {
    std::array<float, kLikenessCells * 3> colour{};
    std::array<float, kLikenessCells> alpha{};
};
Reduced Reduce(const ImagePixels& pixels, double canvasWidth, double canvasHeight, double left, double top,
               double drawnWidth, double drawnHeight) {
    const double toGridX = kLikenessGrid / canvasWidth, toGridY = kLikenessGrid / canvasHeight;
    const auto xs = AxisSpans(pixels.width, left * toGridX, drawnWidth * toGridX);
    const auto ys = AxisSpans(pixels.height, top * toGridY, drawnHeight * toGridY);
    Reduced reduced;
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* row = &pixels.bgra[std::size_t(y) * pixels.Stride()];
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint8_t* p = row + x * 4;
            const float a = p[3] / 255.0f;
            if (a == 0) continue;
            for (const Span& sy : ys[std::size_t(y)]) {
                for (const Span& sx : xs[std::size_t(x)]) {
                    const std::size_t cell = std::size_t(sy.cell) * kLikenessGrid + std::size_t(sx.cell);
                    const float w = sy.weight * sx.weight * a;
                    for (int c = 0; c < 3; ++c) reduced.colour[cell * 3 + c] += w * (p[c] / 255.0f);
                    reduced.alpha[cell] += w;
                }
            }
        }
    }
    return reduced;
}

float Median(std::vector<float> values) {
    if (values.empty()) return kGrey;
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Per colour, the median of the picture's outermost pixels.
std::array<float, 3> BorderColour(const ImagePixels& picture) {
    std::array<std::vector<float>, 3> border;
    const auto take = [&](int x, int y) {
        const std::uint8_t* p = &picture.bgra[(std::size_t(y) * picture.width + x) * 4];
        for (int c = 0; c < 3; ++c) border[c].push_back(p[c] / 255.0f);
    };
    for (int x = 0; x < picture.width; ++x) take(x, 0), take(x, picture.height - 1);
    for (int y = 1; y + 1 < picture.height; ++y) take(0, y), take(picture.width - 1, y);
    return {Median(border[0]), Median(border[1]), Median(border[2])};
}

float Luminance(const float* bgr) { return 0.114f * bgr[0] + 0.587f * bgr[1] + 0.299f * bgr[2]; }

// The correlation of two patterns of light and dark: 1 the same shape, 0 none in common (also
// when either is flat).
float ShapeAlikeness(const std::array<float, kLikenessCells>& a, const std::array<float, kLikenessCells>& b) {
    const float meanA = std::accumulate(a.begin(), a.end(), 0.0f) / kLikenessCells;
    const float meanB = std::accumulate(b.begin(), b.end(), 0.0f) / kLikenessCells;
    float ab = 0, aa = 0, bb = 0;
    for (int i = 0; i < kLikenessCells; ++i) {
        const float da = a[std::size_t(i)] - meanA, db = b[std::size_t(i)] - meanB;
        ab += da * db, aa += da * da, bb += db * db;
    }
    constexpr float kFlat = 1e-3f;  // a spread of light below a tenth of a grey level per cell
    if (aa < kFlat || bb < kFlat) return 0;
    return std::max(0.0f, ab / std::sqrt(aa * bb));
}

std::uint64_t HashBytes(std::uint64_t hash, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3ULL;
    return hash;
}

bool Near(int a, int b) { return std::abs(a - b) <= kSamePixelSlack; }

// The box of the pixels `shows` accepts; empty when none does.
template <typename Shows>
ContentBox BoxOf(const ImagePixels& pixels, Shows shows) {
    int left = pixels.width, top = pixels.height, right = 0, bottom = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if (shows(&pixels.bgra[(std::size_t(y) * pixels.width + x) * 4]))
                left = std::min(left, x), top = std::min(top, y), right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
    return right > left ? ContentBox{double(left), double(top), double(right), double(bottom)} : ContentBox{};
}

// The likeness on the grid of the picture's colours `shown` (see Likeness).
double GridLikeness(const std::array<float, kLikenessCells * 3>& shown, const std::array<float, 3>& border, const IconKey& icon) {
    // The ground that lays the icon over the picture best, held near the border's colour.
    std::array<float, 3> ground{};
    float uncoveredSquares = 0;
    std::array<float, 3> pull{};
    for (int cell = 0; cell < kLikenessCells; ++cell) {
        const float uncovered = 1.0f - icon.alpha[std::size_t(cell)];
        uncoveredSquares += uncovered * uncovered;
        for (int c = 0; c < 3; ++c) {
            const std::size_t i = std::size_t(cell) * 3 + std::size_t(c);
            pull[std::size_t(c)] += uncovered * (shown[i] - icon.colour[i]);
        }
    }
    for (std::size_t c = 0; c < 3; ++c)
        ground[c] = std::clamp((pull[c] + kBorderWeight * border[c]) / (uncoveredSquares + kBorderWeight), 0.0f, 1.0f);

    float squares = 0;
    std::array<float, kLikenessCells> pictureLight{}, iconLight{};
    for (int cell = 0; cell < kLikenessCells; ++cell) {
        const float uncovered = 1.0f - icon.alpha[std::size_t(cell)];
        float laid[3];
        for (std::size_t c = 0; c < 3; ++c) {
            const std::size_t i = std::size_t(cell) * 3 + c;
            laid[c] = icon.colour[i] + uncovered * ground[c];
            const float difference = shown[i] - laid[c];
            squares += difference * difference;
        }
        pictureLight[std::size_t(cell)] = Luminance(&shown[std::size_t(cell) * 3]);
        iconLight[std::size_t(cell)] = Luminance(laid);
    }
    const float rms = std::sqrt(squares / (kLikenessCells * 3));
    const float colour = std::max(0.0f, 1.0f - rms / kColourScale);
    const float shape = ShapeAlikeness(pictureLight, iconLight);
    return 100.0 * (0.5 * colour + 0.5 * shape);
}

// The opaque picture averaged down to at most kLargestPart pixels a side.
ImagePixels ShrunkForParts(const ImagePixels& picture) {
    const double scale = std::min(1.0, double(kLargestPart) / std::max(picture.width, picture.height));
    const int width = std::max(1, int(std::lround(picture.width * scale))), height = std::max(1, int(std::lround(picture.height * scale)));
    if (width == picture.width && height == picture.height) return picture;
    const auto xs = AxisSpans(picture.width, 0, width, width), ys = AxisSpans(picture.height, 0, height, height);
    std::vector<float> sums(std::size_t(width) * height * 3, 0.0f), weights(std::size_t(width) * height, 0.0f);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            for (const Span& sy : ys[std::size_t(y)])
                for (const Span& sx : xs[std::size_t(x)]) {
                    const std::size_t at = std::size_t(sy.cell) * width + std::size_t(sx.cell);
                    const float w = sy.weight * sx.weight;
                    for (std::size_t c = 0; c < 3; ++c) sums[at * 3 + c] += w * picture.bgra[(std::size_t(y) * picture.width + x) * 4 + c];
                    weights[at] += w;
                }
    ImagePixels shrunk{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4, 255)};
    for (std::size_t at = 0; at < weights.size(); ++at)
        for (std::size_t c = 0; c < 3; ++c)
            shrunk.bgra[at * 4 + c] = std::uint8_t(std::clamp(std::lround(sums[at * 3 + c] / weights[at]), 0L, 255L));
    return shrunk;
}

// The picture's colours over [left, left + width) x [top, top + height) of it, the part outside it
// taken as its ground.
std::array<float, kLikenessCells * 3> PartOf(const PictureKey& picture, double left, double top, double width, double height) {
    const double toShrunk = double(picture.forParts.width) / picture.pixels.width;
    const Reduced reduced = Reduce(picture.forParts, width * toShrunk, height * toShrunk, -left * toShrunk, -top * toShrunk,
                                   picture.forParts.width, picture.forParts.height);
    std::array<float, kLikenessCells * 3> colour{};
    for (std::size_t cell = 0; cell < std::size_t(kLikenessCells); ++cell)
        for (std::size_t c = 0; c < 3; ++c)
            colour[cell * 3 + c] = reduced.colour[cell * 3 + c] + (1.0f - reduced.alpha[cell]) * picture.ground[c];
    return colour;
}

// The picture over the square the icon would fill were the icon's box `shown`; nullptr when the
// boxes do not match in their proportions.
const std::array<float, kLikenessCells * 3>* AlignedPart(const PictureKey& picture, const ContentBox& shown,
                                                         const IconKey& icon) {
    const ContentBox& own = icon.content;
    if (shown.Empty() || own.Empty()) return nullptr;
    const double scaleX = (shown.right - shown.left) / (own.right - own.left);
    const double scaleY = (shown.bottom - shown.top) / (own.bottom - own.top);
    if (std::max(scaleX, scaleY) > kMostBoxDistortion * std::min(scaleX, scaleY)) return nullptr;
    const double scale = (scaleX + scaleY) / 2;
    const double left = shown.left - scale * own.left, top = shown.top - scale * own.top;
    const double width = scale * icon.squareWidth, height = scale * icon.squareHeight;
    // Squares a quarter of a pixel apart are one.
    const std::array<long, 4> square{std::lround(left * 4), std::lround(top * 4), std::lround(width * 4), std::lround(height * 4)};
    auto found = picture.aligned.find(square);
    if (found == picture.aligned.end()) found = picture.aligned.emplace(square, PartOf(picture, left, top, width, height)).first;
    return &found->second;
}

}  // namespace

PictureKey PictureKeyOf(const ImagePixels& picture) {
    PictureKey key;
    key.size = std::max(picture.width, picture.height);
    key.pixels = picture;
    std::vector<std::uint8_t>& bgra = key.pixels.bgra;
    bool anyAlpha = false, allOpaque = true;
    for (std::size_t i = 3; i < bgra.size(); i += 4) anyAlpha |= bgra[i] != 0, allOpaque &= bgra[i] == 255;
    key.hasAlpha = anyAlpha && !allOpaque;
    if (!anyAlpha)
        for (std::size_t i = 3; i < bgra.size(); i += 4) bgra[i] = 255;
    const Reduced reduced = Reduce(key.pixels, picture.width, picture.height, 0, 0, picture.width, picture.height);
    for (int cell = 0; cell < kLikenessCells; ++cell) {
        const float uncovered = 1.0f - reduced.alpha[std::size_t(cell)];  // transparency shows grey
        for (int c = 0; c < 3; ++c)
            key.colour[std::size_t(cell) * 3 + c] = reduced.colour[std::size_t(cell) * 3 + c] + uncovered * kGrey;
    }
    key.ground = key.hasAlpha ? std::array<float, 3>{kGrey, kGrey, kGrey} : BorderColour(key.pixels);
    int ground[3];
    for (std::size_t c = 0; c < 3; ++c) ground[c] = int(std::lround(key.ground[c] * 255));
    key.content = BoxOf(key.pixels, [&](const std::uint8_t* p) {
        return std::abs(p[0] - ground[0]) > kContentDifference || std::abs(p[1] - ground[1]) > kContentDifference ||
               std::abs(p[2] - ground[2]) > kContentDifference;
    });
    const ContentBox& box = key.content;
    const bool margin = box.left > 1 || box.top > 1 || box.right < picture.width - 1 || box.bottom < picture.height - 1;
    if (!margin || key.hasAlpha) key.content = ContentBox{};
    else key.forParts = ShrunkForParts(key.pixels);
    return key;
}

IconKey IconKeyOf(const ImagePixels& image, const PngChoice& placed) {
    const int left = (placed.width - placed.imageWidth) / 2, top = (placed.height - placed.imageHeight) / 2;
    const Reduced reduced = Reduce(image, placed.width, placed.height, left, top, placed.imageWidth, placed.imageHeight);
    IconKey key;
    key.colour = reduced.colour;
    key.alpha = reduced.alpha;
    key.squareWidth = placed.width, key.squareHeight = placed.height;
    const ContentBox box = BoxOf(image, [](const std::uint8_t* p) { return p[3] >= kContentAlpha; });
    if (!box.Empty()) {
        const double toSquareX = double(placed.imageWidth) / image.width, toSquareY = double(placed.imageHeight) / image.height;
        key.content = {left + box.left * toSquareX, top + box.top * toSquareY, left + box.right * toSquareX, top + box.bottom * toSquareY};
    }
    const int placement[] = {placed.width, placed.height, placed.imageWidth, placed.imageHeight, image.width, image.height};
    std::uint64_t hash = HashBytes(0xcbf29ce484222325ULL, placement, sizeof placement);
    for (std::size_t i = 0; i < image.bgra.size(); i += 4) {
        const std::uint8_t a = image.bgra[i + 3];
        const std::uint8_t pixel[4] = {a ? image.bgra[i] : std::uint8_t(0), a ? image.bgra[i + 1] : std::uint8_t(0),
                                       a ? image.bgra[i + 2] : std::uint8_t(0), a};
        hash = HashBytes(hash, pixel, sizeof pixel);
    }
    key.pictureHash = hash;
    return key;
}

double Likeness(const PictureKey& picture, const IconKey& icon) {
    double best = GridLikeness(picture.colour, picture.ground, icon);
    if (picture.content.Empty()) return best;
    // A half-covered pixel at the icon's edge may be in the picture's box and not in the icon's:
    // the box as found and one pixel smaller on every side.
    for (double inset : {0.0, 1.0}) {
        const ContentBox& box = picture.content;
        const ContentBox shown{box.left + inset, box.top + inset, box.right - inset, box.bottom - inset};
        if (const std::array<float, kLikenessCells * 3>* aligned = AlignedPart(picture, shown, icon))
            best = std::max(best, GridLikeness(*aligned, picture.ground, icon) - kAlignmentCost);
    }
    return best;
}

bool SamePixels(const PictureKey& picture, const ImagePixels& image) {
    const ImagePixels& shown = picture.pixels;
    if (shown.width != image.width || shown.height != image.height || shown.bgra.size() != image.bgra.size()) return false;
    const std::size_t count = image.bgra.size();
    if (picture.hasAlpha) {
        for (std::size_t i = 0; i < count; i += 4) {
            const int a = image.bgra[i + 3];
            if (!Near(a, shown.bgra[i + 3])) return false;
            if (a != 0)
                for (std::size_t c = 0; c < 3; ++c)
                    if (!Near(image.bgra[i + c], shown.bgra[i + c])) return false;
        }
        return true;
    }
    // The ground: what the picture shows where the icon is wholly transparent.
    int ground[3];
    for (std::size_t c = 0; c < 3; ++c) ground[c] = int(std::lround(picture.ground[c] * 255));
    for (std::size_t i = 0; i < count; i += 4)
        if (image.bgra[i + 3] == 0) {
            for (std::size_t c = 0; c < 3; ++c) ground[c] = shown.bgra[i + c];
            break;
        }
    for (std::size_t i = 0; i < count; i += 4) {
        const int a = image.bgra[i + 3];
        for (std::size_t c = 0; c < 3; ++c) {
            const int laid = (image.bgra[i + c] * a + ground[c] * (255 - a) + 127) / 255;
            if (!Near(laid, shown.bgra[i + c])) return false;
        }
    }
    return true;
}

std::vector<RankedPlace> RankByLikeness(const std::vector<LikenessScore>& scores) {
    std::vector<std::size_t> order(scores.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (scores[a].likeness != scores[b].likeness) return scores[a].likeness > scores[b].likeness;
        return scores[a].pictureHash < scores[b].pictureHash;
    });
    std::vector<RankedPlace> ranked;
    ranked.reserve(order.size());
    int place = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const bool samePicture = i > 0 && scores[order[i]].pictureHash == scores[order[i - 1]].pictureHash;
        if (!samePicture) ++place;
        ranked.push_back({order[i], place});
    }
    return ranked;
}

}  // namespace iconexport
