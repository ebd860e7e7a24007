#include "export/StoredImageFacts.h"

namespace iconexport {

std::vector<StoredImageFacts> FactsOf(const icons::StoredIcon& icon) {
    std::vector<StoredImageFacts> facts;
    facts.reserve(icon.size());
    for (const icons::StoredIconImage& image : icon) facts.push_back(image.header);
    return facts;
}

}  // namespace iconexport
