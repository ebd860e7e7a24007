#pragma once
// TForm7, the icon's detail window: ｱｲｺﾝの詳細. Where the icon comes from and how Windows refers to
// it, then every stored image side by side at its own size; the selected image is copied, saved
// as PNG or dragged out, the whole icon saved as .ICO.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "icons/IconResourceReader.h"
#include "icons/IconSource.h"
#include "export/PngSizeChoice.h"
#include "export/ProgramState.h"
#include "export/StoredImageFacts.h"
#include "export/WicImaging.h"
#include "toolkit/PictureRow.h"
#include "toolkit/SizableForm.h"
#include "toolkit/StdControls.h"

class TForm7 : public toolkit::SizableForm {
public:
    TForm7();
    ~TForm7() override;

    toolkit::Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8;
    toolkit::Edit Edit1, Edit2;
    toolkit::Button Button1, Button2;
    toolkit::PictureRow PictureRow1;
    toolkit::Button Button3, Button4, Button5, Button6;

    // Shows icon number `index` of the file `name` in `folder` modally, at the place and size
    // remembered in the state's settings, and remembers them again afterwards; saved files go to
    // the state's SaveDir first.
    // The icon is the state's kind (icons or cursors, as the main window lists them), or `groups`.
    void ShowIcon(iconexport::ProgramState& state, const std::string& folder, const std::string& name, int index);
    void ShowIcon(iconexport::ProgramState& state, const std::string& folder, const std::string& name, int index,
                  icons::ImageGroupKind groups);
    // Fills the window with that icon (ShowIcon's first step).
    void FillIcon(const std::string& folder, const std::string& name, int index);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void PictureRow1DragOut(int image);

    bool ShortcutKey(WPARAM key) override;

protected:
    void FormResize() override;

private:
    void CreateControls();
    void ShowImages();
    // Adds image i's cell: its pixels, or the unreadable image's caption when they cannot be had.
    void AddImageCell(std::size_t i);
    // Copy and Save PNG are for a readable image only.
    void PictureRow1Select(int image);
    bool IsReadable(int image) const;
    std::string PngName(int image) const;
    iconexport::PngChoice AsStored(int image) const;
    const iconexport::WicImaging& Imaging();

    // A cursor's references and its save: its resource id, a .CUR or .ANI file.
    void FillReferences(icons::IconFile& file, const std::string& name, int index);
    std::string ImageCellCaption(std::size_t i) const;

    bool cursor_ = false;                            // the window shows a cursor
    std::optional<icons::AnimatedCursor> animation_;  // ...an animated one
    std::vector<int> frameOf_;                        // each shown image's frame, for an animated cursor
    icons::StoredIcon stored_;  // as the file stores it
    icons::StoredIcon images_;  // what the window shows: the stored images, or the shell's icon
    std::vector<iconexport::StoredImageFacts> facts_;
    std::vector<bool> readable_;  // per image: its pixels could be had
    std::unique_ptr<iconexport::WicImaging> imaging_;  // the window's, made for its first image
    std::string baseName_;
    int index_ = 0;
    iconexport::ProgramState* state_ = nullptr;
    std::optional<icons::ImageGroupKind> groups_;  // as ShowIcon was asked; unset: the state's
};

extern TForm7* Form7;
