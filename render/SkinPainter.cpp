#include "SkinPainter.h"

#include <algorithm>
#include <utility>

#include "FileLookup.h"
#include "ProgramPaths.h"
#include "SkinReadLog.h"
#include "clsDirectDraw.h"
#include "mdlMain.h"

namespace morvish {

std::vector<Element> MakeElements(const std::filesystem::path& dir,
                                  std::span<const ElementEntry> table) {
    std::vector<Element> elements;
    elements.reserve(table.size());
    for (const ElementEntry& entry : table) {
        const std::filesystem::path path = entry.folder == Folder::Skin
                                               ? dir / SkinRelativePath(entry.name)
                                               : SamplePicturePath(entry.name);
        elements.push_back(
            Element{path, entry.x, entry.y, entry.purpose, entry.role, entry.folder});
    }
    if (SkinReadObserver* listener = SkinReadListener()) {
        for (const Element& element : elements) listener->Listed(element);
    }
    return elements;
}

namespace {

// More rectangles than this and the owed background is simply painted: a window of many small
// pieces gains nothing from keeping count.
constexpr std::size_t kMostCovered = 16;

RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom)};
}

bool IsEmpty(const RECT& rect) {
    return rect.Left >= rect.Right || rect.Top >= rect.Bottom;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return outer.Left <= inner.Left && outer.Top <= inner.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}

// The parts of `area` outside every rectangle of `covered`, as disjoint rectangles in `out`.
void Uncovered(const RECT& area, const std::vector<RECT>& covered, std::vector<RECT>& out,
               std::vector<RECT>& scratch) {
    out.clear();
    if (IsEmpty(area)) return;
    // Most pieces lie wholly on one covered rectangle or touch none.
    bool touches = false;
    for (const RECT& cut : covered) {
        if (Contains(cut, area)) return;
        touches = touches || !IsEmpty(Intersection(cut, area));
    }
    out.push_back(area);
    if (!touches) return;
    for (const RECT& cut : covered) {
        if (IsEmpty(Intersection(cut, area))) continue;
        scratch.clear();
        for (const RECT& part : out) {
            const RECT common = Intersection(part, cut);
            if (IsEmpty(common)) {
                scratch.push_back(part);
                continue;
            }
            // Above and below the cut across the whole part, then left and right of it.
            if (part.Top < common.Top)
                scratch.push_back({part.Left, part.Top, part.Right, common.Top});
            if (common.Bottom < part.Bottom)
                scratch.push_back({part.Left, common.Bottom, part.Right, part.Bottom});
            if (part.Left < common.Left)
                scratch.push_back({part.Left, common.Top, common.Left, common.Bottom});
            if (common.Right < part.Right)
                scratch.push_back({common.Right, common.Top, part.Right, common.Bottom});
        }
        out.swap(scratch);
        if (out.empty()) return;
    }
}

// Adds the rectangles of `fresh`, which lie outside every one of `covered`, to it; one that
// shares a whole side with a rectangle there is joined to it, so that a row of pieces side by
// side, or a band under a band as wide, stays one rectangle.
void AddCovered(std::vector<RECT>& covered, const std::vector<RECT>& fresh) {
    for (RECT added : fresh) {
        for (std::size_t k = 0; k < covered.size();) {
            const RECT& other = covered[k];
            const bool sideBySide = other.Top == added.Top && other.Bottom == added.Bottom &&
                                    (other.Right == added.Left || added.Right == other.Left);
            const bool oneAbove = other.Left == added.Left && other.Right == added.Right &&
                                  (other.Bottom == added.Top || added.Bottom == other.Top);
            if (!sideBySide && !oneAbove) {
                ++k;
                continue;
            }
            added = RECT{std::min(other.Left, added.Left), std::min(other.Top, added.Top),
                         std::max(other.Right, added.Right), std::max(other.Bottom, added.Bottom)};
            covered[k] = covered.back();
            covered.pop_back();
            k = 0;
        }
        covered.push_back(added);
    }
}

}  // namespace

SkinPainter::SkinPainter(int width, int height, Color background)
    : surface_(gDirectDraw.CreateSurface(width, height)), background_(background) {}

SkinPainter::SkinPainter(SurfacePtr canvas, std::optional<Color> background)
    : surface_(std::move(canvas)), background_(background) {}

void SkinPainter::Fill() {
    if (!background_) return;
    std::vector<RECT>& owed = fresh_;
    Uncovered(gDirectDraw.getSurfaceRect(*surface_), painted_, owed, scratch_);
    for (const RECT& part : owed) surface_->BltColorFill(part, *background_);
    background_.reset();
    painted_.clear();
}

void SkinPainter::Settle() {
    // Covered all over, the picture owes nothing: later pieces need not keep count. With many
    // rectangles, the rest is simply painted.
    if (painted_.size() == 1 && Contains(painted_.front(), gDirectDraw.getSurfaceRect(*surface_))) {
        background_.reset();
        painted_.clear();
    } else if (painted_.size() > kMostCovered) {
        Fill();
    }
}

void SkinPainter::PayFor(RECT area) {
    if (!background_) return;
    std::vector<RECT>& owed = fresh_;
    Uncovered(Intersection(area, gDirectDraw.getSurfaceRect(*surface_)), painted_, owed, scratch_);
    for (const RECT& part : owed) surface_->BltColorFill(part, *background_);
    AddCovered(painted_, owed);
    Settle();
}

void SkinPainter::Cover(RECT area) {
    if (!background_) return;
    std::vector<RECT>& fresh = fresh_;
    Uncovered(Intersection(area, gDirectDraw.getSurfaceRect(*surface_)), painted_, fresh, scratch_);
    AddCovered(painted_, fresh);
    Settle();
}

std::optional<DirectDrawSurface7> SkinPainter::Load(const Element& element) {
    if (error_) return std::nullopt;
    if (SkinReadObserver* listener = SkinReadListener()) listener->Sought(element);
    Result<std::optional<DirectDrawSurface7>> piece =
        gDirectDraw.LoadSurface(element.path, true, element.cached);
    if (!piece) {
        Fail(piece.error());
        return std::nullopt;
    }
    return std::move(*piece);
}

std::optional<Color> SkinPainter::Prepare(RECT area, Blit mode) {
    if (!background_) return std::nullopt;
    const RECT visible = Intersection(area, gDirectDraw.getSurfaceRect(*surface_));
    if (IsEmpty(visible)) return std::nullopt;
    if (mode == Blit::Opaque) {
        Cover(visible);
        return std::nullopt;
    }
    // Where nothing lies yet, the key takes the owed colour in the same pass; an area partly
    // over what is drawn already has the colour painted where it is still owed, first.
    std::optional<Color> onto;
    Uncovered(visible, painted_, fresh_, scratch_);
    if (fresh_.size() == 1 && fresh_.front() == visible) {
        onto = background_;
    } else {
        for (const RECT& to : fresh_) surface_->BltColorFill(to, *background_);
    }
    AddCovered(painted_, fresh_);
    // The area is counted as covered now, so paying the rest leaves it to the copies.
    Settle();
    return onto;
}

RECT SkinPainter::Copy(const DirectDrawSurface7& piece, int x, int y, Blit mode,
                       std::optional<Color> onto, const Element* element) {
    const RECT source = gDirectDraw.getSurfaceRect(piece);
    const RECT destination{x, y, x + source.Right, y + source.Bottom};
    surface_->Blt(destination, piece, source,
                  mode == Blit::Keyed ? DDBLT_WAIT | DDBLT_KEYSRC : DDBLT_WAIT, onto);
    if (SkinReadObserver* listener = SkinReadListener(); listener != nullptr && element) {
        listener->Placed(*element, destination, surface_->Width(), surface_->Height());
    }
    return destination;
}

RECT SkinPainter::BlitAt(const DirectDrawSurface7& piece, int x, int y, Blit mode,
                         const Element* element) {
    const std::optional<Color> onto =
        Prepare(RECT{x, y, x + piece.Width(), y + piece.Height()}, mode);
    return Copy(piece, x, y, mode, onto, element);
}

std::optional<RECT> SkinPainter::Piece(const Element& element, Blit mode) {
    return Piece(element, element.x, element.y, mode);
}

std::optional<RECT> SkinPainter::Piece(const Element& element, int x, int y, Blit mode) {
    std::optional<DirectDrawSurface7> piece = Load(element);
    if (!piece) return std::nullopt;
    return BlitAt(*piece, x, y, mode, &element);
}

std::optional<RECT> SkinPainter::Tile(const Element& element, int count, int stepX, int stepY,
                                      Blit mode) {
    std::optional<DirectDrawSurface7> piece = Load(element);
    if (!piece) return std::nullopt;
    // Copies laid edge to edge along a row or a column cover one rectangle between them: what
    // the background owes is reckoned once for the whole of it.
    const bool edgeToEdge =
        (stepX == piece->Width() && stepY == 0) || (stepX == 0 && stepY == piece->Height());
    return Lay(*piece, element, count, 1, {stepX, stepY, 0, 0}, edgeToEdge, mode);
}

std::optional<RECT> SkinPainter::Grid(const Element& element, int columns, int rows, int stepX,
                                      int stepY, Blit mode) {
    std::optional<DirectDrawSurface7> piece = Load(element);
    if (!piece) return std::nullopt;
    const bool edgeToEdge = stepX == piece->Width() && stepY == piece->Height();
    return Lay(*piece, element, columns, rows, {stepX, 0, 0, stepY}, edgeToEdge, mode);
}

std::optional<RECT> SkinPainter::Lay(const DirectDrawSurface7& piece, const Element& element,
                                     int columns, int rows, Steps steps, bool edgeToEdge,
                                     Blit mode) {
    if (columns <= 0 || rows <= 0) return std::nullopt;
    const auto place = [&](int column, int row) {
        return std::pair{element.x + column * steps.columnX + row * steps.rowX,
                         element.y + column * steps.columnY + row * steps.rowY};
    };
    std::optional<Color> onto;
    if (edgeToEdge) {
        const auto [x, y] = place(columns - 1, rows - 1);
        onto = Prepare(RECT{element.x, element.y, x + piece.Width(), y + piece.Height()}, mode);
    }
    std::optional<RECT> last;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const auto [x, y] = place(column, row);
            last = edgeToEdge ? Copy(piece, x, y, mode, onto, &element)
                              : BlitAt(piece, x, y, mode, &element);
        }
    }
    return last;
}

void SkinPainter::Bar(const Element& left, const Element& middle, const Element& right, int copies,
                      int step, Blit mode) {
    Piece(left, mode);
    Piece(right, mode);
    Tile(middle, copies, step, 0, mode);
}

void SkinPainter::Place(SurfaceResult built, int x, int y) {
    if (error_) return;
    if (!built) {
        Fail(built.error());
        return;
    }
    if (*built) Place(**built, x, y);
}

void SkinPainter::Place(const DirectDrawSurface7& built, int x, int y) {
    BlitAt(built, x, y, Blit::Keyed);
}

void SkinPainter::Text(const SkinFont* font, Color color, int x, int y, std::string_view text) {
    if (background_ && font != nullptr && !text.empty()) {
        const RECT ink = font->InkBounds(text);
        PayFor(RECT{x + ink.Left, y + ink.Top, x + ink.Right, y + ink.Bottom});
    }
    surface_->SetFont(font);
    surface_->SetForeColor(color);
    surface_->DrawText(x, y, text, false);
}

void SkinPainter::Texts(const SkinFont* font, Color color, std::span<const TextEntry> table, int dx,
                        int dy) {
    for (const TextEntry& entry : table) Text(font, color, entry.x + dx, entry.y + dy, entry.text);
}

void SkinPainter::Texts(const SkinFont* font, std::span<const ColoredTextEntry> table) {
    for (const ColoredTextEntry& entry : table)
        Text(font, entry.color, entry.x, entry.y, entry.text);
}

void SkinPainter::Title(int x, int y, std::string_view text) {
    const SkinFont* font = mdlMain::GetSkinFont(FontKind::kJapanese, 9);
    Text(font, 0xFFFFFF, x + 1, y + 1, text);
    Text(font, 0x000000, x, y, text);
}

void SkinPainter::Box(Color color, int x1, int y1, int x2, int y2) {
    // Outline and inside in one colour: nothing below shows through.
    Cover(RECT{x1, y1, x2, y2});
    surface_->SetFillColor(color);
    surface_->SetForeColor(color);
    surface_->DrawBox(x1, y1, x2, y2);
}

void SkinPainter::Fail(Error error) {
    if (SkinReadObserver* listener = SkinReadListener(); listener && listener->GoOnAfter(error)) {
        return;
    }
    if (!error_) error_ = std::move(error);
}

SurfaceResult SkinPainter::Finish() {
    if (error_) return std::unexpected(*error_);
    Fill();
    return std::move(surface_);
}

void DrawHovers(SkinPainter& painter, std::span<const HoverSpot> spots, int x, int y) {
    for (const HoverSpot& spot : spots) {
        if (spot.image == nullptr || !mdlMain::IsPointInRect(spot.hit, x, y)) continue;
        const Element& gate = spot.gate != nullptr ? *spot.gate : *spot.image;
        if (!FileExists(gate.path)) continue;
        painter.Piece(*spot.image, spot.image->x + spot.dx, spot.image->y);
    }
}

}  // namespace morvish
