#pragma once
// What the detail window adds for a cursor: each image's hotspot, marked and named, and an animated
// cursor's frames with their display times and places in the step order.
#include <string>
#include <vector>

#include "icons/IconResourceReader.h"
#include "export/ImagePixels.h"

namespace cursordetails {

// Every image of every frame, in frame order; frameOf receives each image's frame.
icons::StoredIcon FrameImages(const icons::AnimatedCursor& cursor, std::vector<int>& frameOf);

// A small cross of opaque red (with a white edge, seen on any image) centred on the hotspot.
void MarkHotspot(iconexport::ImagePixels& pixels, const icons::CursorHotspot& hotspot);

// " ﾎｯﾄｽﾎﾟｯﾄ 5,3".
std::string HotspotText(const icons::CursorHotspot& hotspot);
// " ｺﾏ 2: 6/60秒 順 2,4": the frame, the time of its first step and every step (from 1) showing it.
std::string FrameText(const icons::AnimatedCursor& cursor, int frame);

}  // namespace cursordetails
