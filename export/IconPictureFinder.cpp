#include "export/IconPictureFinder.h"

#include <cmath>

#include "icons/IconSource.h"
#include "export/PngFileWriter.h"
#include "export/PngSizeChoice.h"
#include "export/StoredImageFacts.h"
#include "export/WicImaging.h"
#include "export/WriterErrors.h"

namespace iconexport {

void ReadIconKeys(const std::vector<std::string>& files, int pictureSize, const IconKeyVisitor& visit,
                  const FindProgress& progress) {
    const WicImaging imaging;
    for (std::size_t done = 0; done < files.size(); ++done) {
        icons::IconFile file(nullptr, files[done]);
        IconInFile icon{files[done], file.Location(), 0};
        for (icon.index = 0; icon.index < file.Count(); ++icon.index) {
            const icons::StoredIcon stored = file.Stored(icon.index);
            const std::vector<PngChoice> choice = ChoosePngImages(FactsOf(stored), pictureSize);
            if (choice.empty()) continue;  // no readable image
            ImagePixels image;
            try {
                image = StoredImagePixels(imaging, stored[choice.front().image]);
            } catch (const EInvalidGraphic&) {
                continue;  // its bytes are no image after all
            }
            visit(icon, IconKeyOf(image, choice.front()), image);
        }
        if (progress && !progress(done + 1, files.size())) return;
    }
}

std::vector<FoundIcon> FindIconsByPicture(const ImagePixels& picture, const std::vector<std::string>& files,
                                          const FindProgress& progress) {
    const PictureKey pictureKey = PictureKeyOf(picture);
    std::vector<FoundIcon> seen;
    std::vector<LikenessScore> scores;
    ReadIconKeys(
        files, pictureKey.size,
        [&](const IconInFile& icon, const IconKey& key, const ImagePixels& image) {
            const double likeness = Likeness(pictureKey, key);
            seen.push_back({icon, static_cast<int>(std::lround(likeness)), SamePixels(pictureKey, image), 0});
            scores.push_back({likeness, key.pictureHash});
        },
        progress);
    std::vector<FoundIcon> ranked;
    ranked.reserve(seen.size());
    for (const RankedPlace& place : RankByLikeness(scores)) {
        ranked.push_back(std::move(seen[place.icon]));
        ranked.back().place = place.place;
    }
    return ranked;
}

}  // namespace iconexport
