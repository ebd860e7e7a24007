#include "dialogs/PictavoUnit7.h"
#include "toolkit/ProgramTexts.h"

#include <cstdio>

#include "dialogs/CursorDetails.h"
#include "icons/IconReferences.h"
#include "icons/IconSource.h"
#include "icons/PathNames.h"
#include "export/ExportFileNames.h"
#include "export/IconFileWriter.h"
#include "export/ImageClipboard.h"
#include "export/ImageDragOut.h"
#include "export/PngFileWriter.h"
#include "export/PngSizeChoice.h"
#include "export/SafeFileReplace.h"
#include "export/ShellIconImage.h"
#include "export/WriterErrors.h"
#include "toolkit/Clipboard.h"
#include "toolkit/SaveFileDialog.h"

TForm7* Form7 = nullptr;

namespace {

constexpr int kMinimumWidth = 480, kMinimumHeight = 330;
constexpr int kOpeningWidth = 760, kOpeningHeight = 560;  // room for a 256-pixel image
constexpr int kImagesTop = 122;
constexpr int kButtonRow = 36;  // from the bottom edge

// A system file's .mun, named from the Windows folder as the system names it.
std::string SourceText(const std::string& location, const std::string& windowsDir) {
    const std::string windows = icons::DirYen(windowsDir, toolkit::SystemLeadBytes());
    if (location.size() > windows.size() && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, location.c_str(),
                                                           static_cast<int>(windows.size()), windows.c_str(),
                                                           static_cast<int>(windows.size())) == CSTR_EQUAL)
        return location.substr(windows.size());
    return location;
}

}  // namespace

TForm7::TForm7() {
    Form7 = this;
    CreateForm(toolkit::Text(toolkit::TextId::DetailCaption), kMinimumWidth, kMinimumHeight, toolkit::FormPosition::SystemDefault);
    CreateControls();
    MakeSizable();
    SetSize(Scale(kOpeningWidth), Scale(kOpeningHeight));
}

TForm7::~TForm7() {
    Destroy();
    if (Form7 == this) Form7 = nullptr;
}

// The images come first in the tab order: the window opens with them focused, for the arrow keys.
void TForm7::CreateControls() {
    PictureRow1.Create(*this, {8, kImagesTop, kMinimumWidth - 16, kMinimumHeight - kImagesTop - kButtonRow - 8});
    PictureRow1.OnDragOut = [this](int image) { PictureRow1DragOut(image); };
    PictureRow1.OnSelect = [this](int image) { PictureRow1Select(image); };
    Label1.Create(*this, {8, 10, 0, 0}, toolkit::Text(toolkit::TextId::DetailFileLabel));
    Label2.Create(*this, {88, 10, 0, 0}, "");
    // The .mun row comes last: it is shown only for a system file.
    Label5.Create(*this, {8, 28, 0, 0}, toolkit::Text(toolkit::TextId::DetailIndexLabel));
    Label6.Create(*this, {88, 28, 0, 0}, "");
    Label3.Create(*this, {8, 46, 0, 0}, toolkit::Text(toolkit::TextId::DetailSourceLabel));
    Label4.Create(*this, {88, 46, 0, 0}, "");
    Label7.Create(*this, {8, 68, 0, 0}, toolkit::Text(toolkit::TextId::DetailByNumberLabel));
    Edit1.Create(*this, {88, 64, 200, 21}, "");
    Edit1.SetReadOnly(true);
    Button1.Create(*this, {296, 62, 85, 25}, toolkit::Text(toolkit::TextId::DetailCopyByNumber));
    Button1.OnClick = [this] { Button1Click(); };
    Label8.Create(*this, {8, 96, 0, 0}, toolkit::Text(toolkit::TextId::DetailByIdLabel));
    Edit2.Create(*this, {88, 92, 200, 21}, "");
    Edit2.SetReadOnly(true);
    Button2.Create(*this, {296, 90, 85, 25}, toolkit::Text(toolkit::TextId::DetailCopyById));
    Button2.OnClick = [this] { Button2Click(); };

    Button3.Create(*this, {8, 0, 85, 25}, toolkit::Text(toolkit::TextId::DetailCopy));
    Button3.OnClick = [this] { Button3Click(); };
    Button4.Create(*this, {101, 0, 110, 25}, toolkit::Text(toolkit::TextId::DetailSavePng));
    Button4.OnClick = [this] { Button4Click(); };
    Button5.Create(*this, {219, 0, 110, 25}, toolkit::Text(toolkit::TextId::DetailSaveIco));
    Button5.OnClick = [this] { Button5Click(); };
    Button6.Create(*this, {0, 0, 85, 25}, toolkit::Text(toolkit::TextId::DetailClose));
    Button6.SetModalResult(toolkit::mrCancel);
    Button6.SetCancel(true);
    FormResize();
}

// The images fill the room left; the buttons keep to the bottom edge, 閉じる to the right.
void TForm7::FormResize() {
    if (!Button6.Handle()) return;
    // The client area is in pixels at the window's DPI, the designed lengths at 96 DPI.
    const int width = ClientWidth(), height = ClientHeight();
    const int buttons = height - Scale(kButtonRow - 4);
    PictureRow1.SetBounds({Scale(8), Scale(kImagesTop), width - Scale(16), buttons - Scale(8 + kImagesTop)});
    for (toolkit::Button* button : {&Button3, &Button4, &Button5})
        button->SetBounds({button->Left(), buttons, button->Width(), Scale(25)});
    Button6.SetBounds({width - Scale(8 + 85), buttons, Scale(85), Scale(25)});
}

void TForm7::FillIcon(const std::string& folder, const std::string& name, int index) {
    const auto& codePage = toolkit::SystemLeadBytes();
    const std::string path = icons::DirYen(folder, codePage) + name;
    const icons::ImageGroupKind groups = groups_ ? *groups_ : state_ ? state_->Groups() : icons::ImageGroupKind::Icons;
    icons::IconFile file(Handle(), path, groups);
    index_ = index;
    baseName_ = iconexport::ExportBaseName(name, codePage);
    cursor_ = groups == icons::ImageGroupKind::Cursors;
    animation_ = cursor_ ? file.Animation(index) : std::nullopt;
    stored_ = file.Stored(index);
    images_ = animation_ ? cursordetails::FrameImages(*animation_, frameOf_)
                         : iconexport::ImagesOrShellIcon(stored_, [&] { return file.Extract(index); });
    facts_ = iconexport::FactsOf(images_);
    SetWindowTextA(Handle(), toolkit::Text(cursor_ ? toolkit::TextId::DetailCursorCaption : toolkit::TextId::DetailCaption));
    Label5.SetCaption(toolkit::Text(cursor_ ? toolkit::TextId::DetailCursorIndexLabel : toolkit::TextId::DetailIndexLabel));
    Button5.SetCaption(toolkit::Text(cursor_ ? toolkit::TextId::DetailSaveCur : toolkit::TextId::DetailSaveIco));

    Label2.SetCaption(path);
    const bool redirected = file.Location() != path;
    Label3.SetVisible(redirected);
    Label4.SetVisible(redirected);
    Label4.SetCaption(redirected ? SourceText(file.Location(), state_ ? state_->WindowsDir : std::string()) : "");
    Label6.SetCaption(std::to_string(index));
    FillReferences(file, name, index);
    ShowImages();
}

// An icon is referred to by its number and its id; a cursor by its resource id alone (none in a
// cursor file).
void TForm7::FillReferences(icons::IconFile& file, const std::string& name, int index) {
    const icons::IconReferences references =
        cursor_ ? icons::IconReferences{file.ResourceName(index), ""}
                : icons::ReferencesOf(icons::FileNamePart(name, toolkit::SystemLeadBytes()), file.Location(), index);
    Label7.SetCaption(toolkit::Text(cursor_ ? toolkit::TextId::DetailResourceIdLabel : toolkit::TextId::DetailByNumberLabel));
    Edit1.SetText(references.byNumber);
    Edit2.SetText(references.byId);
    for (toolkit::Control* control : {static_cast<toolkit::Control*>(&Label7), static_cast<toolkit::Control*>(&Edit1),
                                      static_cast<toolkit::Control*>(&Button1)})
        control->SetVisible(!references.byNumber.empty());
    for (toolkit::Control* control : {static_cast<toolkit::Control*>(&Label8), static_cast<toolkit::Control*>(&Edit2),
                                      static_cast<toolkit::Control*>(&Button2)})
        control->SetVisible(!references.byId.empty());
}

std::string TForm7::ImageCellCaption(std::size_t i) const {
    std::string caption = iconexport::ImageCaption(facts_[i]);
    if (images_[i].hotspot) caption += cursordetails::HotspotText(*images_[i].hotspot);
    if (animation_ && i < frameOf_.size()) caption += cursordetails::FrameText(*animation_, frameOf_[i]);
    return caption;
}

const iconexport::WicImaging& TForm7::Imaging() {
    if (!imaging_) imaging_ = std::make_unique<iconexport::WicImaging>();
    return *imaging_;
}

// One image that cannot be read is one cell: the others are shown as ever.
void TForm7::AddImageCell(std::size_t i) {
    if (images_[i].header.readable) {
        try {
            iconexport::ImagePixels pixels = iconexport::StoredImagePixels(Imaging(), images_[i]);
            if (images_[i].hotspot) cursordetails::MarkHotspot(pixels, *images_[i].hotspot);
            PictureRow1.Add(pixels.width, pixels.height, pixels.bgra, ImageCellCaption(i));
            readable_[i] = true;
            return;
        } catch (const iconexport::EInvalidGraphic&) {
            // bytes the system's decoder refuses: shown as unreadable
        }
    }
    constexpr int kBlankSide = 32;
    PictureRow1.Add(kBlankSide, kBlankSide, std::vector<std::uint8_t>(kBlankSide * kBlankSide * 4, 0),
                    toolkit::Text(toolkit::TextId::DetailUnreadable));
}

void TForm7::ShowImages() {
    PictureRow1.Clear();
    readable_.assign(images_.size(), false);
    for (std::size_t i = 0; i < images_.size(); ++i) AddImageCell(i);
    if (!images_.empty()) PictureRow1.Select(static_cast<int>(iconexport::LargestDeepestImage(facts_)));
    else PictureRow1Select(-1);
    Button5.SetEnabled(!stored_.empty());
}

bool TForm7::IsReadable(int image) const {
    return image >= 0 && static_cast<std::size_t>(image) < readable_.size() && readable_[static_cast<std::size_t>(image)];
}

void TForm7::PictureRow1Select(int image) {
    for (toolkit::Button* button : {&Button3, &Button4}) button->SetEnabled(IsReadable(image));
}

void TForm7::ShowIcon(iconexport::ProgramState& state, const std::string& folder, const std::string& name, int index) {
    ShowIcon(state, folder, name, index, state.Groups());
}

void TForm7::ShowIcon(iconexport::ProgramState& state, const std::string& folder, const std::string& name, int index,
                      icons::ImageGroupKind groups) {
    state_ = &state;
    groups_ = groups;
    auto& settings = *state.Settings;
    FillIcon(folder, name, index);
    SetTop(settings.ReadInteger("Form", "Form7Top", Top()));
    SetLeft(settings.ReadInteger("Form", "Form7Left", Left()));
    SetSize(settings.ReadInteger("Form", "Form7Width", Width()), settings.ReadInteger("Form", "Form7Height", Height()));
    KeepOnAMonitor();
    ShowModal();
    settings.WriteInteger("Form", "Form7Top", Top());
    settings.WriteInteger("Form", "Form7Left", Left());
    settings.WriteInteger("Form", "Form7Width", Width());
    settings.WriteInteger("Form", "Form7Height", Height());
}

void TForm7::Button1Click() { toolkit::Clipboard(Handle()).PutText(Edit1.Text()); }

void TForm7::Button2Click() { toolkit::Clipboard(Handle()).PutText(Edit2.Text()); }

void TForm7::Button3Click() {
    if (!IsReadable(PictureRow1.Selected())) return;
    iconexport::CopyImageToClipboard(Handle(), Imaging(), images_[static_cast<std::size_t>(PictureRow1.Selected())]);
}

// An image's PNG file at its own size.
iconexport::PngChoice TForm7::AsStored(int image) const {
    return iconexport::AsStoredChoice(facts_, static_cast<std::size_t>(image));
}

std::string TForm7::PngName(int image) const {
    return iconexport::PngFileName(baseName_, index_, iconexport::kEveryPngSize, AsStored(image));
}

// The selected image as stored: a PNG image byte for byte, a bitmap converted.
void TForm7::Button4Click() {
    const int image = PictureRow1.Selected();
    std::string path;
    if (!IsReadable(image) || !toolkit::AskSavePath(Handle(), {state_->SaveDir, PngName(image), toolkit::Text(toolkit::TextId::DetailPngFilter), "PNG"}, path)) return;
    iconexport::WritePngFile(Imaging(), images_, AsStored(image), path);
}

// The whole icon as an .ICO file; a cursor as a .CUR file, an animated one as its .ANI bytes.
void TForm7::Button5Click() {
    std::string path;
    if (animation_) {
        const std::string name = iconexport::ExportFileName(baseName_, index_, ".ANI");
        if (!toolkit::AskSavePath(Handle(), {state_->SaveDir, name, toolkit::Text(toolkit::TextId::DetailAniFilter), "ANI"}, path)) return;
        iconexport::ReplaceFileContents(path, animation_->bytes);
        return;
    }
    if (cursor_) {
        const std::string name = iconexport::ExportFileName(baseName_, index_, ".CUR");
        if (!toolkit::AskSavePath(Handle(), {state_->SaveDir, name, toolkit::Text(toolkit::TextId::DetailCurFilter), "CUR"}, path)) return;
        iconexport::WriteWholeIconFile(stored_, path);
        return;
    }
    const std::string name = iconexport::ExportFileName(baseName_, index_, ".ICO");
    if (!toolkit::AskSavePath(Handle(), {state_->SaveDir, name, toolkit::Text(toolkit::TextId::DetailIcoFilter), "ICO"}, path)) return;
    iconexport::WriteWholeIconFile(stored_, path);
}

void TForm7::PictureRow1DragOut(int image) {
    if (!IsReadable(image)) return;
    iconexport::DragPngFileOut(Handle(), PngName(image), iconexport::BuildPngFile(Imaging(), images_, AsStored(image)));
}

// Ctrl+C copies the selected image, except in the reference fields, which copy their own text.
bool TForm7::ShortcutKey(WPARAM key) {
    if (key != 'C' || !(GetKeyState(VK_CONTROL) & 0x8000)) return false;
    const HWND focus = GetFocus();
    if (focus == Edit1.Handle() || focus == Edit2.Handle()) return false;
    Button3.Send(BM_CLICK);  // through the button, so that an error reaches the error box
    return true;
}
