#include "dialogs/CursorDetails.h"

#include "toolkit/ProgramTexts.h"

namespace cursordetails {

icons::StoredIcon FrameImages(const icons::AnimatedCursor& cursor, std::vector<int>& frameOf) {
    icons::StoredIcon images;
    frameOf.clear();
    for (std::size_t frame = 0; frame < cursor.frames.size(); ++frame) {
        for (const icons::StoredIconImage& image : cursor.frames[frame]) {
            images.push_back(image);
            frameOf.push_back(static_cast<int>(frame));
        }
    }
    return images;
}

namespace {
void Paint(iconexport::ImagePixels& pixels, int x, int y, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height) return;
    std::uint8_t* p = pixels.bgra.data() + (std::size_t(y) * pixels.width + x) * 4;
    p[0] = blue, p[1] = green, p[2] = red, p[3] = 255;
}
}  // namespace

void MarkHotspot(iconexport::ImagePixels& pixels, const icons::CursorHotspot& hotspot) {
    constexpr int kArm = 3;
    for (int d = -kArm - 1; d <= kArm + 1; ++d) {  // the white edge first, the red cross over it
        for (int side : {-1, 1}) {
            Paint(pixels, hotspot.x + d, hotspot.y + side, 255, 255, 255);
            Paint(pixels, hotspot.x + side, hotspot.y + d, 255, 255, 255);
        }
    }
    for (int d = -kArm; d <= kArm; ++d) {
        Paint(pixels, hotspot.x + d, hotspot.y, 0, 0, 255);
        Paint(pixels, hotspot.x, hotspot.y + d, 0, 0, 255);
    }
}

std::string HotspotText(const icons::CursorHotspot& hotspot) {
    return " " + toolkit::TextWith(toolkit::TextId::DetailHotspot, {std::to_string(hotspot.x) + "," + std::to_string(hotspot.y)});
}

std::string FrameText(const icons::AnimatedCursor& cursor, int frame) {
    std::string steps, jiffies;
    for (std::size_t s = 0; s < cursor.steps.size(); ++s) {
        if (cursor.steps[s].frame != frame) continue;
        if (jiffies.empty()) jiffies = std::to_string(cursor.steps[s].jiffies);
        steps += (steps.empty() ? "" : ",") + std::to_string(s + 1);
    }
    return " " + toolkit::TextWith(toolkit::TextId::DetailFrame, {std::to_string(frame), jiffies.empty() ? "-" : jiffies,
                                                                  steps.empty() ? "-" : steps});
}

}  // namespace cursordetails
