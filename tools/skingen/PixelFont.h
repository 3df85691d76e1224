#pragma once
// The demo skins' own tiny capital fonts (glyphs five or seven pixels high), so that button labels
// never depend on the fonts installed on the machine.

#include <string_view>

#include "PixelCanvas.h"

namespace morvish::skingen {

// The small face: five pixels high, for most labels. The large face: seven pixels high, capitals
// only, for the wide menu buttons.
enum class Face { Small, Large };

inline constexpr int kGlyphHeight = 5;
int GlyphHeight(Face face);

// Width in pixels of the text, one pixel between glyphs. Lower-case letters are drawn as capitals;
// characters without a glyph take the width of a space.
int TextWidth(std::string_view text, Face face = Face::Small);

// Draws the text with the top-left of its first glyph at (x, y).
void DrawText(Canvas& canvas, int x, int y, std::string_view text, Pixel p,
              Face face = Face::Small);

// Draws the text centred in the rectangle (x, y, w, h).
void DrawTextCentred(Canvas& canvas, int x, int y, int w, int h, std::string_view text, Pixel p,
                     Face face = Face::Small);

// Draws the text turned a quarter to the left (reading upwards), its glyphs' bottom edge along
// column x + 4 and its first glyph ending at row y.
void DrawTextUpwards(Canvas& canvas, int x, int y, std::string_view text, Pixel p);

}  // namespace morvish::skingen
