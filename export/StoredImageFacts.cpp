#include "export/StoredImageFacts.h"

#include <cstdio>

#include "toolkit/ProgramTexts.h"

namespace iconexport {

std::vector<StoredImageFacts> FactsOf(const icons::StoredIcon& icon) {
    std::vector<StoredImageFacts> facts;
    facts.reserve(icon.size());
    for (const icons::StoredIconImage& image : icon) facts.push_back(image.header);
    return facts;
}

std::string ImageCaption(const StoredImageFacts& facts) {
    char text[64];
    std::snprintf(text, sizeof text, toolkit::Text(toolkit::TextId::DetailImageCaption), facts.width, facts.height,
                  facts.bitsPerPixel, facts.IsPng() ? " PNG" : "");
    return text;
}

}  // namespace iconexport
