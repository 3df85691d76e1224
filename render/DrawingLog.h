#pragma once
// What a window asked of its place in a larger picture, kept instead of drawn: the blits, fills,
// single pixels and texts, in order, with what they copy from. Two logs that ask the same things
// paint the same pixels, so a picture drawn from one need not be drawn again for the other.
//
// A recording surface (DirectDrawSurface7::Recording) and every view of it write here instead
// of into pixels.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Types.h"

namespace morvish {

class DirectDrawSurface7;
class SkinFont;

class DrawingLog {
  public:
    // True when replaying `fresh` paints exactly what replaying this log painted. A decoded
    // picture counts as the same only when it is the very same one (a file changed on disk is
    // decoded anew, so it always differs); a picture made while drawing is compared pixel by
    // pixel. A log that copies from the frame itself never counts as the same.
    bool DrawsTheSameAs(const DrawingLog& fresh) const;

    // Does what was asked, in order, on `frame`, the surface the recording stood for; only
    // before ForgetPictures.
    void Replay(DirectDrawSurface7& frame) const;

    // Lets go of the decoded pictures, remembering only which they were: a kept log holds no
    // picture alive that the cache has let go.
    void ForgetPictures();

    std::size_t Size() const { return requests_.size(); }
    void Reserve(std::size_t requests) { requests_.reserve(requests); }

  private:
    friend class DirectDrawSurface7;

    enum class Kind : std::uint8_t { kBlt, kFill, kPixel, kText };
    struct Request {
        Kind kind = Kind::kFill;
        // The surface asked, as an area of the frame.
        RECT area{};
        // Blit: the destination. Fill: x1, y1, x2, y2. Pixel and text: the point at Left, Top.
        RECT rect{};
        // Blit: the source rectangle.
        RECT sourceRect{};
        // Blit: the flags. Fill and pixel: the pixel. Text: the fore colour.
        std::uint32_t value = 0;
        std::optional<Color> onto;
        // Blit: the source's colour key.
        bool sourceKeyed = false;
        std::uint32_t sourceKey = 0;
        // Blit: the source picture, and which decoded picture it is, still known once the
        // picture is let go of. A picture made while drawing is a copy and compared by content;
        // a source that was the frame itself is the area at sourceArea, read when replayed.
        std::shared_ptr<const Bitmap> picture;
        std::weak_ptr<const Bitmap> decoded;
        bool byContent = false;
        bool fromFrame = false;
        RECT sourceArea{};
        // Text.
        const SkinFont* font = nullptr;
        std::string text;
    };

    // Notes a request of the surface at `area` and returns it for the rest of what it needs.
    Request& Add(Kind kind, RECT area, RECT rect, std::uint32_t value) {
        Request& added = requests_.emplace_back();
        added.kind = kind;
        added.area = area;
        added.rect = rect;
        added.value = value;
        return added;
    }
    bool Same(const Request& kept, const Request& fresh) const;

    std::vector<Request> requests_;
};

}  // namespace morvish
