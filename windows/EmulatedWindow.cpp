#include "EmulatedWindow.h"

#include <algorithm>
#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

EmulatedWindow::EmulatedWindow(std::initializer_list<std::span<const ElementEntry>> table)
    : table_(table) {}

void EmulatedWindow::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                     const std::filesystem::path& DirName,
                                     const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    elements_.clear();
    for (std::span<const ElementEntry> part : table_) {
        std::ranges::move(MakeElements(dir_, part), std::back_inserter(elements_));
    }
    hit_.assign(elements_.size(), kNeverDrawn);
    ResetState();
}

SurfaceResult EmulatedWindow::MouseUp(int, int, int) {
    return nullptr;
}

SurfaceResult EmulatedWindow::MouseDblClick(int, int, int) {
    return nullptr;
}

SurfaceResult EmulatedWindow::Refresh() {
    return Paint().Finish();
}

Result<void> EmulatedWindow::RefreshOnto(DirectDrawSurface7& frame, RECT place,
                                         std::optional<Color> holding) {
    onto_ = Onto{&frame, place, holding};
    struct Done {
        std::optional<Onto>& onto;
        ~Done() { onto.reset(); }
    } done{onto_};
    SurfaceResult picture = Paint().Finish();
    if (!picture) return std::unexpected(picture.error());
    return {};
}

SkinPainter EmulatedWindow::NewPicture() const {
    if (onto_) {
        return SkinPainter(std::make_unique<DirectDrawSurface7>(DirectDrawSurface7::View{},
                                                                *onto_->frame, onto_->place),
                           onto_->holding == pane_->BackColor()
                               ? std::nullopt
                               : std::optional<Color>(pane_->BackColor()));
    }
    const RECT size = getDrawRect();
    return SkinPainter(size.Right, size.Bottom, pane_->BackColor());
}

void EmulatedWindow::PieceWithHit(SkinPainter& painter, int element) {
    Keep(hit_[std::size_t(element)], painter.Piece(elements_[std::size_t(element)]));
}

bool EmulatedWindow::Hits(int element, int X, int Y) const {
    return mdlMain::IsPointInRect(hit_[std::size_t(element)], X, Y);
}

void EmulatedWindow::PaintTitleButtons(SkinPainter& painter) {
    for (int button :
         {TitleButton::kSystemOff, TitleButton::kMinimiseOff, TitleButton::kCloseOff}) {
        PieceWithHit(painter, button);
    }
}

void EmulatedWindow::ReloadColorChip(SkinPainter& painter) {
    if (Result<ColorChip> chip = mdlMain::LoadColorChip(dir_)) {
        chip_ = *chip;
    } else {
        painter.Fail(chip.error());
    }
}

void EmulatedWindow::PlaceScrollBar(SkinPainter& painter, const VerticalScrollBar& bar) const {
    painter.Place(mdlMain::DrawScrollBar(dir_, ScrollBar::kVertical, bar.barFrom, bar.barTo,
                                         bar.thumbFrom, bar.thumbTo, false),
                  bar.x, bar.barFrom);
}

void EmulatedWindow::AddSpots(std::vector<HoverSpot>& spots, std::span<const LitControl> controls,
                              int Button) const {
    for (const LitControl& control : controls) {
        const Element* gate = control.gate == LitControl::kLookItself
                                  ? nullptr
                                  : &elements_[std::size_t(control.gate)];
        spots.push_back(HoverSpot{hit_[std::size_t(control.hit)],
                                  &elements_[std::size_t(control.looks.For(Button))], gate,
                                  control.dx});
    }
}

SurfaceResult EmulatedWindow::PaintLit(std::initializer_list<std::span<const LitControl>> groups,
                                       int Button, int X, int Y) {
    SkinPainter painter = Paint();
    std::vector<HoverSpot> spots;
    for (std::span<const LitControl> controls : groups) AddSpots(spots, controls, Button);
    DrawHovers(painter, spots, X, Y);
    return painter.Finish();
}

}  // namespace morvish
