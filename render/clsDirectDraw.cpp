#include "clsDirectDraw.h"

#include "PictureCache.h"
#include "PreviewPane.h"

namespace morvish {

clsDirectDraw gDirectDraw;

bool clsDirectDraw::ClassInitialize(std::uintptr_t hWnd) {
    window_ = hWnd;
    return true;
}

SurfacePtr clsDirectDraw::CreateSurface(int nWidth, int nHeight) const {
    return std::make_unique<DirectDrawSurface7>(nWidth, nHeight, DirectDrawSurface7::Unfilled{});
}

Result<std::shared_ptr<const Bitmap>> clsDirectDraw::LoadPicture(
    const std::filesystem::path& FileName) const {
    return gPictureCache.Load(FileName, kMaxSkinPictureDimension);
}

Result<std::optional<DirectDrawSurface7>> clsDirectDraw::LoadSurface(
    const std::filesystem::path& FileName, bool IsSetSrcColorKey) const {
    PictureCache::Hint none;
    return LoadSurface(FileName, IsSetSrcColorKey, none);
}

Result<std::optional<DirectDrawSurface7>> clsDirectDraw::LoadSurface(
    const std::filesystem::path& FileName, bool IsSetSrcColorKey, PictureCache::Hint& hint) const {
    if (FileName.empty()) return std::nullopt;
    Result<std::shared_ptr<const Bitmap>> picture =
        gPictureCache.Load(FileName, kMaxSkinPictureDimension, hint);
    if (!picture) return std::unexpected(picture.error());
    if (!*picture) return std::nullopt;
    std::optional<DirectDrawSurface7> surface(std::in_place, std::move(*picture));
    if (IsSetSrcColorKey) setColorKey(*surface);
    return surface;
}

SurfaceResult clsDirectDraw::CreateSurfaceFromFile(const std::filesystem::path& FileName,
                                                   bool IsSetSrcColorKey, int* Width,
                                                   int* Height) const {
    Result<std::optional<DirectDrawSurface7>> loaded = LoadSurface(FileName, IsSetSrcColorKey);
    if (!loaded) return std::unexpected(loaded.error());
    if (!*loaded) return nullptr;
    auto surface = std::make_unique<DirectDrawSurface7>(std::move(**loaded));
    if (Width != nullptr) *Width = surface->Width();
    if (Height != nullptr) *Height = surface->Height();
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
