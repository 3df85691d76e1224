#pragma once
// An off-screen picture in the working pixel format (32-bit 0x00RRGGBB) with the operations the
// windows draw with: blits with or without the source colour key, fills, boxes and text.
// Every operation is clipped to this surface, so a draw that reaches past an edge, or lies
// wholly outside, paints only what falls inside.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "Bitmap.h"
#include "Types.h"

namespace morvish {

class DrawingLog;
class SkinFont;

inline constexpr std::uint32_t DDBLT_WAIT = 0x1000000;
inline constexpr std::uint32_t DDBLT_KEYSRC = 0x8000;
inline constexpr std::uint32_t DDCKEY_SRCBLT = 8;

// The one transparent colour, pure magenta, in the working pixel format.
inline constexpr std::uint32_t kColorKey = 0xFF00FF;

class DirectDrawSurface7 {
  public:
    // A surface whose pixels are all 0.
    DirectDrawSurface7(int width, int height);
    // A surface whose pixels are left as memory had them, for a caller that fills it first.
    struct Unfilled {};
    DirectDrawSurface7(int width, int height, Unfilled);
    explicit DirectDrawSurface7(const Bitmap& picture);
    // A surface that shows a decoded picture without copying it; the picture is copied only when
    // something is drawn onto the surface.
    explicit DirectDrawSurface7(std::shared_ptr<const Bitmap> picture);
    // A view of the `area` of another surface (cut to that surface): (0, 0) is the area's top-left
    // pixel, drawing is clipped to the area and lands in the other surface's pixels, which must
    // outlive the view. A picture made of pictures is drawn in place this way, without a copy.
    struct View {};
    DirectDrawSurface7(View, DirectDrawSurface7& whole, RECT area);
    // A view of the whole of a picture: drawing lands in its pixels, which must outlive the view.
    DirectDrawSurface7(View, Bitmap& picture);
    // A surface without pixels that notes in `log` everything asked of it and of its views,
    // instead of drawing it; nothing may read its pixels.
    struct Recording {};
    DirectDrawSurface7(Recording, int width, int height, DrawingLog& log);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Copies `source` rectangle of `source` to `destination` on this surface (both the same size).
    // With DDBLT_KEYSRC in `flags`, source pixels equal to the source's colour key are skipped;
    // a source without a colour key copies every pixel.
    // With `onto`, a keyed blit paints the key's pixels that form colour instead of leaving them
    // out, as if the rectangle had been filled with it first.
    void Blt(RECT destination, const DirectDrawSurface7& source, RECT sourceRect,
             std::uint32_t flags, std::optional<Color> onto = std::nullopt);
    // Fills the rectangle with a form colour (0x00BBGGRR) or with the colour key value; the
    // all-zero rectangle means the whole surface.
    void BltColorFill(RECT rect, Color color);

    void SetFont(const SkinFont* font) { font_ = font; }
    void SetForeColor(Color color) { foreColor_ = color; }
    void SetFillColor(Color color) { fillColor_ = color; }
    // Draws the text in the current font and fore colour with the top-left of its first
    // character cell at (x, y); only glyphs are painted. Without a font nothing is drawn.
    void DrawText(int x, int y, std::string_view text, bool transparent = false);
    // Paints columns x1 to x2 - 1 and rows y1 to y2 - 1: a one-pixel outline in the fore colour
    // around an interior in the fill colour.
    void DrawBox(int x1, int y1, int x2, int y2);

    // Source colour key (DDCKEY_SRCBLT): pixels equal to `low` are transparent in keyed blits.
    void SetColorKey(std::uint32_t flags, std::uint32_t low, std::uint32_t high);
    bool HasColorKey() const { return hasColorKey_; }
    std::uint32_t ColorKey() const { return colorKey_; }

    // Pixel access in the working format (0x00RRGGBB); the position must lie on the surface.
    std::uint32_t Pixel(int x, int y) const { return Data()[Index(x, y)]; }
    void SetPixel(int x, int y, std::uint32_t rgb) {
        if (log_ != nullptr) return Note(x, y, rgb);
        MutableData()[Index(x, y)] = rgb;
    }
    // Every pixel, row by row from the top. Not for a view, whose rows are not one run.
    std::span<const std::uint32_t> Pixels() const {
        return {Data(), std::size_t(width_) * std::size_t(height_)};
    }
    bool IsView() const { return view_ != nullptr; }

    // A copy of the picture, for PNG output and for the desktop program's preview.
    Bitmap ToBitmap() const;

  private:
    friend class DrawingLog;

    std::size_t Index(int x, int y) const {
        return std::size_t(y) * std::size_t(stride_) + std::size_t(x);
    }
    void FillClipped(int x1, int y1, int x2, int y2, std::uint32_t rgb);
    const std::uint32_t* Data() const {
        return view_ != nullptr ? view_ : shared_ ? shared_->pixels.data() : own_.get();
    }
    // The surface's own pixels, made from the shared picture at the first change.
    std::uint32_t* MutableData();
    // This surface as an area of the recording it writes to.
    RECT RecordedArea() const {
        return RECT{originX_, originY_, originX_ + width_, originY_ + height_};
    }
    void Note(int x, int y, std::uint32_t rgb);

    int width_;
    int height_;
    int stride_;  // pixels from one row to the next
    std::unique_ptr<std::uint32_t[]> own_;
    std::uint32_t* view_ = nullptr;  // the first pixel of a view's area in another surface
    std::shared_ptr<const Bitmap> shared_;
    bool hasColorKey_ = false;
    std::uint32_t colorKey_ = 0;
    const SkinFont* font_ = nullptr;
    Color foreColor_ = 0;
    Color fillColor_ = 0;
    // Set on a recording and its views: where requests go, and where the surface lies in it.
    DrawingLog* log_ = nullptr;
    int originX_ = 0;
    int originY_ = 0;
};

using SurfacePtr = std::unique_ptr<DirectDrawSurface7>;

// What a window returns: a picture, a null pointer for "nothing new to show", or an error.
using SurfaceResult = Result<SurfacePtr>;

// Converts a form colour (0x00BBGGRR) to the working pixel format (0x00RRGGBB).
constexpr std::uint32_t ToPixel(Color color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
// Converts a working-format pixel to a form colour.
constexpr Color ToColor(std::uint32_t pixel) {
    return ToPixel(pixel);
}

}  // namespace morvish
