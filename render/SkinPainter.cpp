#include "SkinPainter.h"

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

SkinPainter::SkinPainter(int width, int height, Color background)
    : surface_(gDirectDraw.CreateSurface(width, height)), background_(background) {}

SkinPainter::SkinPainter(SurfacePtr canvas, std::optional<Color> background)
    : surface_(std::move(canvas)), background_(background) {}

void SkinPainter::Fill() {
    if (!background_) return;
    if (unpainted_ < surface_->Height()) {
        surface_->BltColorFill(RECT{0, unpainted_, surface_->Width(), surface_->Height()},
                               *background_);
    }
    background_.reset();
}

SurfacePtr SkinPainter::Load(const Element& element) {
    if (error_) return nullptr;
    if (SkinReadObserver* listener = SkinReadListener()) listener->Sought(element);
    SurfaceResult piece = gDirectDraw.CreateSurfaceFromFile(element.path, true);
    if (!piece) {
        Fail(piece.error());
        return nullptr;
    }
    return std::move(*piece);
}

RECT SkinPainter::BlitAt(const DirectDrawSurface7& piece, int x, int y, Blit mode,
                         const Element* element) {
    const RECT source = gDirectDraw.getSurfaceRect(piece);
    const RECT destination{x, y, x + source.Right, y + source.Bottom};
    // Pieces as wide as the picture, each starting where the last one ended from the top, are
    // drawn onto the background in one pass each: the background is owed only below them.
    std::optional<Color> onto;
    if (background_ && destination.Left <= 0 && destination.Right >= surface_->Width() &&
        (destination.Top == unpainted_ || (unpainted_ == 0 && destination.Top < 0)) &&
        destination.Bottom > unpainted_) {
        onto = background_;
        unpainted_ = destination.Bottom;
        if (unpainted_ >= surface_->Height()) background_.reset();
    } else {
        Fill();
    }
    surface_->Blt(destination, piece, source,
                  mode == Blit::Keyed ? DDBLT_WAIT | DDBLT_KEYSRC : DDBLT_WAIT, onto);
    if (SkinReadObserver* listener = SkinReadListener(); listener != nullptr && element) {
        listener->Placed(*element, destination, surface_->Width(), surface_->Height());
    }
    return destination;
}

std::optional<RECT> SkinPainter::Piece(const Element& element, Blit mode) {
    return Piece(element, element.x, element.y, mode);
}

std::optional<RECT> SkinPainter::Piece(const Element& element, int x, int y, Blit mode) {
    SurfacePtr piece = Load(element);
    if (!piece) return std::nullopt;
    return BlitAt(*piece, x, y, mode, &element);
}

std::optional<RECT> SkinPainter::Tile(const Element& element, int count, int stepX, int stepY,
                                      Blit mode) {
    SurfacePtr piece = Load(element);
    if (!piece) return std::nullopt;
    std::optional<RECT> last;
    for (int k = 0; k < count; ++k) {
        last = BlitAt(*piece, element.x + k * stepX, element.y + k * stepY, mode, &element);
    }
    return last;
}

std::optional<RECT> SkinPainter::Grid(const Element& element, int columns, int rows, int stepX,
                                      int stepY, Blit mode) {
    SurfacePtr piece = Load(element);
    if (!piece) return std::nullopt;
    std::optional<RECT> last;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            last =
                BlitAt(*piece, element.x + column * stepX, element.y + row * stepY, mode, &element);
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
    Fill();
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
    Fill();
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
