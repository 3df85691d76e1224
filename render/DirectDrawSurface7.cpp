#include "DirectDrawSurface7.h"

#include <algorithm>

#include "SkinFont.h"

namespace morvish {

DirectDrawSurface7::DirectDrawSurface7(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), 0) {}

DirectDrawSurface7::DirectDrawSurface7(Bitmap picture)
    : width_(picture.width), height_(picture.height), pixels_(std::move(picture.pixels)) {}

void DirectDrawSurface7::Blt(RECT destination, const DirectDrawSurface7& source, RECT sourceRect,
                             std::uint32_t flags) {
    // Callers pass rectangles of the same size; a mismatch copies the smaller of the two.
    int width = std::min(destination.Width(), sourceRect.Width());
    int height = std::min(destination.Height(), sourceRect.Height());
    int dx = destination.Left, dy = destination.Top;
    int sx = sourceRect.Left, sy = sourceRect.Top;

    // Clip against the source, then against this surface, moving both sides together.
    auto clip = [&](int& d, int& s, int& length, int sourceSize, int destinationSize) {
        if (s < 0) {
            d -= s;
            length += s;
            s = 0;
        }
        if (d < 0) {
            s -= d;
            length += d;
            d = 0;
        }
        length = std::min({length, sourceSize - s, destinationSize - d});
    };
    clip(dx, sx, width, source.width_, width_);
    clip(dy, sy, height, source.height_, height_);
    if (width <= 0 || height <= 0) return;

    const bool keyed = (flags & DDBLT_KEYSRC) != 0 && source.hasColorKey_;
    const std::uint32_t key = source.colorKey_;
    for (int row = 0; row < height; ++row) {
        const std::uint32_t* from = &source.pixels_[source.Index(sx, sy + row)];
        std::uint32_t* to = &pixels_[Index(dx, dy + row)];
        if (!keyed) {
            std::copy_n(from, width, to);
            continue;
        }
        for (int column = 0; column < width; ++column) {
            if (from[column] != key) to[column] = from[column];
        }
    }
}

void DirectDrawSurface7::FillClipped(int x1, int y1, int x2, int y2, std::uint32_t rgb) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, width_);
    y2 = std::min(y2, height_);
    // A rectangle wholly beside the surface is empty after clipping; its left edge may lie past
    // the last column, where no row of the buffer may be addressed.
    if (x1 >= x2 || y1 >= y2) return;
    for (int y = y1; y < y2; ++y) std::fill_n(&pixels_[Index(x1, y)], x2 - x1, rgb);
}

void DirectDrawSurface7::BltColorFill(RECT rect, Color color) {
    if (rect == RECT{}) rect = RECT{0, 0, width_, height_};
    FillClipped(rect.Left, rect.Top, rect.Right, rect.Bottom, ToPixel(color));
}

void DirectDrawSurface7::DrawText(int x, int y, std::string_view text, bool) {
    if (font_ == nullptr || text.empty()) return;
    font_->Draw(PixelTarget{pixels_.data(), width_, height_}, x, y, text, ToPixel(foreColor_));
}

void DirectDrawSurface7::DrawBox(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    const std::uint32_t outline = ToPixel(foreColor_);
    FillClipped(x1, y1, x2, y2, outline);
    FillClipped(x1 + 1, y1 + 1, x2 - 1, y2 - 1, ToPixel(fillColor_));
}

void DirectDrawSurface7::SetColorKey(std::uint32_t flags, std::uint32_t low, std::uint32_t) {
    if (flags != DDCKEY_SRCBLT) return;
    hasColorKey_ = true;
    colorKey_ = low;
}

Bitmap DirectDrawSurface7::ToBitmap() const {
    return Bitmap{width_, height_, pixels_};
}

}  // namespace morvish
