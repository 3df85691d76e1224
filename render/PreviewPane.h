#pragma once
// The preview picture box as the skin manager sees it: a window with a 2-pixel sunken border,
// a background colour, and a drawing area that keeps the last picture copied into it.
// The desktop program supplies the real pane; the headless renderer and the tests their own.

#include <algorithm>
#include <cstddef>
#include <utility>

#include "Bitmap.h"
#include "Types.h"

namespace morvish {

// The rectangle cut to a width × height picture; an empty one when nothing of it lies inside.
inline RECT Clipped(RECT r, int width, int height) {
    r.Left = std::clamp(r.Left, 0, width);
    r.Right = std::clamp(r.Right, r.Left, width);
    r.Top = std::clamp(r.Top, 0, height);
    r.Bottom = std::clamp(r.Bottom, r.Top, height);
    return r;
}

class PreviewPane {
  public:
    virtual ~PreviewPane() = default;

    // The outer rectangle of the pane's window in screen pixels, border included.
    virtual RECT WindowRect() const = 0;
    // Background colour of the pane (a form colour, 0x00BBGGRR).
    virtual Color BackColor() const = 0;
    // Replaces what the drawing area shows with `picture`, which has the drawing area's size
    // (the outer size less the 2-pixel border on every side), and repaints. The picture is the
    // caller's and is drawn again in place next time: the pane keeps a copy, in its own form.
    virtual void ShowPicture(const Bitmap& picture) = 0;
    // Shows `picture` again when only its `changed` rectangle (right and bottom exclusive) has
    // been drawn since this pane was last shown this same picture: a pane may copy and repaint
    // just that part. Given another picture or size since, it must show the whole.
    virtual void ShowPictureChange(const Bitmap& picture, RECT changed) {
        (void)changed;
        ShowPicture(picture);
    }

    int Width() const { return WindowRect().Width(); }
    int Height() const { return WindowRect().Height(); }
};

// A pane that only remembers what it was shown: for the headless renderer and the tests.
class MemoryPreviewPane : public PreviewPane {
  public:
    MemoryPreviewPane(int width, int height, Color backColor = 0xFFFFFF)
        : width_(width), height_(height), backColor_(backColor) {}

    RECT WindowRect() const override { return RECT{0, 0, width_, height_}; }
    Color BackColor() const override { return backColor_; }
    void ShowPicture(const Bitmap& picture) override {
        shown_.width = picture.width;
        shown_.height = picture.height;
        shown_.pixels.assign(picture.pixels.begin(), picture.pixels.end());
        source_ = &picture;
        ++presentations_;
    }
    void ShowPictureChange(const Bitmap& picture, RECT changed) override {
        if (&picture != source_ || picture.width != shown_.width ||
            picture.height != shown_.height) {
            return ShowPicture(picture);
        }
        changed = Clipped(changed, picture.width, picture.height);
        for (int y = changed.Top; y < changed.Bottom; ++y) {
            const std::size_t at = std::size_t(y) * std::size_t(picture.width);
            std::copy(picture.pixels.begin() + std::ptrdiff_t(at + std::size_t(changed.Left)),
                      picture.pixels.begin() + std::ptrdiff_t(at + std::size_t(changed.Right)),
                      shown_.pixels.begin() + std::ptrdiff_t(at + std::size_t(changed.Left)));
        }
        ++presentations_;
    }

    void Resize(int width, int height) { width_ = width, height_ = height; }
    void SetBackColor(Color color) { backColor_ = color; }
    const Bitmap& Shown() const { return shown_; }
    int Presentations() const { return presentations_; }

  private:
    int width_;
    int height_;
    Color backColor_;
    Bitmap shown_;
    const Bitmap* source_ = nullptr;  // what was shown last, for showing its changes
    int presentations_ = 0;
};

}  // namespace morvish
