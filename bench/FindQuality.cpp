// How well an icon is found by its picture: pictures of a folder's icons made by other programs
// (one folder of pictures per ground), each named FILE@INDEX.png after its icon, are ranked
// against every icon of the folder; per ground, how many name their icon first and among the
// first three (icons with the same picture count as one place). The exit status is 0 when at
// least 95 % are among the first three for every ground but those named "extra-...".
//   pictavo_find_quality ICON-FOLDER PICTURE-FOLDER GROUND...
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "icons/CatalogueSearch.h"
#include "icons/FileNameCase.h"
#include "icons/IconCatalogue.h"
#include "export/IconPictureFinder.h"
#include "export/WicImaging.h"

namespace {

struct KeyedIcon {
    std::string name;  // the file's name in the folder
    int index;
    iconexport::IconKey key;
};

std::vector<std::string> PictureNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    const HANDLE find = FindFirstFileA((folder + "\\*.png").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: pictavo_find_quality ICON-FOLDER PICTURE-FOLDER GROUND...\n");
        return 2;
    }
    const std::string folder = argv[1], pictures = argv[2];
    icons::IconCatalogue catalogue;
    icons::SearchFolder(catalogue, folder, 1, nullptr);
    catalogue.SortByName(icons::SystemFileNameUpperCase());
    std::vector<std::string> files;
    for (int position = 1; position <= catalogue.Count(); ++position)
        files.push_back(folder + "\\" + std::string(catalogue.At(position).Name()));

    // The icons reduced for pictures of each size met, read once per size.
    std::map<int, std::vector<KeyedIcon>> keysBySize;
    const auto iconsFor = [&](int size) -> const std::vector<KeyedIcon>& {
        std::vector<KeyedIcon>& icons = keysBySize[size];
        if (!icons.empty()) return icons;
        const auto started = std::chrono::steady_clock::now();
        iconexport::ReadIconKeys(files, size, [&](const iconexport::IconInFile& icon, const iconexport::IconKey& key,
                                                  const iconexport::ImagePixels&) {
            icons.push_back({icon.path.substr(folder.size() + 1), icon.index, key});
        });
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("icons for %d-pixel pictures: %zu in %zu files, read in %.2f s\n", size, icons.size(), files.size(), seconds);
        return icons;
    };

    const iconexport::WicImaging imaging;
    bool allMet = true;
    for (int g = 3; g < argc; ++g) {
        const std::string ground = argv[g];
        int count = 0, first = 0, topThree = 0, unknown = 0;
        for (const std::string& name : PictureNames(pictures + "\\" + ground)) {
            const std::size_t at = name.rfind('@');
            if (at == std::string::npos) continue;
            const std::string file = name.substr(0, at);
            const int index = std::atoi(name.c_str() + at + 1);
            const iconexport::PictureKey picture =
                iconexport::PictureKeyOf(iconexport::ReadPictureFile(imaging, pictures + "\\" + ground + "\\" + name));
            const std::vector<KeyedIcon>& icons = iconsFor(picture.size);
            std::size_t target = icons.size();
            for (std::size_t i = 0; i < icons.size() && target == icons.size(); ++i)
                if (lstrcmpiA(icons[i].name.c_str(), file.c_str()) == 0 && icons[i].index == index) target = i;
            if (target == icons.size()) {
                ++unknown;  // an icon the folder's search does not list (or whose images are unreadable)
                continue;
            }
            std::vector<iconexport::LikenessScore> scores;
            for (const KeyedIcon& icon : icons) scores.push_back({iconexport::Likeness(picture, icon.key), icon.key.pictureHash});
            int place = 0;
            for (const iconexport::RankedPlace& ranked : iconexport::RankByLikeness(scores))
                if (ranked.icon == target) place = ranked.place;
            ++count;
            first += place == 1;
            topThree += place <= 3;
            if (place > 3) std::printf("  %s: %s,%d at place %d\n", ground.c_str(), file.c_str(), index, place);
        }
        const double share = count ? 100.0 * topThree / count : 0;
        allMet = allMet && (share >= 95.0 || ground.rfind("extra-", 0) == 0);
        const std::string notListed = unknown ? " [" + std::to_string(unknown) + " not listed]" : "";
        std::printf("%-20s %4d pictures: first %5.1f %%, among the first three %5.1f %%%s%s\n", ground.c_str(), count,
                    count ? 100.0 * first / count : 0, share, ground.rfind("extra-", 0) == 0 ? "" : " (goal 95 %)",
                    notListed.c_str());
    }
    return allMet ? 0 : 1;
}
