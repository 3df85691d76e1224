#include "clsDirectDraw.h"

#include "BmpDecoder.h"
#include "FileLookup.h"
#include "PreviewPane.h"

namespace morvish {

clsDirectDraw gDirectDraw;

bool clsDirectDraw::ClassInitialize(std::uintptr_t hWnd) {
    window_ = hWnd;
    return true;
}

SurfacePtr clsDirectDraw::CreateSurface(int nWidth, int nHeight) const {
    return std::make_unique<DirectDrawSurface7>(nWidth, nHeight);
}

SurfaceResult clsDirectDraw::CreateSurfaceFromFile(const std::filesystem::path& FileName,
                                                   bool IsSetSrcColorKey, int* Width,
                                                   int* Height) const {
    if (FileName.empty()) return nullptr;
    std::optional<std::filesystem::path> found = ResolvePath(FileName);
    std::error_code error;
    if (!found || !std::filesystem::is_regular_file(*found, error)) return nullptr;
    Result<Bitmap> picture = LoadBmpFile(*found, kMaxSkinPictureDimension);
    if (!picture) return std::unexpected(picture.error());
    auto surface = std::make_unique<DirectDrawSurface7>(std::move(*picture));
    if (Width != nullptr) *Width = surface->Width();
    if (Height != nullptr) *Height = surface->Height();
    if (IsSetSrcColorKey) setColorKey(*surface);
    return surface;
}

void clsDirectDraw::setColorKey(DirectDrawSurface7& setToSurface) const {
    setToSurface.SetColorKey(DDCKEY_SRCBLT, kColorKey, kColorKey);
}

RECT clsDirectDraw::getSurfaceRect(const DirectDrawSurface7& getSurface) const {
    return RECT{0, 0, getSurface.Width(), getSurface.Height()};
}

RECT clsDirectDraw::getWindowRect(const PreviewPane& hWnd) const {
    return hWnd.WindowRect();
}

void clsDirectDraw::ClearPrimarySurface(Color ClearColor) {
    primary_.BltColorFill({}, ClearColor);
}

}  // namespace morvish
