#include "mdlMain.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>

#include "BmpDecoder.h"
#include "FileLookup.h"
#include "SkinPainter.h"
#include "SkinReadLog.h"
#include "clsDirectDraw.h"

namespace morvish::mdlMain {

namespace {

// Side of a scroll bar cell and thickness of the system box pieces, in pixels.
constexpr int kScrollCell = 13;
constexpr int kBoxPiece = 14;

// Number of edge tiles of step t along a length d of a system box.
constexpr int TileCount(int d, int t) {
    return (d - 2 * t) / t + (d % t != 0 ? 1 : 0);
}

// The pieces of the composed parts (scroll bars, system boxes) under the skin folder drawn last.
// Their names are joined to the folder when it changes rather than at every drawing, so that a
// redraw builds no paths; the element handed out is placed where it is asked for. Each thread
// keeps its own: the skin check may draw on another thread than the preview.
const Element& PartPiece(const std::filesystem::path& dir, std::string_view name, int x, int y,
                         std::string_view purpose) {
    thread_local std::filesystem::path::string_type folder;
    thread_local std::map<std::string, Element, std::less<>> pieces;
    if (dir.native() != folder) {
        folder = dir.native();
        pieces.clear();
    }
    auto at = pieces.find(name);
    if (at == pieces.end()) {
        at = pieces.emplace(std::string(name), Element{dir / std::string(name)}).first;
    }
    Element& element = at->second;
    element.x = x;
    element.y = y;
    element.purpose = purpose;
    return element;
}

// A new surface filled with the key colour, drawn on by a painter.
SkinPainter KeyFilledPainter(int width, int height) {
    return SkinPainter(width, height, gDirectDraw.getColorKey());
}

SurfaceResult KeyedResult(SkinPainter& painter) {
    SurfaceResult built = painter.Finish();
    if (built && *built) gDirectDraw.setColorKey(**built);
    return built;
}

}  // namespace

const SkinFont* GetSkinFont(int kind, int size) {
    switch (kind) {
        case FontKind::kJapanese:
            return FindSkinFont(FontFace::Japanese, size);
        case FontKind::kEnglish:
            return FindSkinFont(FontFace::English, size);
        default:
            return nullptr;
    }
}

Result<ColorChip> LoadColorChip(const std::filesystem::path& DirName) {
    ColorChip chip{};
    const Element file{DirName / "colorchip.bmp", 0, 0,
                       "colour chip: the colours of texts and boxes"};
    if (SkinReadObserver* listener = SkinReadListener()) listener->Sought(file);
    const Result<std::shared_ptr<const Bitmap>> found = gDirectDraw.LoadPicture(file.path);
    if (!found) return std::unexpected(found.error());
    if (!*found) return chip;
    const Bitmap* picture = found->get();
    for (int k = 1; k <= 14; ++k) {
        const int x = ((k - 1) % 8) * 4;
        const int y = ((k - 1) / 8) * 4;
        if (x < picture->width && y < picture->height) chip[k] = ToColor(picture->At(x, y));
    }
    return chip;
}

SurfaceResult DrawScrollBar(const std::filesystem::path& DirName, int Orientation, int BarFrom,
                            int BarTo, int ThumbFrom, int ThumbTo, bool NoThumbBody) {
    const int length = BarTo - BarFrom;
    const bool vertical = Orientation == ScrollBar::kVertical;
    const std::string_view prefix = vertical ? "scroll0" : "scroll1";
    SkinPainter painter = vertical ? KeyFilledPainter(kScrollCell, length + kScrollCell)
                                   : KeyFilledPainter(length + kScrollCell, kScrollCell);
    // A piece at `offset` along the bar's axis.
    auto along = [&](std::string_view name, int offset,
                     std::string_view purpose) -> const Element& {
        char full[32];
        const std::size_t length = std::min(name.size(), sizeof full - prefix.size());
        std::copy_n(prefix.data(), prefix.size(), full);
        std::copy_n(name.data(), length, full + prefix.size());
        const std::string_view file(full, prefix.size() + length);
        return vertical ? PartPiece(DirName, file, 0, offset, purpose)
                        : PartPiece(DirName, file, offset, 0, purpose);
    };
    const int step = vertical ? 1 : 0;

    // The track is copied opaque: its tiles from 12 on, 13 apart, and one more that ends at the
    // far arrow, so any length is covered.
    const int tracks = (length - kScrollCell) / kScrollCell;
    const std::string_view trackPurpose =
        vertical ? "vertical scroll bar, track" : "horizontal scroll bar, track";
    painter.Tile(along("mid.bmp", 12, trackPurpose), tracks, kScrollCell * (1 - step),
                 kScrollCell * step, Blit::Opaque);
    painter.Piece(along("mid.bmp", length - 12, trackPurpose), Blit::Opaque);

    if (vertical) {
        painter.Piece(along("up.bmp", 0, "vertical scroll bar, up arrow"));
        painter.Piece(along("down.bmp", length, "vertical scroll bar, down arrow"));
    } else {
        painter.Piece(along("left.bmp", 0, "horizontal scroll bar, left arrow"));
        painter.Piece(along("right.bmp", length, "horizontal scroll bar, right arrow"));
    }
    const int thumbStart = ThumbFrom - BarFrom;
    if (!NoThumbBody) {
        const int bodies = (ThumbTo - (ThumbFrom + 4)) / 4 + 1;
        painter.Tile(along("bar_mid.bmp", thumbStart + 4,
                           vertical ? "vertical scroll bar, thumb body (tiled)"
                                    : "horizontal scroll bar, thumb body (tiled)"),
                     bodies, 4 * (1 - step), 4 * step);
    }
    if (vertical) {
        painter.Piece(along("bar_up.bmp", thumbStart, "vertical scroll bar, thumb's top end"));
        painter.Piece(
            along("bar_down.bmp", ThumbTo - BarFrom, "vertical scroll bar, thumb's bottom end"));
    } else {
        painter.Piece(along("bar_left.bmp", thumbStart, "horizontal scroll bar, thumb's left end"));
        painter.Piece(
            along("bar_right.bmp", ThumbTo - BarFrom, "horizontal scroll bar, thumb's right end"));
    }
    return KeyedResult(painter);
}

SurfaceResult DrawSystemBox(const std::filesystem::path& DirName, int Left, int Top, int Right,
                            int Bottom, bool WideEdge, bool WithBackground) {
    const int width = Right - Left;
    const int height = Bottom - Top;
    const int step = WideEdge ? 14 : 12;
    const int edgeTiles = TileCount(width, step);
    const int sideTiles = TileCount(height, kBoxPiece);
    SkinPainter painter = KeyFilledPainter(width, height);
    auto piece = [&](std::string_view name, int x, int y,
                     std::string_view purpose) -> const Element& {
        // "sysbox_" + name + ".bmp", without a string on the heap.
        char file[] = "sysbox_??.bmp";
        std::copy_n(name.data(), std::min<std::size_t>(name.size(), 2), file + 7);
        return PartPiece(DirName, file, x, y, purpose);
    };
    const int right = width - kBoxPiece;
    const int bottom = height - kBoxPiece;

    painter.Piece(piece("lu", 0, 0, "system box, top-left corner"), Blit::Opaque);
    painter.Piece(piece("ru", right, 0, "system box, top-right corner"), Blit::Opaque);
    painter.Tile(piece("mu", step, 0, "system box, top edge (tiled)"), edgeTiles, step, 0,
                 Blit::Opaque);
    painter.Tile(piece("lm", 0, kBoxPiece, "system box, left edge (tiled)"), sideTiles, 0,
                 kBoxPiece, Blit::Opaque);
    if (WithBackground) {
        painter.Grid(piece("bg", kBoxPiece, kBoxPiece, "system box, background (tiled)"),
                     TileCount(width, kBoxPiece), sideTiles, kBoxPiece, kBoxPiece, Blit::Opaque);
    }
    painter.Tile(piece("rm", right, kBoxPiece, "system box, right edge (tiled)"), sideTiles, 0,
                 kBoxPiece, Blit::Opaque);
    painter.Piece(piece("ld", 0, bottom, "system box, bottom-left corner"), Blit::Opaque);
    painter.Piece(piece("rd", right, bottom, "system box, bottom-right corner"), Blit::Opaque);
    painter.Tile(piece("md", step, bottom, "system box, bottom edge (tiled)"), edgeTiles, step, 0,
                 Blit::Opaque);
    return KeyedResult(painter);
}

}  // namespace morvish::mdlMain
