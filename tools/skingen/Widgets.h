#pragma once
// The building blocks the pieces are painted from: bevelled buttons in their four looks, framed
// window parts with rounded corners, sunken panels and text fields.

#include <functional>
#include <string_view>

#include "PixelCanvas.h"
#include "PixelFont.h"
#include "Theme.h"

namespace morvish::skingen {

// The looks of a button: normal, under the pointer (lighter, with a glowing rim), held down
// (darker, inset, its content one pixel lower right) and disabled (greyed out).
enum class Look { Normal, Hover, Pressed, Disabled };

// Paints a button's content (label or symbol) in `ink`, moved by (dx, dy).
using Content = std::function<void(Canvas& canvas, Pixel ink, int dx, int dy)>;

// A w × h button with corners of `radius`, magenta outside them.
Canvas ButtonFace(const Theme& theme, int w, int h, Look look, int radius, const Content& content);
// A button with a centred label in the pixel font.
Canvas TextButton(const Theme& theme, int w, int h, std::string_view label, Look look,
                  Face face = Face::Small);

// Which sides of a framed part continue into a neighbouring piece (no outline, no rounding).
struct Open {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};

// Calls paint(x, y, region) for every pixel of the canvas inside a frame of `radius` corners,
// with the open sides running on past the canvas edge.
void ForFrame(Canvas& canvas, int radius, Open open,
              const std::function<void(int, int, Region)>& paint);

// A marker colour no scheme uses: FrameShape paints the frame's edge in it, so that the pixels
// next to the edge can be found afterwards.
inline constexpr Pixel kEdgeMark = 0x010203;
// A canvas with the frame's edge in kEdgeMark and every pixel inside painted inside(x, y).
Canvas FrameShape(int w, int h, int radius, Open open,
                  const std::function<Pixel(int, int)>& inside);
// True when a 4-neighbour of (x, y) on `shape` is part of the edge.
bool NextToEdge(const Canvas& shape, int x, int y);

// A title bar piece: outline, shine, gradient and the line under it; rounded top corners on the
// closed sides.
Canvas TitleBar(const Theme& theme, int w, int h, Open open);
// A window body piece: outline on the closed sides, a light inner edge left, a shadow right and
// below, the body colour with its grain inside.
Canvas WindowBody(const Theme& theme, int w, int h, Open open, int radius = 3);
// The body colour at a pixel, grain included (so separate pieces match where they meet).
Pixel BodyAt(const Theme& theme, int x, int y);

// A sunken panel and a white text field, drawn into a background.
void Panel(Canvas& canvas, const Theme& theme, int x, int y, int w, int h);
void Field(Canvas& canvas, const Theme& theme, int x, int y, int w, int h);
// A label of the background in the pixel font.
void Label(Canvas& canvas, const Theme& theme, int x, int y, std::string_view text);

// A vertical tab 14 pixels wide: the selected one has the colour of the area it opens onto
// (`open`), the others the idle tab colour. The label reads upwards.
void VerticalTab(Canvas& canvas, const Theme& theme, int x, int y, int h, std::string_view label,
                 bool selected, Pixel open);

}  // namespace morvish::skingen
