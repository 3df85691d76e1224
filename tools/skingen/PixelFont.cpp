#include "PixelFont.h"

#include <array>
#include <string>

namespace morvish::skingen {

namespace {

struct Glyph {
    char character;
    std::array<const char*, kGlyphHeight> rows;  // '#' painted, '.' empty; all rows equally wide
};

// Drawn for this program, after the manner of the smallest legible bitmap capitals.
constexpr Glyph kGlyphs[] = {
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
    {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'C', {".##", "#..", "#..", "#..", ".##"}},
    {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
    {'E', {"###", "#..", "##.", "#..", "###"}},
    {'F', {"###", "#..", "##.", "#..", "#.."}},
    {'G', {".##", "#..", "#.#", "#.#", ".##"}},
    {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
    {'I', {"###", ".#.", ".#.", ".#.", "###"}},
    {'J', {"..#", "..#", "..#", "#.#", ".#."}},
    {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
    {'L', {"#..", "#..", "#..", "#..", "###"}},
    {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
    {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
    {'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
    {'P', {"##.", "#.#", "##.", "#..", "#.."}},
    {'Q', {".#.", "#.#", "#.#", "##.", ".##"}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
    {'S', {".##", "#..", ".#.", "..#", "##."}},
    {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
    {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
    {'W', {"#...#", "#...#", "#.#.#", "##.##", "#...#"}},
    {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}},
    {'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}},
    {'Z', {"###", "..#", ".#.", "#..", "###"}},
    {'0', {"###", "#.#", "#.#", "#.#", "###"}},
    {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"##.", "..#", ".#.", "#..", "###"}},
    {'3', {"##.", "..#", ".#.", "..#", "##."}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}},
    {'5', {"###", "#..", "##.", "..#", "##."}},
    {'6', {".##", "#..", "###", "#.#", "###"}},
    {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}},
    {'9', {"###", "#.#", "###", "..#", "##."}},
    {' ', {"..", "..", "..", "..", ".."}},
    {'.', {".", ".", ".", ".", "#"}},
    {',', {".", ".", ".", "#", "#"}},
    {':', {".", "#", ".", "#", "."}},
    {'!', {"#", "#", "#", ".", "#"}},
    {'\'', {"#", "#", ".", ".", "."}},
    {'-', {"...", "...", "###", "...", "..."}},
    {'+', {"...", ".#.", "###", ".#.", "..."}},
    {'/', {"..#", "..#", ".#.", "#..", "#.."}},
    {'%', {"#.#", "..#", ".#.", "#..", "#.#"}},
    {'<', {"..#", ".#.", "#..", ".#.", "..#"}},
    {'>', {"#..", ".#.", "..#", ".#.", "#.."}},
    {'?', {"##.", "..#", ".#.", "...", ".#."}},
    {'(', {".#", "#.", "#.", "#.", ".#"}},
    {')', {"#.", ".#", ".#", ".#", "#."}},
    {'[', {"##", "#.", "#.", "#.", "##"}},
    {']', {"##", ".#", ".#", ".#", "##"}},
    {'x', {"...", "#.#", ".#.", "#.#", "..."}},  // the multiplication sign of item counts
};

const Glyph* Find(char c) {
    if (c >= 'a' && c <= 'z' && c != 'x') c = char(c - 'a' + 'A');
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.character == c) return &glyph;
    }
    return nullptr;
}

const Glyph& SpaceGlyph() {
    return *Find(' ');
}

int GlyphWidth(const Glyph& glyph) {
    return int(std::string_view(glyph.rows[0]).size());
}

const Glyph& GlyphOf(char c) {
    const Glyph* glyph = Find(c);
    return glyph ? *glyph : SpaceGlyph();
}

}  // namespace

int TextWidth(std::string_view text, bool bold) {
    int width = 0;
    for (char c : text) width += GlyphWidth(GlyphOf(c)) + 1 + (bold ? 1 : 0);
    return text.empty() ? 0 : width - 1;
}

void DrawText(Canvas& canvas, int x, int y, std::string_view text, Pixel p, bool bold) {
    for (char c : text) {
        const Glyph& glyph = GlyphOf(c);
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int column = 0; column < GlyphWidth(glyph); ++column) {
                if (glyph.rows[row][column] != '#') continue;
                canvas.Set(x + column, y + row, p);
                if (bold) canvas.Set(x + column + 1, y + row, p);
            }
        }
        x += GlyphWidth(glyph) + 1 + (bold ? 1 : 0);
    }
}

void DrawTextCentred(Canvas& canvas, int x, int y, int w, int h, std::string_view text, Pixel p,
                     bool bold) {
    DrawText(canvas, x + (w - TextWidth(text, bold)) / 2, y + (h - kGlyphHeight) / 2, text, p,
             bold);
}

void DrawTextUpwards(Canvas& canvas, int x, int y, std::string_view text, Pixel p) {
    // Glyph pixel (column, row) goes to (x + row, y - column): the text reads from bottom to top.
    for (char c : text) {
        const Glyph& glyph = GlyphOf(c);
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int column = 0; column < GlyphWidth(glyph); ++column) {
                if (glyph.rows[row][column] == '#') canvas.Set(x + row, y - column, p);
            }
        }
        y -= GlyphWidth(glyph) + 1;
    }
}

}  // namespace morvish::skingen
