#include "PixelCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace morvish::skingen {

namespace {

int MixChannel(int from, int to, int step, int steps) {
    // Rounded to nearest: add half the divisor with the sign of the numerator.
    const int numerator = (to - from) * step;
    const int rounded =
        numerator >= 0 ? (numerator + steps / 2) / steps : -((-numerator + steps / 2) / steps);
    return from + rounded;
}

// True when the pixel centre lies inside the rounded rectangle. Doubled coordinates keep the
// pixel centres on integers; the threshold 4r² − 2r − 1 gives the classic pixel-art corners
// (radius 1 cuts the corner pixel, 2 the corner pixel, 3 an L of three pixels).
bool InsideRounded(int px, int py, int x, int y, int w, int h, int radius) {
    if (px < x || py < y || px >= x + w || py >= y + h) return false;
    if (radius <= 0) return true;
    int cx = 0;
    int cy = 0;
    if (px < x + radius) {
        cx = 2 * (x + radius);
    } else if (px >= x + w - radius) {
        cx = 2 * (x + w - radius);
    } else {
        return true;
    }
    if (py < y + radius) {
        cy = 2 * (y + radius);
    } else if (py >= y + h - radius) {
        cy = 2 * (y + h - radius);
    } else {
        return true;
    }
    const int dx = 2 * px + 1 - cx;
    const int dy = 2 * py + 1 - cy;
    return dx * dx + dy * dy <= 4 * radius * radius - 2 * radius - 1;
}

}  // namespace

Pixel Mix(Pixel from, Pixel to, int step, int steps) {
    if (steps <= 0) return to;
    return Rgb(MixChannel(Red(from), Red(to), step, steps),
               MixChannel(Green(from), Green(to), step, steps),
               MixChannel(Blue(from), Blue(to), step, steps));
}

Pixel Lighter(Pixel p, int percent) {
    return Mix(p, 0xFFFFFF, percent, 100);
}
Pixel Darker(Pixel p, int percent) {
    return Mix(p, 0x000000, percent, 100);
}

Pixel Grey(Pixel p) {
    // Integer luma with the usual weights (0.299, 0.587, 0.114), scaled by 1000.
    const int luma = (299 * Red(p) + 587 * Green(p) + 114 * Blue(p) + 500) / 1000;
    return Rgb(luma, luma, luma);
}

Canvas::Canvas(int width, int height, Pixel fill)
    : bitmap_{width, height,
              std::vector<std::uint32_t>(std::size_t(width) * std::size_t(height), fill)} {}

Pixel Canvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return kKey;
    return bitmap_.At(x, y);
}

void Canvas::Set(int x, int y, Pixel p) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    bitmap_.pixels[std::size_t(y) * std::size_t(Width()) + std::size_t(x)] = p;
}

void Canvas::Fill(int x, int y, int w, int h, Pixel p) {
    for (int row = std::max(y, 0); row < std::min(y + h, Height()); ++row) {
        for (int column = std::max(x, 0); column < std::min(x + w, Width()); ++column) {
            Set(column, row, p);
        }
    }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Pixel p) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true) {
        Set(x0, y0, p);
        if (x0 == x1 && y0 == y1) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void Canvas::Frame(int x, int y, int w, int h, Pixel p) {
    if (w <= 0 || h <= 0) return;
    HLine(x, y, w, p);
    HLine(x, y + h - 1, w, p);
    VLine(x, y, h, p);
    VLine(x + w - 1, y, h, p);
}

void Canvas::Bevel(int x, int y, int w, int h, Pixel light, Pixel dark) {
    if (w <= 0 || h <= 0) return;
    HLine(x, y, w - 1, light);
    VLine(x, y, h - 1, light);
    HLine(x + 1, y + h - 1, w - 1, dark);
    VLine(x + w - 1, y + 1, h - 1, dark);
}

void Canvas::VGradient(int x, int y, int w, int h, Pixel top, Pixel bottom) {
    for (int row = 0; row < h; ++row)
        HLine(x, y + row, w, Mix(top, bottom, row, std::max(h - 1, 1)));
}

void Canvas::HGradient(int x, int y, int w, int h, Pixel left, Pixel right) {
    for (int column = 0; column < w; ++column) {
        VLine(x + column, y, h, Mix(left, right, column, std::max(w - 1, 1)));
    }
}

Region Canvas::RoundedRegion(int px, int py, int x, int y, int w, int h, int radius) {
    if (!InsideRounded(px, py, x, y, w, h, radius)) return Region::Outside;
    const bool edge = !InsideRounded(px - 1, py, x, y, w, h, radius) ||
                      !InsideRounded(px + 1, py, x, y, w, h, radius) ||
                      !InsideRounded(px, py - 1, x, y, w, h, radius) ||
                      !InsideRounded(px, py + 1, x, y, w, h, radius);
    return edge ? Region::Edge : Region::Inside;
}

void Canvas::ForRounded(int x, int y, int w, int h, int radius,
                        const std::function<void(int, int, Region)>& paint) {
    for (int py = y; py < y + h; ++py) {
        for (int px = x; px < x + w; ++px) {
            const Region region = RoundedRegion(px, py, x, y, w, h, radius);
            if (region != Region::Outside) paint(px, py, region);
        }
    }
}

void Canvas::CutCorners(int radius, bool top, bool bottom) {
    for (int py = 0; py < Height(); ++py) {
        const bool upper = py < Height() / 2;
        if ((upper && !top) || (!upper && !bottom)) continue;
        for (int px = 0; px < Width(); ++px) {
            if (!InsideRounded(px, py, 0, 0, Width(), Height(), radius)) Set(px, py, kKey);
        }
    }
}

void Canvas::Disc(int cx2, int cy2, int radius2, Pixel p) {
    const int left = (cx2 - radius2) / 2 - 1;
    const int right = (cx2 + radius2) / 2 + 1;
    const int top = (cy2 - radius2) / 2 - 1;
    const int bottom = (cy2 + radius2) / 2 + 1;
    for (int py = top; py <= bottom; ++py) {
        for (int px = left; px <= right; ++px) {
            const int dx = 2 * px + 1 - cx2;
            const int dy = 2 * py + 1 - cy2;
            if (dx * dx + dy * dy <= radius2 * radius2) Set(px, py, p);
        }
    }
}

void Canvas::Triangle(int x0, int y0, int x1, int y1, int x2, int y2, Pixel p) {
    // Pixel centres inside all three edges (either winding) are painted.
    const int left = std::min({x0, x1, x2});
    const int right = std::max({x0, x1, x2});
    const int top = std::min({y0, y1, y2});
    const int bottom = std::max({y0, y1, y2});
    auto side = [](int ax, int ay, int bx, int by, int px, int py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    for (int py = top; py <= bottom; ++py) {
        for (int px = left; px <= right; ++px) {
            const int s0 = side(x0, y0, x1, y1, px, py);
            const int s1 = side(x1, y1, x2, y2, px, py);
            const int s2 = side(x2, y2, x0, y0, px, py);
            if ((s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0)) Set(px, py, p);
        }
    }
}

void Canvas::Paste(const Canvas& source, int x, int y, bool keyed) {
    for (int row = 0; row < source.Height(); ++row) {
        for (int column = 0; column < source.Width(); ++column) {
            const Pixel p = source.At(column, row);
            if (keyed && p == kKey) continue;
            Set(x + column, y + row, p);
        }
    }
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
    Canvas part(w, h);
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) part.Set(column, row, At(x + column, y + row));
    }
    return part;
}

void Canvas::Recolor(const std::function<Pixel(Pixel)>& f) {
    for (std::uint32_t& p : bitmap_.pixels) {
        if (p != kKey) p = f(p);
    }
}

void Canvas::Outline(Pixel p) {
    const Canvas before = *this;
    for (int row = 0; row < Height(); ++row) {
        for (int column = 0; column < Width(); ++column) {
            if (before.At(column, row) != kKey) continue;
            const bool near = (column > 0 && before.At(column - 1, row) != kKey) ||
                              (column + 1 < Width() && before.At(column + 1, row) != kKey) ||
                              (row > 0 && before.At(column, row - 1) != kKey) ||
                              (row + 1 < Height() && before.At(column, row + 1) != kKey);
            if (near) Set(column, row, p);
        }
    }
}

}  // namespace morvish::skingen
