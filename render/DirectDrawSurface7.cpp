#include "DirectDrawSurface7.h"

#include <algorithm>

#include "DrawingLog.h"
#include "PixelRows.h"
#include "SkinFont.h"

namespace morvish {

namespace {

std::size_t Area(int width, int height) {
    return std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0));
}

}  // namespace

DirectDrawSurface7::DirectDrawSurface7(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      stride_(width_),
      own_(std::make_unique<std::uint32_t[]>(Area(width, height))) {}

DirectDrawSurface7::DirectDrawSurface7(int width, int height, Unfilled)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      stride_(width_),
      own_(std::make_unique_for_overwrite<std::uint32_t[]>(Area(width, height))) {}

DirectDrawSurface7::DirectDrawSurface7(const Bitmap& picture)
    : DirectDrawSurface7(picture.width, picture.height, Unfilled{}) {
    std::copy_n(picture.pixels.begin(), Area(width_, height_), own_.get());
}

DirectDrawSurface7::DirectDrawSurface7(std::shared_ptr<const Bitmap> picture)
    : width_(picture->width),
      height_(picture->height),
      stride_(width_),
      shared_(std::move(picture)) {}

DirectDrawSurface7::DirectDrawSurface7(View, DirectDrawSurface7& whole, RECT area)
    : width_(0), height_(0), stride_(whole.stride_) {
    const int left = std::clamp(area.Left, 0, whole.width_);
    const int top = std::clamp(area.Top, 0, whole.height_);
    width_ = std::max(std::min(area.Right, whole.width_) - left, 0);
    height_ = std::max(std::min(area.Bottom, whole.height_) - top, 0);
    if (whole.log_ != nullptr) {
        log_ = whole.log_;
        originX_ = whole.originX_ + left;
        originY_ = whole.originY_ + top;
        return;
    }
    view_ = whole.MutableData() + whole.Index(left, top);
}

DirectDrawSurface7::DirectDrawSurface7(View, Bitmap& picture)
    : width_(picture.width),
      height_(picture.height),
      stride_(width_),
      view_(picture.pixels.data()) {}

DirectDrawSurface7::DirectDrawSurface7(Recording, int width, int height, DrawingLog& log)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), stride_(width_), log_(&log) {}

void DirectDrawSurface7::Note(int x, int y, std::uint32_t rgb) {
    log_->Add(DrawingLog::Kind::kPixel, RecordedArea(), RECT{x, y, x + 1, y + 1}, rgb);
}

std::uint32_t* DirectDrawSurface7::MutableData() {
    if (view_ != nullptr) return view_;
    if (shared_) {
        own_ = std::make_unique_for_overwrite<std::uint32_t[]>(Area(width_, height_));
        std::copy_n(shared_->pixels.begin(), Area(width_, height_), own_.get());
        shared_.reset();
    }
    return own_.get();
}

void DirectDrawSurface7::Blt(RECT destination, const DirectDrawSurface7& source, RECT sourceRect,
                             std::uint32_t flags, std::optional<Color> onto) {
    if (log_ != nullptr) {
        DrawingLog::Request& request =
            log_->Add(DrawingLog::Kind::kBlt, RecordedArea(), destination, flags);
        request.sourceRect = sourceRect;
        request.onto = onto;
        request.sourceKeyed = source.hasColorKey_;
        request.sourceKey = source.colorKey_;
        if (source.log_ != nullptr) {
            request.fromFrame = true;
            request.sourceArea = source.RecordedArea();
        } else if (source.shared_) {
            request.picture = source.shared_;
            request.decoded = source.shared_;
        } else {
            request.picture = std::make_shared<const Bitmap>(source.ToBitmap());
            request.byContent = true;
        }
        return;
    }
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

    // A copy within one surface reads the rectangle as it was before the copy began.
    std::unique_ptr<DirectDrawSurface7> before;
    const DirectDrawSurface7* from = &source;
    if (&source == this) {
        before = std::make_unique<DirectDrawSurface7>(width, height, Unfilled{});
        before->Blt(RECT{0, 0, width, height}, *this, RECT{sx, sy, sx + width, sy + height},
                    DDBLT_WAIT);
        from = before.get();
        sx = sy = 0;
    }

    const bool keyed = (flags & DDBLT_KEYSRC) != 0 && source.hasColorKey_;
    const std::uint32_t key = source.colorKey_;
    std::uint32_t* pixels = MutableData();
    const std::uint32_t* sourcePixels = from->Data();
    // A decoded piece drawn many times knows where its key lies.
    const OpaqueRuns* runs =
        keyed && from->shared_ && from->shared_->opaque && from->shared_->opaque->key == key
            ? from->shared_->opaque.get()
            : nullptr;
    const std::uint32_t fill = ToPixel(onto.value_or(0));
    if (runs != nullptr) {
        CopyRectKeyed(pixels + Index(dx, dy), stride_, sourcePixels + from->Index(0, sy),
                      from->stride_, *runs, sy, sx, std::size_t(width), height,
                      onto ? std::optional<std::uint32_t>(fill) : std::nullopt);
        return;
    }
    if (!keyed) {
        CopyRect(pixels + Index(dx, dy), stride_, sourcePixels + from->Index(sx, sy), from->stride_,
                 std::size_t(width), height);
        return;
    }
    for (int row = 0; row < height; ++row) {
        const std::uint32_t* in = sourcePixels + from->Index(sx, sy + row);
        std::uint32_t* out = pixels + Index(dx, dy + row);
        if (keyed && onto) {
            CopyRowKeyedOnto(out, in, std::size_t(width), key, fill);
        } else {
            CopyRowKeyed(out, in, std::size_t(width), key);
        }
    }
}

void DirectDrawSurface7::FillClipped(int x1, int y1, int x2, int y2, std::uint32_t rgb) {
    if (log_ != nullptr) {
        log_->Add(DrawingLog::Kind::kFill, RecordedArea(), RECT{x1, y1, x2, y2}, rgb);
        return;
    }
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, width_);
    y2 = std::min(y2, height_);
    // A rectangle wholly beside the surface is empty after clipping; its left edge may lie past
    // the last column, where no row of the buffer may be addressed.
    if (x1 >= x2 || y1 >= y2) return;
    std::uint32_t* pixels = MutableData();
    // Whole rows lie one after another: one run fills them all.
    if (x1 == 0 && x2 == width_ && stride_ == width_) {
        FillRow(pixels + Index(0, y1), std::size_t(y2 - y1) * std::size_t(width_), rgb);
        return;
    }
    FillRect(pixels + Index(x1, y1), stride_, std::size_t(x2 - x1), y2 - y1, rgb);
}

void DirectDrawSurface7::BltColorFill(RECT rect, Color color) {
    if (rect == RECT{}) rect = RECT{0, 0, width_, height_};
    FillClipped(rect.Left, rect.Top, rect.Right, rect.Bottom, ToPixel(color));
}

void DirectDrawSurface7::DrawText(int x, int y, std::string_view text, bool) {
    if (font_ == nullptr || text.empty()) return;
    if (log_ != nullptr) {
        DrawingLog::Request& request =
            log_->Add(DrawingLog::Kind::kText, RecordedArea(), RECT{x, y, x, y}, foreColor_);
        request.font = font_;
        request.text = std::string(text);
        return;
    }
    font_->Draw(PixelTarget{MutableData(), width_, height_, stride_}, x, y, text,
                ToPixel(foreColor_));
}

void DirectDrawSurface7::DrawBox(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    const std::uint32_t outline = ToPixel(foreColor_);
    const std::uint32_t inside = ToPixel(fillColor_);
    if (inside == outline) {
        FillClipped(x1, y1, x2, y2, outline);
        return;
    }
    // The outline's four sides, then the inside.
    FillClipped(x1, y1, x2, y1 + 1, outline);
    FillClipped(x1, y2 - 1, x2, y2, outline);
    FillClipped(x1, y1 + 1, x1 + 1, y2 - 1, outline);
    FillClipped(x2 - 1, y1 + 1, x2, y2 - 1, outline);
    FillClipped(x1 + 1, y1 + 1, x2 - 1, y2 - 1, inside);
}

void DirectDrawSurface7::SetColorKey(std::uint32_t flags, std::uint32_t low, std::uint32_t) {
    if (flags != DDCKEY_SRCBLT) return;
    hasColorKey_ = true;
    colorKey_ = low;
}

Bitmap DirectDrawSurface7::ToBitmap() const {
    Bitmap picture{width_, height_, std::vector<std::uint32_t>(Area(width_, height_))};
    for (int y = 0; y < height_; ++y) {
        CopyRow(picture.pixels.data() + std::size_t(y) * std::size_t(width_), Data() + Index(0, y),
                std::size_t(width_));
    }
    return picture;
}

}  // namespace morvish
