#include "clsEmuEquip.h"

#include <iterator>
#include <span>

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kOpenHeight = 147;
constexpr int kMinimisedHeight = 17;

// The window's own elements, numbered on from the title bar buttons.
enum Piece : int {
    kTitleBar = TitleButton::kCount,
    kBackground,
    kCartButton,
    kItemsOff,
    kItemsOn,
    kHighlight,
    kCharacter,  // the character picture over the background
};

constexpr ElementEntry kElements[] = {
    {"basic_interface\\titlebar_fix.bmp", 0, 0, "title bar (one piece)"},
    {"basic_interface\\equipwin_bg.bmp", 0, 17, "window background", Role::Background},
    {"basic_interface\\btn_cartoff.bmp", 122, 107, "cart button (off)"},
    {"basic_interface\\btn_items_off.bmp", 126, 87, "items button, normal"},
    {"basic_interface\\btn_items_on.bmp", 126, 87, "items button, hover"},
    {"basic_interface\\item_invert.bmp", 3, 25, "highlight of the selected item"},
    {"equip.bmp", 0, 17, "sample picture over the background", Role::Piece, Folder::SamplePictures},
};
static_assert(TitleButton::kCount + std::size(kElements) == kCharacter + 1);

// After the title bar buttons: the items button, and a spot that shows the highlight image. The
// spot is fixed, whatever the image's size: it is kept as the hit rectangle of the image, which
// is never drawn as a piece. The cart button has no hover image.
constexpr LitControl kButtons[] = {
    {kItemsOff, OneLook(kItemsOn)},
    {kHighlight, OneLook(kHighlight)},
};
constexpr RECT kHighlightSpot{4, 28, 25, 38};

// The title and the sample item names, each at the place of its black pass; the white edge
// lies one pixel right and below.
constexpr TextEntry kTexts[] = {
    {16, 3, "装備アイテム"},  // the title, the only text of the folded window
    {33, 45, "ヘルム"},      {33, 71, "ツルギ"},    {33, 97, "マント"},  {33, 123, "グラーブ"},
    {181, 45, "プレート"},   {181, 71, "シールド"}, {181, 97, "ブーツ"}, {181, 123, "グラーブ"},
};

}  // namespace

clsEmuEquip::clsEmuEquip() : EmulatedWindow({kTitleButtons, kElements}) {}

void clsEmuEquip::ResetState() {
    hit_[kHighlight] = kHighlightSpot;
    minimised_ = false;
}

SkinPainter clsEmuEquip::Paint() {
    SkinPainter p = NewPicture();
    const auto& e = elements_;

    p.Piece(e[kTitleBar]);
    PaintTitleButtons(p);
    if (!minimised_) {
        p.Piece(e[kBackground]);
        p.Piece(e[kCharacter]);
        p.Piece(e[kCartButton]);
        PieceWithHit(p, kItemsOff);
    }

    // Every text gets a white edge: all of them are drawn in white first, one pixel right and
    // below, then all again in black at their places.
    const SkinFont* font = mdlMain::GetSkinFont(FontKind::kJapanese, 9);
    const std::span<const TextEntry> texts(kTexts, minimised_ ? 1 : std::size(kTexts));
    p.Texts(font, 0xFFFFFF, texts, 1, 1);
    p.Texts(font, 0x000000, texts);
    return p;
}

SurfaceResult clsEmuEquip::MouseDown(int Button, int X, int Y) {
    if (Button != MouseButton::kLeft || !Hits(TitleButton::kMinimiseOff, X, Y)) {
        return nullptr;
    }
    minimised_ = !minimised_;
    return Refresh();
}

SurfaceResult clsEmuEquip::MouseMove(int Button, int X, int Y) {
    return PaintLit({kTitleButtonLooks, kButtons}, Button, X, Y);
}

RECT clsEmuEquip::getDrawRect() const {
    return RECT{0, 0, kWidth, minimised_ ? kMinimisedHeight : kOpenHeight};
}

}  // namespace morvish
