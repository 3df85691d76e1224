#include "PictureFile.h"

#include "platform/Platform.h"
#include "platform/WindowsApi.h"

#include <shlwapi.h>
#include <wincodec.h>

namespace morvish::win32 {

namespace {

// Releases a COM interface when it goes out of scope.
template <class Interface>
struct Com {
    Interface* p = nullptr;
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (p != nullptr) p->Release();
    }
    Interface** operator&() { return &p; }
    Interface* operator->() const { return p; }
};

}  // namespace

Result<Bitmap> ReadPictureFile(const std::filesystem::path& file) {
    // Read as a regular file first, so that a pipe or a device named ss.* is never opened by the
    // decoder.
    const Result<std::string> bytes = platform::ReadRegularFile(file);
    if (!bytes) return std::unexpected(bytes.error());
    const auto unreadable = [&](const char* reason) {
        return Failure(ErrorKind::PictureUnreadable, file,
                       platform::DisplayText(file) + ": " + reason);
    };

    Com<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)))) {
        return unreadable("no picture decoder");
    }
    Com<IStream> stream;
    stream.p =
        ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes->data()), UINT(bytes->size()));
    if (stream.p == nullptr) return unreadable("out of memory");
    Com<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                &decoder))) {
        return unreadable("not a picture in a known format");
    }
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height))) {
        return unreadable("the picture cannot be decoded");
    }
    constexpr UINT kLargest = 16384;
    if (width == 0 || height == 0 || width > kLargest || height > kLargest) {
        return unreadable("the picture's size is out of range");
    }
    Bitmap picture;
    picture.width = int(width);
    picture.height = int(height);
    picture.pixels.resize(std::size_t(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, UINT(picture.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(picture.pixels.data())))) {
        return unreadable("the picture cannot be decoded");
    }
    // 32bppBGR leaves the fourth byte undefined; the bitmap's pixels are 0x00RRGGBB.
    for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
    return picture;
}

}  // namespace morvish::win32
