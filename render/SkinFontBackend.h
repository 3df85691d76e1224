#pragma once
// What the two text backends (FreeType with fontconfig on Linux, GDI on Windows) share: glyphs
// kept as runs of set pixels, drawn and measured the same way whoever rasterised them. A backend
// renders one character at a time; SkinFont.cpp does the rest.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "SkinFont.h"

namespace morvish::fontbackend {

// One horizontal stretch of set pixels of a glyph: row `dy` below the top of the character cell,
// columns `left` (inclusive) to `right` (exclusive) from the pen position.
struct Run {
    int dy;
    int left;
    int right;
};

// A rendered glyph: its set pixels as runs, and how far the pen moves after it.
struct Glyph {
    std::vector<Run> runs;
    int advance = 0;
    // The box of its runs from the pen position, worked out when the glyph is first kept.
    RECT ink{};
};

// The next code point of UTF-8 text from `position`, which moves past it. Broken sequences give
// U+FFFD by the usual replacement rules.
char32_t NextCodePoint(std::string_view text, std::size_t& position);

// The size in pixels (ppem) of a face at `points` points at 96 dpi, rounded to the nearest pixel
// as GDI rounds a font height of -points: 8 pt = 11 px, 9 pt = 12 px, 12 pt = 16 px.
int PixelsPerEm(int points);

// A font whose glyphs are rendered once, on first use, by the backend and kept.
class GlyphFont : public SkinFont {
  public:
    GlyphFont(int ascent, int descent) : ascent_(ascent), descent_(descent) {}

    void Draw(PixelTarget target, int x, int y, std::string_view utf8,
              std::uint32_t rgb) const final;
    int TextWidth(std::string_view utf8) const final;
    RECT InkBounds(std::string_view utf8) const final;
    int CellHeight() const final { return ascent_ + descent_; }
    int Ascent() const final { return ascent_; }

  protected:
    // The glyph of one character, its runs relative to the top of the character cell. A
    // character the face lacks is drawn as the system draws it (usually an empty box).
    virtual Glyph Render(char32_t code) const = 0;

  private:
    // Code points below this are cached in a table rather than a hash map.
    static constexpr char32_t kDirectGlyphs = 0x100;

    const Glyph& GlyphFor(char32_t code) const;

    // A text as it was last drawn: the box of its ink from the pen position, and its pixels as
    // offsets from the pen position in a target whose rows lie `stride` pixels apart (0 until it
    // is drawn whole into one, or when it is too large to keep them). Sample texts are drawn
    // again at every redraw, into pictures of one width.
    struct Laid {
        RECT ink{};
        std::ptrdiff_t stride = 0;
        std::vector<std::int32_t> offsets;
    };
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    Laid& LaidOut(std::string_view utf8) const;
    RECT MeasureInk(std::string_view utf8) const;
    // The offsets of the text at `stride`; false when there are too many to keep.
    bool OffsetsAt(std::string_view utf8, Laid& laid, std::ptrdiff_t stride) const;

    int ascent_;
    int descent_;
    mutable std::unordered_map<std::string, Laid, TextHash, std::equal_to<>> laid_;
    // Latin text (the English face, and the Latin parts of Japanese texts) is looked up directly.
    // Both containers keep their glyphs in place, so the references handed out stay valid.
    mutable std::array<std::unique_ptr<Glyph>, kDirectGlyphs> directGlyphs_;
    mutable std::unordered_map<char32_t, Glyph> glyphs_;
};

// Made by the backend of this system: the face at `pixelsPerEm`, or null when the face is not
// installed. Called once per face and size; the font lives until the program ends.
std::unique_ptr<GlyphFont> OpenFont(FontFace face, int pixelsPerEm);

#ifdef _WIN32
// The installed family `family` (case as written does not matter) if it has glyphs of `charset`
// (SHIFTJIS_CHARSET, ANSI_CHARSET), by the name GDI gives it; with an empty family, the first in
// alphabetical order of all families with such glyphs. Vertical faces ("@MS PGothic") and bitmap
// faces are never chosen. Nothing when there is no such family.
std::optional<std::wstring> InstalledFace(std::wstring_view family, unsigned char charset);
#endif

}  // namespace morvish::fontbackend
