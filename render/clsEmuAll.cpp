#include "clsEmuAll.h"

#include "PictureCache.h"
#include "SkinPainter.h"

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
    SkinPainter painter(kWidth, kHeight, pane_->BackColor());
    for (int slot = kBasic; slot <= kEtc; ++slot) {
        if (windows_[slot] == nullptr) continue;
        SurfaceResult picture = windows_[slot]->Refresh();
        if (!picture) return std::unexpected(picture.error());
        if (!*picture) continue;
        const DirectDrawSurface7& window = **picture;
        RECT source{0, 0, window.Width(), window.Height()};
        if (slot == kMsgBox) source.Bottom = std::min(source.Bottom, kMsgBoxRows);
        const RECT& place = layout_[slot];
        painter.Canvas().Blt(
            RECT{place.Left, place.Top, place.Left + source.Right, place.Top + source.Bottom},
            window, source, DDBLT_WAIT);
    }
    return painter.Finish();
}

}  // namespace morvish
