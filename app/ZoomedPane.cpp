#include "ZoomedPane.h"

#include <algorithm>

#include "render/DirectDrawSurface7.h"

namespace morvish {

namespace {

// The pane's sunken border on each side, which its drawing area lies within.
constexpr int kBorder = 2;

}  // namespace

void ZoomedPane::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
}

int ZoomedPane::Unzoom(int position) const {
    return position >= 0 ? position / zoom_ : -((-position + zoom_ - 1) / zoom_);
}

RECT ZoomedPane::WindowRect() const {
    // The drawing area at 1/zoom, inside a border as wide as the real one.
    const int width = std::max(real_.Width() - 2 * kBorder, 0) / zoom_;
    const int height = std::max(real_.Height() - 2 * kBorder, 0) / zoom_;
    return RECT{0, 0, width + 2 * kBorder, height + 2 * kBorder};
}

void ZoomedPane::ShowPicture(const Bitmap& picture) {
    if (zoom_ == 1) {
        real_.ShowPicture(picture);
        return;
    }
    ZoomPicture(picture, zoom_, std::max(real_.Width() - 2 * kBorder, 0),
                std::max(real_.Height() - 2 * kBorder, 0), ToPixel(real_.BackColor()), zoomed_);
    real_.ShowPicture(zoomed_);
}

void ZoomedPane::ShowPictureChange(const Bitmap& picture, RECT changed) {
    // At ×1 the pane is the real one; zoomed, the picture it is shown is made anew each time.
    if (zoom_ == 1) {
        real_.ShowPictureChange(picture, changed);
        return;
    }
    ShowPicture(picture);
}

Bitmap ZoomPicture(const Bitmap& picture, int zoom, int width, int height, std::uint32_t back) {
    Bitmap out;
    ZoomPicture(picture, zoom, width, height, back, out);
    return out;
}

void ZoomPicture(const Bitmap& picture, int zoom, int width, int height, std::uint32_t back,
                 Bitmap& out) {
    out.width = width;
    out.height = height;
    out.pixels.assign(std::size_t(width) * std::size_t(height), back);
    const int columns = std::min(width, picture.width * zoom);
    const int rows = std::min(height, picture.height * zoom);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            out.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                picture.At(x / zoom, y / zoom);
        }
    }
}

}  // namespace morvish
