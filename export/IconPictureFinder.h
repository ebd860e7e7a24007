#pragma once
// Finding an icon by its picture: every icon of a list of files ranked by how alike its image is to
// the picture (PictureLikeness), the most alike first. Each icon is seen as the PNG export would
// make it at the picture's size. It runs on the thread that calls it, with an imaging of its own
// (the gallery calls it off its window's thread); its progress callback can stop it.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "export/ImagePixels.h"
#include "export/PictureLikeness.h"
#include "export/PictureSources.h"

namespace iconexport {

// One icon of a file.
struct IconInFile {
    std::string path;      // the file as listed
    std::string location;  // the file its icons are read from (the .mun of a system file):
                           // icons::ReferencesOf(path's file name, location, index) gives the
                           // detail window's references, "imageres.dll,-183"
    int index = 0;
};

struct FoundIcon {
    IconInFile icon;
    int likeness = 0;   // 0..100
    bool same = false;  // the picture shows the icon's image pixel for pixel
    int place = 0;      // 1 for the most alike; icons with the same picture share a place
};

// Called after each file with the number done and the number of files; false stops the search.
using FindProgress = std::function<bool(std::size_t filesDone, std::size_t files)>;

// Every icon of `files` (full paths) that has a readable image, the most alike first. Stopped by
// `progress`, the icons of the files read so far.
std::vector<FoundIcon> FindIconsByPicture(const ImagePixels& picture, const std::vector<std::string>& files,
                                          const FindProgress& progress = {});

// Each icon of `files` that has a readable image, reduced for pictures of `pictureSize` pixels,
// handed to `visit` with the image it was made from; false from `progress` stops. Icons whose
// images cannot be read are passed over.
using IconKeyVisitor = std::function<void(const IconInFile& icon, const IconKey& key, const ImagePixels& image)>;
void ReadIconKeys(const std::vector<std::string>& files, int pictureSize, const IconKeyVisitor& visit,
                  const FindProgress& progress = {});

}  // namespace iconexport
