#pragma once
// The one way a window draws the pieces of a skin. A window names its pieces in an element table
// and draws its picture as a short sequence of calls here: a piece, a tiled piece, a shadowed
// title, a box, and a hover pass over (hit rectangle, image) pairs.
//
// The piece rule: if the file exists, load it with the magenta key and blit it at its natural size
// (keyed unless stated otherwise); if it does not exist, leave it out and let what lies below
// show. A file that exists but cannot be read stops the drawing: the first such error is kept and
// returned by Finish(), naming the file and the reason.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "DirectDrawSurface7.h"
#include "PictureCache.h"
#include "SkinFont.h"
#include "Types.h"

namespace morvish {

// What kind of picture an element is, for the skin check.
enum class Role {
    Piece,       // a piece of the window
    Background,  // a piece meant to fill the window from its position to the right and bottom
                 // edges (a window or page background): a smaller one leaves a gap
};

// Where the file of an element table entry lies.
enum class Folder {
    Skin,            // the skin directory, with names such as "basic_interface\gze_bg.bmp"
    SamplePictures,  // the program's sample pictures, the same for every skin
};

// One entry of an element table: a full file path, the position of its top-left corner, and what
// the piece is for, in words a skin artist reads in the skin check ("map menu button, lit").
struct Element {
    std::filesystem::path path;
    int x = 0;
    int y = 0;
    std::string_view purpose{};
    Role role = Role::Piece;
    Folder folder = Folder::Skin;
    // Where the picture cache keeps the file, found again at the next redraw without a lookup.
    mutable PictureCache::Hint cached{};
};

// One row of an element table as a window writes it: a name relative to its folder, a position,
// and what the piece is for.
struct ElementEntry {
    std::string_view name;
    int x = 0;
    int y = 0;
    std::string_view purpose{};
    Role role = Role::Piece;
    Folder folder = Folder::Skin;
};

// The table with every name turned into a full path, under the skin directory `dir` or in the
// sample picture folder, in the same order.
std::vector<Element> MakeElements(const std::filesystem::path& dir,
                                  std::span<const ElementEntry> table);

// A sample text of a window: the top-left corner of its first character cell and the text.
struct TextEntry {
    int x;
    int y;
    const char* text;
};

// A sample text with its own colour (a form colour, 0x00BBGGRR).
struct ColoredTextEntry {
    Color color;
    int x;
    int y;
    const char* text;
};

enum class Blit {
    Keyed,   // magenta pixels of the piece are left out
    Opaque,  // every pixel is copied
};

class SkinPainter {
  public:
    // A new width × height surface filled with `background` (a form colour).
    SkinPainter(int width, int height, Color background);
    // Draws on `canvas` (a view into a larger picture, for one), filled first with `background`
    // unless it holds that colour already.
    SkinPainter(SurfacePtr canvas, std::optional<Color> background);

    DirectDrawSurface7& Canvas() {
        Fill();
        return *surface_;
    }
    bool Failed() const { return error_.has_value(); }

    // Draws the element at its own position, or at (x, y). Returns where it went, or nothing when
    // its file is missing (or drawing has already failed).
    std::optional<RECT> Piece(const Element& element, Blit mode = Blit::Keyed);
    std::optional<RECT> Piece(const Element& element, int x, int y, Blit mode = Blit::Keyed);

    // Loads the element once and blits `count` copies, copy k at (x + k·stepX, y + k·stepY) from
    // the element's position. Returns the rectangle of the last copy.
    std::optional<RECT> Tile(const Element& element, int count, int stepX, int stepY,
                             Blit mode = Blit::Keyed);
    // Loads the element once and blits a grid of columns × rows copies, row by row, copy (c, r)
    // at (x + c·stepX, y + r·stepY). Returns the rectangle of the last copy.
    std::optional<RECT> Grid(const Element& element, int columns, int rows, int stepX, int stepY,
                             Blit mode = Blit::Keyed);

    // A bar of two end pieces and a middle piece between them: the ends at their own positions,
    // then `copies` copies of the middle from its position, `step` pixels apart. The middle comes
    // last, so where its copies reach into the right end they lie over it.
    void Bar(const Element& left, const Element& middle, const Element& right, int copies, int step,
             Blit mode = Blit::Keyed);

    // Blits a composed surface (scroll bar, system box) keyed at its own size at (x, y); an error
    // in building it is kept like a load error.
    void Place(SurfaceResult built, int x, int y);
    void Place(const DirectDrawSurface7& built, int x, int y);

    // Sets the font and fore colour and draws the text at (x, y).
    void Text(const SkinFont* font, Color color, int x, int y, std::string_view text);
    // Draws every text of the table in order, moved by (dx, dy), in one font and colour.
    void Texts(const SkinFont* font, Color color, std::span<const TextEntry> table, int dx = 0,
               int dy = 0);
    // Draws every text of the table in order, each in its own colour.
    void Texts(const SkinFont* font, std::span<const ColoredTextEntry> table);
    // The window title: Japanese 9 points, white one pixel right of and below (x, y), then black
    // at (x, y). The fore colour stays black afterwards.
    void Title(int x, int y, std::string_view text);
    // A filled box with outline and interior both in `color`, right and bottom exclusive.
    void Box(Color color, int x1, int y1, int x2, int y2);

    // Keeps an error from elsewhere (the colour chip, for example) as the drawing's result.
    void Fail(Error error);

    // The finished picture, or the first error.
    SurfaceResult Finish();

  private:
    // Paints the background colour wherever it is still owed.
    void Fill();
    // Paints the owed background within `area` (an ink box, say), where nothing lies yet.
    void PayFor(RECT area);
    // Takes `area` as covered by what is about to be drawn there without seeing below.
    void Cover(RECT area);
    // After more is counted as covered: owes nothing once all is, and pays the rest once the
    // count grows long.
    void Settle();

    // Loads a piece: nothing when the file is missing or drawing has failed.
    std::optional<DirectDrawSurface7> Load(const Element& element);
    // Copies the piece to (x, y); `element` names its file for whoever listens to skin reads.
    RECT BlitAt(const DirectDrawSurface7& piece, int x, int y, Blit mode,
                const Element* element = nullptr);
    // Settles what the owed background needs before `area` is drawn with `mode`: the colour a
    // keyed copy there is to be drawn onto, if any.
    std::optional<Color> Prepare(RECT area, Blit mode);
    // How far apart copies lie: the next column's and the next row's offsets.
    struct Steps {
        int columnX, columnY, rowX, rowY;
    };
    // Copies the piece columns × rows times, row by row; copies laid `edgeToEdge` are settled
    // with the owed background as the one rectangle they cover.
    std::optional<RECT> Lay(const DirectDrawSurface7& piece, const Element& element, int columns,
                            int rows, Steps steps, bool edgeToEdge, Blit mode);
    // BlitAt once Prepare has been asked about the copy's area (or a larger one).
    RECT Copy(const DirectDrawSurface7& piece, int x, int y, Blit mode, std::optional<Color> onto,
              const Element* element);

    SurfacePtr surface_;
    // The background colour is owed rather than painted: a keyed piece laid where nothing lies
    // yet is drawn onto it in one pass (its key pixels take the colour), and only what no piece
    // covers is painted, when the picture is finished or something must see below. `painted_`
    // holds the disjoint rectangles covered so far while the colour is owed.
    std::optional<Color> background_;
    std::vector<RECT> painted_;
    std::vector<RECT> fresh_;
    std::vector<RECT> scratch_;
    std::optional<Error> error_;
};

// A spot that lights up under the pointer: when (x, y) lies in `hit` (inclusive) and the file of
// `gate` exists, `image` is drawn at its own position moved by `dx`. `gate` defaults to `image`.
struct HoverSpot {
    RECT hit;
    const Element* image = nullptr;
    const Element* gate = nullptr;
    int dx = 0;
};

// Draws the image of every spot that (x, y) lies in, in the order given; none stops the others.
void DrawHovers(SkinPainter& painter, std::span<const HoverSpot> spots, int x, int y);

// The hit rectangle of a piece that has never been drawn. No point lies in it: an all-zero
// rectangle would still hold the window's top-left pixel under the inclusive hit test.
inline constexpr RECT kNeverDrawn{0, 0, -1, -1};

// Stores where a piece was drawn; a piece that was left out keeps the rectangle it had, so a
// missing button keeps its last place instead of taking another piece's.
inline void Keep(RECT& hit, std::optional<RECT> drawn) {
    if (drawn) hit = *drawn;
}

}  // namespace morvish
