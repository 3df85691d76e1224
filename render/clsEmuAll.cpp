#include "clsEmuAll.h"

#include <algorithm>
#include <span>
#include <vector>

#include "PictureCache.h"
#include "clsDirectDraw.h"

namespace morvish {

namespace {

// Slot numbers of the windows, as the manager holds them.
enum Slot {
    kBasic = 2,
    kMsgBox,
    kStatus,
    kOption,
    kItem,
    kEquip,
    kChat,
    kParty,
    kSkill,
    kTrade,
    kEtc
};

// The message box counts, and is shown, as only its top 120 rows.
constexpr int kMsgBoxRows = 120;
constexpr int kGap = 5;

void PlaceBelow(RECT& r, const RECT& q) {
    r.Top = q.Bottom + kGap;
    r.Bottom += r.Top;
}

void PlaceRightOf(RECT& r, const RECT& q) {
    r.Left = q.Right + kGap;
    r.Right += r.Left;
}

// Below q and in q's column.
void PlaceUnder(RECT& r, const RECT& q) {
    PlaceBelow(r, q);
    r.Left = q.Left;
    r.Right += r.Left;
}

// Paints every pixel of the surface that no rectangle (right and bottom exclusive) holds, band by
// band of rows that the same rectangles cross.
void FillOutside(DirectDrawSurface7& surface, std::span<const RECT> taken, Color color) {
    std::vector<int> edges{0, surface.Height()};
    for (const RECT& r : taken) {
        if (r.Width() <= 0 || r.Height() <= 0) continue;
        edges.push_back(std::clamp(r.Top, 0, surface.Height()));
        edges.push_back(std::clamp(r.Bottom, 0, surface.Height()));
    }
    std::ranges::sort(edges);
    std::vector<std::pair<int, int>> spans;
    for (std::size_t band = 0; band + 1 < edges.size(); ++band) {
        const int top = edges[band], bottom = edges[band + 1];
        if (top == bottom) continue;
        spans.clear();
        for (const RECT& r : taken) {
            if (r.Width() > 0 && r.Top <= top && r.Bottom >= bottom)
                spans.emplace_back(r.Left, r.Right);
        }
        std::ranges::sort(spans);
        int x = 0;
        for (const auto& [left, right] : spans) {
            if (left > x) surface.BltColorFill(RECT{x, top, left, bottom}, color);
            x = std::max(x, right);
        }
        if (x < surface.Width()) surface.BltColorFill(RECT{x, top, surface.Width(), bottom}, color);
    }
}

}  // namespace

void clsEmuAll::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::filesystem::path&,
                                const ColorChip&) {
    pane_ = &ShowSkinPictureBox;
}

void clsEmuAll::SetEmulateObject(const std::array<clsTessarymInterface*, 13>& EmulateObject) {
    for (int slot = kBasic; slot <= kEtc; ++slot) {
        windows_[slot] = EmulateObject[slot];
        layout_[slot] = windows_[slot] != nullptr ? windows_[slot]->getDrawRect() : RECT{};
    }
    RECT* r = layout_.data();
    r[kMsgBox].Bottom = kMsgBoxRows;
    PlaceBelow(r[kStatus], r[kBasic]);
    PlaceBelow(r[kEquip], r[kStatus]);
    PlaceBelow(r[kOption], r[kEquip]);
    PlaceBelow(r[kEtc], r[kOption]);
    PlaceRightOf(r[kItem], r[kBasic]);
    PlaceUnder(r[kTrade], r[kItem]);
    PlaceUnder(r[kChat], r[kTrade]);
    PlaceRightOf(r[kSkill], r[kItem]);
    PlaceUnder(r[kMsgBox], r[kSkill]);
    // The party window stands right of the miscellaneous canvas, bottom edges level.
    r[kParty].Top = r[kEtc].Bottom - r[kParty].Bottom;
    r[kParty].Bottom += r[kParty].Top;
    PlaceRightOf(r[kParty], r[kEtc]);
}

SurfaceResult clsEmuAll::MouseDown(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuAll::MouseMove(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuAll::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuAll::MouseDblClick(int, int, int) {
    return nullptr;
}

SurfaceResult clsEmuAll::Refresh() {
    // One redraw of eleven windows: a file they share is looked at once.
    PictureCache::Redraw redraw;
    const Color back = pane_->BackColor();
    SurfacePtr frame = gDirectDraw.CreateSurface(kWidth, kHeight);
    // Each window draws straight into its place and paints its own background there; the frame
    // is painted only where no window is.
    std::array<RECT, 13> places{};
    for (int slot = kBasic; slot <= kEtc; ++slot) {
        if (windows_[slot] == nullptr) continue;
        const RECT size = windows_[slot]->getDrawRect();
        const RECT& at = layout_[slot];
        const int rows = slot == kMsgBox ? std::min(size.Bottom, kMsgBoxRows) : size.Bottom;
        places[slot] = RECT{at.Left, at.Top, at.Left + size.Right, at.Top + rows};
    }
    FillOutside(*frame, places, back);
    for (int slot = kBasic; slot <= kEtc; ++slot) {
        if (windows_[slot] == nullptr) continue;
        Result<void> done = windows_[slot]->RefreshOnto(*frame, places[slot], std::nullopt);
        if (!done) return std::unexpected(done.error());
    }
    return frame;
}

}  // namespace morvish
