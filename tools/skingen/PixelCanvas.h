#pragma once
// A small raster to paint the demo skins' pieces on: fills, lines, gradients, bevels, rounded
// shapes and pasting, all in 0x00RRGGBB pixels and integer arithmetic, so that every run paints
// the very same bytes. Everything is clipped to the canvas.

#include <cstdint>
#include <functional>

#include "render/Bitmap.h"

namespace morvish::skingen {

using Pixel = std::uint32_t;  // 0x00RRGGBB

// The transparent colour of every skin bitmap: pure magenta.
inline constexpr Pixel kKey = 0xFF00FF;

constexpr Pixel Rgb(int red, int green, int blue) {
    return (Pixel(red & 0xFF) << 16) | (Pixel(green & 0xFF) << 8) | Pixel(blue & 0xFF);
}
constexpr int Red(Pixel p) {
    return int((p >> 16) & 0xFF);
}
constexpr int Green(Pixel p) {
    return int((p >> 8) & 0xFF);
}
constexpr int Blue(Pixel p) {
    return int(p & 0xFF);
}

// The colour `step` of `steps` of the way from `from` to `to` (step 0 is `from`, step `steps` is
// `to`), rounded to the nearest value.
Pixel Mix(Pixel from, Pixel to, int step, int steps);
// Towards white or black by `percent` (0 to 100).
Pixel Lighter(Pixel p, int percent);
Pixel Darker(Pixel p, int percent);
// The grey of the same brightness.
Pixel Grey(Pixel p);

// Where a pixel lies in a rounded rectangle.
enum class Region { Outside, Edge, Inside };

class Canvas {
  public:
    Canvas(int width, int height, Pixel fill = kKey);

    int Width() const { return bitmap_.width; }
    int Height() const { return bitmap_.height; }
    const Bitmap& Picture() const { return bitmap_; }

    // Reading outside gives the key colour; writing outside does nothing.
    Pixel At(int x, int y) const;
    void Set(int x, int y, Pixel p);

    void Fill(int x, int y, int w, int h, Pixel p);
    void Fill(Pixel p) { Fill(0, 0, Width(), Height(), p); }
    void HLine(int x, int y, int length, Pixel p) { Fill(x, y, length, 1, p); }
    void VLine(int x, int y, int length, Pixel p) { Fill(x, y, 1, length, p); }
    void Line(int x0, int y0, int x1, int y1, Pixel p);
    // A one-pixel outline of the rectangle.
    void Frame(int x, int y, int w, int h, Pixel p);
    // Light on the top and left edges, dark on the bottom and right ones (raised; swap for sunken).
    void Bevel(int x, int y, int w, int h, Pixel light, Pixel dark);
    void VGradient(int x, int y, int w, int h, Pixel top, Pixel bottom);
    void HGradient(int x, int y, int w, int h, Pixel left, Pixel right);

    // Classifies (px, py) against the rectangle (x, y, w, h) with corners of `radius` pixels.
    static Region RoundedRegion(int px, int py, int x, int y, int w, int h, int radius);
    // Calls paint(px, py, region) for every pixel of the rectangle that is not outside it.
    void ForRounded(int x, int y, int w, int h, int radius,
                    const std::function<void(int, int, Region)>& paint);
    // Makes the corners outside a `radius` rounding of the whole canvas transparent (magenta).
    void CutCorners(int radius, bool top = true, bool bottom = true);
    // A disc whose centre lies at (cx2 / 2, cy2 / 2): doubled coordinates allow centres between
    // pixels. Pixels within `radius2 / 2` of the centre are painted.
    void Disc(int cx2, int cy2, int radius2, Pixel p);
    // A filled triangle (for arrows), corners in pixel coordinates.
    void Triangle(int x0, int y0, int x1, int y1, int x2, int y2, Pixel p);

    // Copies `source` with its top-left at (x, y); keyed copies leave out magenta pixels.
    void Paste(const Canvas& source, int x, int y, bool keyed = true);
    Canvas Crop(int x, int y, int w, int h) const;
    // Replaces every non-magenta pixel by f(pixel).
    void Recolor(const std::function<Pixel(Pixel)>& f);
    // A one-pixel outline in `p` around every painted (non-magenta) area, on magenta pixels only.
    void Outline(Pixel p);

  private:
    Bitmap bitmap_;
};

}  // namespace morvish::skingen
