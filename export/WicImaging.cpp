#include "export/WicImaging.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <climits>

#include "export/WriterErrors.h"
#include "foldertree/ComRef.h"

namespace iconexport {

using foldertree::ComRef;

namespace {

// Newer than the headers at hand: Windows 10's high-quality cubic filter.
constexpr auto kHighQualityCubic = static_cast<WICBitmapInterpolationMode>(4);

void Check(HRESULT result) {
    if (FAILED(result)) throw EInvalidGraphic::BadImages();
}

// COM for the calls of one operation; an apartment the thread already has is kept as it is.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialized_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

ComRef<IWICImagingFactory> MakeFactory() {
    ComRef<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory.PutVoid()));
    return factory;
}

ComRef<IWICBitmapSource> Converted(IWICImagingFactory* factory, IWICBitmapSource* source, REFWICPixelFormatGUID format) {
    ComRef<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(converter.Put()));
    Check(converter->Initialize(source, format, WICBitmapDitherTypeNone, nullptr, 0, WICBitmapPaletteTypeCustom));
    return converter.Query<IWICBitmapSource>(IID_IWICBitmapSource);
}

// Sizes a decoder reports are checked against the decode limit before anything is allocated.
ImagePixels CopyOut(IWICBitmapSource* source) {
    UINT width = 0, height = 0;
    Check(source->GetSize(&width, &height));
    if (width == 0 || height == 0 || width > icons::kMaxDecodedSide || height > icons::kMaxDecodedSide ||
        std::uint64_t(width) * height * 4 > icons::kMaxDecodedBytes)
        throw EInvalidGraphic::BadImages();
    ImagePixels pixels{static_cast<int>(width), static_cast<int>(height), {}};
    pixels.bgra.resize(std::size_t(width) * height * 4);
    Check(source->CopyPixels(nullptr, static_cast<UINT>(pixels.Stride()), static_cast<UINT>(pixels.bgra.size()),
                             pixels.bgra.data()));
    return pixels;
}

ComRef<IWICBitmapSource> SourceOf(IWICImagingFactory* factory, const ImagePixels& pixels) {
    ComRef<IWICBitmap> bitmap;
    Check(factory->CreateBitmapFromMemory(static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height),
                                          GUID_WICPixelFormat32bppBGRA, static_cast<UINT>(pixels.Stride()),
                                          static_cast<UINT>(pixels.bgra.size()),
                                          const_cast<BYTE*>(pixels.bgra.data()), bitmap.Put()));
    return bitmap.Query<IWICBitmapSource>(IID_IWICBitmapSource);
}

// A decoder of the bytes, which must outlive it (the stream reads them in place).
ComRef<IWICBitmapDecoder> DecoderOf(IWICImagingFactory* factory, const std::vector<std::uint8_t>& bytes) {
    ComRef<IWICStream> stream;
    Check(factory->CreateStream(stream.Put()));
    Check(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())));
    ComRef<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Put()));
    return decoder;
}

}  // namespace

class WicImaging::Parts {
public:
    ComApartment com;
    ComRef<IWICImagingFactory> factory = MakeFactory();
};

WicImaging::WicImaging() : parts_(std::make_unique<Parts>()) {}

WicImaging::~WicImaging() = default;

ImagePixels WicImaging::DecodePng(const icons::StoredIconImage& image) const {
    if (!image.header.IsPng() || !image.header.readable) throw EInvalidGraphic::BadImages();
    const std::vector<std::uint8_t>& bytes = image.bytes;
    IWICImagingFactory* factory = parts_->factory.Get();
    const ComRef<IWICBitmapDecoder> decoder = DecoderOf(factory, bytes);
    ComRef<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.Put()));
    return CopyOut(Converted(factory, frame.Get(), GUID_WICPixelFormat32bppBGRA).Get());
}

ImagePixels WicImaging::DecodeImage(const std::vector<std::uint8_t>& bytes, int maxSide) const {
    IWICImagingFactory* factory = parts_->factory.Get();
    const ComRef<IWICBitmapDecoder> decoder = DecoderOf(factory, bytes);
    // An icon file holds one frame per image: its largest within the limit is the picture.
    UINT frames = 0;
    Check(decoder->GetFrameCount(&frames));
    ComRef<IWICBitmapFrameDecode> chosen;
    UINT chosenWidth = 0, chosenHeight = 0;
    for (UINT i = 0; i < frames; ++i) {
        ComRef<IWICBitmapFrameDecode> frame;
        UINT width = 0, height = 0;
        Check(decoder->GetFrame(i, frame.Put()));
        Check(frame->GetSize(&width, &height));
        const bool fits = width <= UINT(maxSide) && height <= UINT(maxSide);
        const bool chosenFits = chosen && chosenWidth <= UINT(maxSide) && chosenHeight <= UINT(maxSide);
        const bool better = !chosen || (fits && (!chosenFits || std::max(width, height) > std::max(chosenWidth, chosenHeight))) ||
                            (!fits && !chosenFits && std::max(width, height) < std::max(chosenWidth, chosenHeight));
        if (better) chosen = std::move(frame), chosenWidth = width, chosenHeight = height;
    }
    if (!chosen) throw EInvalidGraphic::BadImages();
    if (chosenWidth > UINT(maxSide) || chosenHeight > UINT(maxSide))
        return ImagePixels{int(std::min<UINT>(chosenWidth, INT_MAX)), int(std::min<UINT>(chosenHeight, INT_MAX)), {}};
    return CopyOut(Converted(factory, chosen.Get(), GUID_WICPixelFormat32bppBGRA).Get());
}

std::vector<std::uint8_t> WicImaging::EncodePng(const ImagePixels& pixels) const {
    IWICImagingFactory* factory = parts_->factory.Get();
    ComRef<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
    ComRef<IWICBitmapEncoder> encoder;
    Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put()));
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache));
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(frame.Put(), options.Put()));
    Check(frame->Initialize(options.Get()));
    Check(frame->SetSize(static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height)));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    Check(frame->SetPixelFormat(&format));
    if (!IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA)) throw EInvalidGraphic::BadImages();
    Check(frame->WritePixels(static_cast<UINT>(pixels.height), static_cast<UINT>(pixels.Stride()),
                             static_cast<UINT>(pixels.bgra.size()), const_cast<BYTE*>(pixels.bgra.data())));
    Check(frame->Commit());
    Check(encoder->Commit());
    STATSTG stat{};
    Check(stream->Stat(&stat, STATFLAG_NONAME));
    HGLOBAL memory = nullptr;
    Check(GetHGlobalFromStream(stream.Get(), &memory));
    const auto* data = static_cast<const std::uint8_t*>(GlobalLock(memory));
    if (!data) throw EInvalidGraphic::BadImages();
    std::vector<std::uint8_t> png(data, data + stat.cbSize.QuadPart);
    GlobalUnlock(memory);
    return png;
}

// Resampled with alpha multiplied in, so transparent pixels lend no colour to their neighbours.
ImagePixels WicImaging::ScalePixels(const ImagePixels& pixels, int width, int height) const {
    IWICImagingFactory* factory = parts_->factory.Get();
    const ComRef<IWICBitmapSource> premultiplied =
        Converted(factory, SourceOf(factory, pixels).Get(), GUID_WICPixelFormat32bppPBGRA);
    // Windows offers high-quality cubic, else Fant; Wine 8 refuses both and scales linearly.
    for (WICBitmapInterpolationMode mode : {kHighQualityCubic, WICBitmapInterpolationModeFant, WICBitmapInterpolationModeLinear}) {
        ComRef<IWICBitmapScaler> scaler;
        Check(factory->CreateBitmapScaler(scaler.Put()));
        if (FAILED(scaler->Initialize(premultiplied.Get(), static_cast<UINT>(width), static_cast<UINT>(height), mode)))
            continue;
        try {
            return CopyOut(Converted(factory, scaler.Get(), GUID_WICPixelFormat32bppBGRA).Get());
        } catch (const EInvalidGraphic&) {
            // this filter is refused only when the pixels are asked for: the next one
        }
    }
    throw EInvalidGraphic::BadImages();
}

}  // namespace iconexport

namespace iconexport {

ImagePixels CentredOnCanvas(const ImagePixels& pixels, int width, int height) {
    if (pixels.width == width && pixels.height == height) return pixels;
    ImagePixels canvas{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4, 0)};
    const int left = (width - pixels.width) / 2, top = (height - pixels.height) / 2;
    for (int y = 0; y < pixels.height; ++y) {
        const auto row = pixels.bgra.begin() + std::ptrdiff_t(y) * pixels.Stride();
        std::copy(row, row + pixels.Stride(), canvas.bgra.begin() + (std::ptrdiff_t(top + y) * width + left) * 4);
    }
    return canvas;
}

}  // namespace iconexport
