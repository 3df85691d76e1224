#pragma once
// The two faces of the sample texts, rasterised as 1-bit glyphs (no antialiasing, as the game
// draws them) and drawn straight into 32-bit pixel buffers.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Types.h"

namespace morvish {

// A 32-bit 0x00RRGGBB pixel buffer to draw into; rows are `width` pixels apart.
struct PixelTarget {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = width;  // pixels from one row to the next
};

enum class FontFace {
    Japanese,  // IPAPGothic (Debian fonts-ipafont-gothic)
    English,   // Liberation Sans, metric-compatible with Arial (Debian fonts-liberation)
};

// One face at one size. Glyphs are rendered once and kept.
class SkinFont {
  public:
    virtual ~SkinFont() = default;

    // Paints the glyphs of `utf8` in `rgb` (0x00RRGGBB) with the top-left corner of the first
    // character cell at (x, y). Only glyph pixels are written, every one clipped to the target.
    virtual void Draw(PixelTarget target, int x, int y, std::string_view utf8,
                      std::uint32_t rgb) const = 0;

    // Advance width of the text in pixels.
    virtual int TextWidth(std::string_view utf8) const = 0;
    // The smallest rectangle holding every pixel Draw would paint for the text at (0, 0); empty
    // when it paints none.
    virtual RECT InkBounds(std::string_view utf8) const = 0;
    // Height of a character cell (ascent + descent) in pixels.
    virtual int CellHeight() const = 0;
    // Distance from the top of the cell to the baseline in pixels.
    virtual int Ascent() const = 0;
};

// The face at `points` points (96 dpi: 9 points are 12 pixels). Cached for the life of the
// program. Null when the face is not installed: the caller then leaves the text out.
const SkinFont* FindSkinFont(FontFace face, int points);

// A sentence telling what to install for each missing face (a Debian package on Linux, a Windows
// feature on Windows); empty when both faces are present.
std::string MissingFontReport();

// Whether sample texts are drawn at all (they are unless switched off). Switched off, every face
// counts as missing, so the windows leave their texts out just as on a system without the fonts.
// The faces differ between systems on purpose; without texts, pictures drawn on Linux and on
// Windows must match to the pixel.
void SetTextsDrawn(bool drawn);

// While one lives, no text is drawn on the thread that made it, whatever SetTextsDrawn said. The
// fonts and their caches belong to the thread that draws the preview; work on another thread that
// only wants to know which files the windows read (the skin check) draws no text.
class NoTextsOnThisThread {
  public:
    NoTextsOnThisThread();
    ~NoTextsOnThisThread();
    NoTextsOnThisThread(const NoTextsOnThisThread&) = delete;
    NoTextsOnThisThread& operator=(const NoTextsOnThisThread&) = delete;

  private:
    bool before_;
};

}  // namespace morvish
