#include "clsSkinMng.h"

#include <algorithm>

#include "FileLookup.h"
#include "PictureCache.h"
#include "PixelRows.h"
#include "clsDirectDraw.h"
#include "clsEmuAll.h"
#include "mdlMain.h"

namespace morvish {

namespace {

// The sunken border of the preview pane, on each side.
constexpr int kPaneBorder = 2;

}  // namespace

clsSkinMng::clsSkinMng(const WindowSlotTable& slots) : slotTable_(slots) {}
clsSkinMng::~clsSkinMng() = default;

void clsSkinMng::ClassInitialize(PreviewPane& ShowSkinPictureBox,
                                 const std::filesystem::path& DirName) {
    pane_ = &ShowSkinPictureBox;
    dirName_ = WithTrailingSeparator(DirName);
}

void clsSkinMng::MakeWindows() const {
    if (HasWindows() || pane_ == nullptr) return;
    for (const WindowSlot& slot : slotTable_) slots_[slot.number] = slot.create();

    // An unreadable chip is reported by the windows that read it again when they draw; until
    // then its colours are black, as for a skin without a chip.
    const ColorChip chip = mdlMain::LoadColorChip(dirName_).value_or(ColorChip{});
    for (int slot = 1; slot <= kSlots; ++slot) {
        slots_[slot]->ClassInitialize(*pane_, dirName_, chip);
    }

    HandSlotsToAllWindowsView();
}

clsTessarymInterface* clsSkinMng::Window(int slot) const {
    if (slot < 1 || slot > kSlots) return nullptr;
    MakeWindows();
    return slots_[slot].get();
}

void clsSkinMng::ReplaceWindow(int slot, std::unique_ptr<clsTessarymInterface> window) {
    if (slot < 1 || slot > kSlots || !window) return;
    MakeWindows();
    window->ClassInitialize(*pane_, dirName_,
                            mdlMain::LoadColorChip(dirName_).value_or(ColorChip{}));
    slots_[slot] = std::move(window);
    HandSlotsToAllWindowsView();
}

void clsSkinMng::HandSlotsToAllWindowsView() const {
    std::array<clsTessarymInterface*, kSlots + 1> emulateObject{};
    for (int slot = 1; slot <= kSlots; ++slot) emulateObject[slot] = slots_[slot].get();
    if (auto* all = dynamic_cast<clsEmuAll*>(slots_[1].get())) all->SetEmulateObject(emulateObject);
}

void clsSkinMng::ReloadColorChip() {
    if (!HasWindows()) return;
    const Result<ColorChip> chip = mdlMain::LoadColorChip(dirName_);
    if (!chip) return;
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (slots_[slot]) slots_[slot]->ReplaceColorChip(*chip);
    }
}

Result<void> clsSkinMng::Refresh(int Mode) {
    PictureCache::Redraw redraw;
    clsTessarymInterface* window = Window(Mode);
    if (window == nullptr) return {};
    currentMode_ = Mode;
    SurfaceResult picture = window->Refresh();
    if (!picture) return std::unexpected(picture.error());
    PresentSurface(std::move(*picture));
    return {};
}

Result<void> clsSkinMng::MouseDown(int Button, int X, int Y) {
    return Forward(&clsTessarymInterface::MouseDown, Button, X, Y);
}
Result<void> clsSkinMng::MouseMove(int Button, int X, int Y) {
    return Forward(&clsTessarymInterface::MouseMove, Button, X, Y);
}
Result<void> clsSkinMng::MouseUp(int Button, int X, int Y) {
    return Forward(&clsTessarymInterface::MouseUp, Button, X, Y);
}
Result<void> clsSkinMng::MouseDblClick(int Button, int X, int Y) {
    return Forward(&clsTessarymInterface::MouseDblClick, Button, X, Y);
}

Result<void> clsSkinMng::Forward(Operation operation, int Button, int X, int Y) {
    PictureCache::Redraw redraw;
    clsTessarymInterface* window = Window(currentMode_);
    if (window == nullptr) return {};
    ToSurfaceCoords(X, Y);
    // Points left of or above the picture are not passed on; those right of or below it are, as
    // far as the pane reaches (both ends inclusive).
    if (X < 0 || X > pane_->Width() || Y < 0 || Y > pane_->Height()) return {};
    SurfaceResult picture = (window->*operation)(Button, X, Y);
    if (!picture) return std::unexpected(picture.error());
    PresentSurface(std::move(*picture));
    return {};
}

int clsSkinMng::AreaWidth() const {
    return std::max(gDirectDraw.getWindowRect(*pane_).Width() - 2 * kPaneBorder, 0);
}
int clsSkinMng::AreaHeight() const {
    return std::max(gDirectDraw.getWindowRect(*pane_).Height() - 2 * kPaneBorder, 0);
}

void clsSkinMng::ToSurfaceCoords(int& X, int& Y) const {
    const RECT drawn = Window(currentMode_)->getDrawRect();
    X -= Offset(AreaWidth(), drawn.Right);
    Y -= Offset(AreaHeight(), drawn.Bottom);
}

void clsSkinMng::PresentSurface(SurfacePtr surface) {
    if (!surface) return;
    const int areaWidth = AreaWidth();
    const int areaHeight = AreaHeight();
    const RECT source = gDirectDraw.getSurfaceRect(*surface);

    // The drawing area cleared to the pane's colour, with the picture copied in. This runs at
    // every mouse move: the area is drawn again in place, and only the margins around the
    // picture are cleared, row by row; when the picture lies where the last one lay, on the
    // same colour, only the picture is copied and the pane told so.
    const std::uint32_t back = ToPixel(pane_->BackColor());
    const int copiedWidth = std::max(std::min(areaWidth, source.Right), 0);
    const int copiedHeight = std::max(std::min(areaHeight, source.Bottom), 0);
    const int x = Offset(areaWidth, source.Right);
    const int y = Offset(areaHeight, source.Bottom);
    const RECT place{x, y, x + copiedWidth, y + copiedHeight};
    const bool samePlace = presented_.width == areaWidth && presented_.height == areaHeight &&
                           place == presentedPlace_ && back == presentedBack_;
    presented_.width = areaWidth;
    presented_.height = areaHeight;
    presented_.pixels.resize(std::size_t(areaWidth) * std::size_t(areaHeight));
    presentedPlace_ = place;
    presentedBack_ = back;
    const std::span<const std::uint32_t> pixels = surface->Pixels();
    std::uint32_t* area = presented_.pixels.data();
    const auto row = [&](int at) { return area + std::size_t(at) * std::size_t(areaWidth); };
    if (samePlace) {
        for (int line = 0; line < copiedHeight; ++line) {
            CopyRow(row(y + line) + x, &pixels[std::size_t(line) * std::size_t(source.Right)],
                    std::size_t(copiedWidth));
        }
        pane_->ShowPictureChange(presented_, place);
        lastPicture_ = std::move(surface);
        return;
    }
    FillRow(area, std::size_t(y) * std::size_t(areaWidth), back);
    for (int line = 0; line < copiedHeight; ++line) {
        std::uint32_t* to = row(y + line);
        if (copiedWidth <= 0) {
            FillRow(to, std::size_t(areaWidth), back);
            continue;
        }
        FillRow(to, std::size_t(x), back);
        CopyRow(to + x, &pixels[std::size_t(line) * std::size_t(source.Right)],
                std::size_t(copiedWidth));
        FillRow(to + x + copiedWidth, std::size_t(areaWidth - x - copiedWidth), back);
    }
    FillRow(row(y + copiedHeight),
            std::size_t(areaHeight - y - copiedHeight) * std::size_t(areaWidth), back);
    pane_->ShowPicture(presented_);
    lastPicture_ = std::move(surface);
}

}  // namespace morvish
