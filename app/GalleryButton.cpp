// 一覧: the gallery of every icon of the listed files, as the list shows them now.
#include "app/PictavoUnit.h"

void TForm1::Btn5Click() {
    std::vector<gallery::GalleryFile> files;
    files.reserve(static_cast<std::size_t>(ListView1.RowCount()));
    for (int row = 0; row < ListView1.RowCount() && row < Catalogue.Count(); ++row) {
        const icons::IconFileEntry& entry = Catalogue.ShownEntry(row);
        files.push_back({ListedPath(row), std::string(entry.Name()), entry.icons});
    }
    if (!Gallery) Gallery = std::make_unique<TIconGallery>();
    Gallery->Open(*this, std::move(files));
}
