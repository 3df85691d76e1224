#pragma once
// The preview at a zoom of ×1 to ×4. The skin managers present into this pane as into the real
// one, which it stands for at 1/zoom of its size; every picture they show is enlarged by copying
// each pixel into a zoom × zoom square (nearest neighbour, so pixels stay square and sharp). A
// mouse position in the real pane, divided by the zoom, is a position in this pane: the manager's
// own translation then lands on the very pixel drawn under the pointer.

#include "render/Bitmap.h"
#include "render/PreviewPane.h"

namespace morvish {

inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 4;

class ZoomedPane : public PreviewPane {
  public:
    explicit ZoomedPane(PreviewPane& real) : real_(real) {}

    int Zoom() const { return zoom_; }
    // Sets the zoom, kept within ×1 to ×4.
    void SetZoom(int zoom);
    // A position of the real pane's drawing area in this pane's (floor of the division, so that a
    // point left of or above the picture stays negative).
    int Unzoom(int position) const;

    RECT WindowRect() const override;
    Color BackColor() const override { return real_.BackColor(); }
    // Shows `picture` in the real pane, enlarged unless the zoom is ×1. The enlarged copy is kept
    // for the next picture, so a redraw at the same size allocates nothing.
    void ShowPicture(const Bitmap& picture) override;
    void ShowPictureChange(const Bitmap& picture, RECT changed) override;

  private:
    PreviewPane& real_;
    int zoom_ = 1;
    Bitmap zoomed_;
};

// `picture` enlarged `zoom` times into a width × height area of `back` (pixels 0x00RRGGBB), from
// its top-left corner; what does not fit is cut off. The result goes into `out`, whose storage is
// reused.
void ZoomPicture(const Bitmap& picture, int zoom, int width, int height, std::uint32_t back,
                 Bitmap& out);
Bitmap ZoomPicture(const Bitmap& picture, int zoom, int width, int height, std::uint32_t back);

}  // namespace morvish
