#pragma once
// The surface layer: the one object through which every surface is created and every bitmap
// loaded. There is no display device behind it; surfaces are plain 32-bit pixel buffers and the
// colour key is pure magenta, exactly 0xFF00FF.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "DirectDrawSurface7.h"
#include "PictureCache.h"
#include "Types.h"

namespace morvish {

class PreviewPane;

// The largest width or height of a skin piece, colour chip or sample picture. No real skin comes
// near it (the game's own screen is smaller), and a file that claims more is refused before its
// pixels are allocated: one such file would cost its whole picture at every redraw that reads it,
// and room that a few dozen skins share in the picture cache.
inline constexpr int kMaxSkinPictureDimension = 4096;

class clsDirectDraw {
  public:
    // Prepares the layer. `hWnd` identifies the main window on platforms that bind the device
    // to one; here it is only kept. Always succeeds.
    bool ClassInitialize(std::uintptr_t hWnd = 0);

    // The primary surface (1 × 1 here; nothing reads its pixels).
    DirectDrawSurface7& PrimSurf() { return primary_; }

    // A new surface of exactly that size; every caller fills it before drawing.
    SurfacePtr CreateSurface(int nWidth, int nHeight) const;

    // Loads a BMP file. A missing file or an empty name gives a null surface and leaves Width and
    // Height as they were; a file that exists but cannot be decoded (or is larger than
    // kMaxSkinPictureDimension) gives an error naming the file and the reason. With
    // IsSetSrcColorKey the surface gets the magenta source colour key.
    SurfaceResult CreateSurfaceFromFile(const std::filesystem::path& FileName,
                                        bool IsSetSrcColorKey, int* Width = nullptr,
                                        int* Height = nullptr) const;

    // CreateSurfaceFromFile's surface held by value: nothing when the file is missing. A piece
    // drawn at every redraw is made this way, without a surface on the heap each time.
    Result<std::optional<DirectDrawSurface7>> LoadSurface(const std::filesystem::path& FileName,
                                                          bool IsSetSrcColorKey) const;
    // The same for a name asked for again and again, which keeps where the cache holds it.
    Result<std::optional<DirectDrawSurface7>> LoadSurface(const std::filesystem::path& FileName,
                                                          bool IsSetSrcColorKey,
                                                          PictureCache::Hint& hint) const;

    // The decoded picture of a skin's BMP file, as CreateSurfaceFromFile finds and reads it:
    // null when there is no such file. Pictures come from the picture cache while their files
    // are unchanged; nobody changes them.
    Result<std::shared_ptr<const Bitmap>> LoadPicture(const std::filesystem::path& FileName) const;

    void setColorKey(DirectDrawSurface7& setToSurface) const;
    std::uint32_t getColorKey() const { return kColorKey; }
    RECT getSurfaceRect(const DirectDrawSurface7& getSurface) const;
    // The outer rectangle of a preview pane's window.
    RECT getWindowRect(const PreviewPane& hWnd) const;
    void ClearPrimarySurface(Color ClearColor);

  private:
    std::uintptr_t window_ = 0;
    DirectDrawSurface7 primary_{1, 1};
};

// The program's single surface layer.
extern clsDirectDraw gDirectDraw;

}  // namespace morvish
