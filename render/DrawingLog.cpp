#include "DrawingLog.h"

#include "DirectDrawSurface7.h"

namespace morvish {

namespace {

// Whether the pointer and the weak pointer name the same picture. The weak pointer keeps the
// picture's control block from being reused, so a picture decoded later never passes for it.
bool SameOwner(const std::weak_ptr<const Bitmap>& kept,
               const std::shared_ptr<const Bitmap>& fresh) {
    return !kept.owner_before(fresh) && !fresh.owner_before(kept);
}

}  // namespace

bool DrawingLog::Same(const Request& kept, const Request& fresh) const {
    if (kept.kind != fresh.kind || kept.area != fresh.area || kept.rect != fresh.rect ||
        kept.value != fresh.value) {
        return false;
    }
    switch (kept.kind) {
        case Kind::kFill:
        case Kind::kPixel:
            return true;
        case Kind::kText:
            return kept.font == fresh.font && kept.text == fresh.text;
        case Kind::kBlt:
            break;
    }
    if (kept.fromFrame || fresh.fromFrame) return false;
    if (kept.sourceRect != fresh.sourceRect || kept.onto != fresh.onto ||
        kept.sourceKeyed != fresh.sourceKeyed || kept.sourceKey != fresh.sourceKey ||
        kept.byContent != fresh.byContent) {
        return false;
    }
    if (!kept.byContent) return SameOwner(kept.decoded, fresh.picture);
    const Bitmap& a = *kept.picture;
    const Bitmap& b = *fresh.picture;
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

bool DrawingLog::DrawsTheSameAs(const DrawingLog& fresh) const {
    if (requests_.size() != fresh.requests_.size()) return false;
    for (std::size_t i = 0; i < requests_.size(); ++i) {
        if (!Same(requests_[i], fresh.requests_[i])) return false;
    }
    return true;
}

void DrawingLog::Replay(DirectDrawSurface7& frame) const {
    for (const Request& request : requests_) {
        DirectDrawSurface7 surface(DirectDrawSurface7::View{}, frame, request.area);
        const RECT& r = request.rect;
        switch (request.kind) {
            case Kind::kFill:
                surface.FillClipped(r.Left, r.Top, r.Right, r.Bottom, request.value);
                break;
            case Kind::kPixel:
                surface.SetPixel(r.Left, r.Top, request.value);
                break;
            case Kind::kText:
                surface.SetFont(request.font);
                surface.SetForeColor(request.value);
                surface.DrawText(r.Left, r.Top, request.text);
                break;
            case Kind::kBlt: {
                // A copy from the frame reads the area as it was before the copy began.
                DirectDrawSurface7 source =
                    request.fromFrame
                        ? DirectDrawSurface7(DirectDrawSurface7(DirectDrawSurface7::View{}, frame,
                                                                request.sourceArea)
                                                 .ToBitmap())
                        : DirectDrawSurface7(request.picture);
                if (request.sourceKeyed) {
                    source.SetColorKey(DDCKEY_SRCBLT, request.sourceKey, request.sourceKey);
                }
                surface.Blt(r, source, request.sourceRect, request.value, request.onto);
                break;
            }
        }
    }
}

void DrawingLog::ForgetPictures() {
    for (Request& request : requests_) {
        if (request.kind == Kind::kBlt && !request.byContent) request.picture.reset();
    }
}

}  // namespace morvish
