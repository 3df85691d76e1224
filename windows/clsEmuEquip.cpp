#include "clsEmuEquip.h"

#include <iterator>
#include <span>

#include "PagedWindowFrame.h"
#include "render/ProgramPaths.h"
#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kOpenHeight = 147;
constexpr int kMinimisedHeight = 17;

// After the title bar and its buttons, which are those of the status and option windows
// (PagedWindowFrame, elements 0 to 6).
constexpr ElementEntry kPieces[] = {
    {"basic_interface\\equipwin_bg.bmp", 0, 17, "window background", Role::Background},
    {"basic_interface\\btn_cartoff.bmp", 122, 107, "cart button (off)"},
    {"basic_interface\\btn_items_off.bmp", 126, 87, "items button, normal"},
    {"basic_interface\\btn_items_on.bmp", 126, 87, "items button, hover"},
    {"basic_interface\\item_invert.bmp", 3, 25, "highlight of the selected item"},
};

constexpr ElementEntry kSample{"equip.bmp", 0, 17, "sample picture over the background",
                               Role::Sample};

// The spot that shows the highlight image. It is fixed, whatever the image's size.
constexpr RECT kHighlightSpot{4, 28, 25, 38};

// The title and the sample item names, each at the place of its black pass; the white edge
// lies one pixel right and below.
constexpr TextEntry kTexts[] = {
    {16, 3, "装備アイテム"},  // the title, the only text of the folded window
    {33, 45, "ヘルム"},      {33, 71, "ツルギ"},    {33, 97, "マント"},  {33, 123, "グラーブ"},
    {181, 45, "プレート"},   {181, 71, "シールド"}, {181, 97, "ブーツ"}, {181, 123, "グラーブ"},
};

}  // namespace

void clsEmuEquip::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                  const std::filesystem::path& DirName,
                                  const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    elements_ = PagedWindowFrame::MakeTable(dir_, kPieces);
    sample_ = Element{SamplePicturePath(std::string(kSample.name)), kSample.x, kSample.y,
                      kSample.purpose, kSample.role};
    minimised_ = false;
}

SkinPainter clsEmuEquip::Paint() {
    const RECT size = getDrawRect();
    SkinPainter p(size.Right, size.Bottom, pane_->BackColor());
    const auto& e = elements_;

    p.Piece(e[kTitleBar]);
    Keep(hitSystem_, p.Piece(e[kSystemOff]));
    Keep(hitMinimise_, p.Piece(e[kMinimiseOff]));
    Keep(hitClose_, p.Piece(e[kCloseOff]));
    if (!minimised_) {
        p.Piece(e[kBackground]);
        p.Piece(sample_);
        p.Piece(e[kCartButton]);
        Keep(hitItems_, p.Piece(e[kItemsOff]));
    }

    // Every text gets a white edge: all of them are drawn in white first, one pixel right and
    // below, then all again in black at their places.
    const SkinFont* font = mdlMain::GetSkinFont(1, 9);
    const std::span<const TextEntry> texts(kTexts, minimised_ ? 1 : std::size(kTexts));
    p.Texts(font, 0xFFFFFF, texts, 1, 1);
    p.Texts(font, 0x000000, texts);
    return p;
}

SurfaceResult clsEmuEquip::Refresh() {
    return Paint().Finish();
}

SurfaceResult clsEmuEquip::MouseDown(int Button, int X, int Y) {
    if (Button != 1 || !mdlMain::IsPointInRect(hitMinimise_, X, Y)) return nullptr;
    minimised_ = !minimised_;
    return Refresh();
}

SurfaceResult clsEmuEquip::MouseMove(int, int X, int Y) {
    SkinPainter p = Paint();
    // The cart button has no hover image.
    const HoverSpot spots[] = {
        {hitSystem_, &elements_[kSystemOn]},      {hitMinimise_, &elements_[kMinimiseOn]},
        {hitClose_, &elements_[kCloseOn]},        {hitItems_, &elements_[kItemsOn]},
        {kHighlightSpot, &elements_[kHighlight]},
    };
    DrawHovers(p, spots, X, Y);
    return p.Finish();
}

SurfaceResult clsEmuEquip::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuEquip::MouseDblClick(int, int, int) {
    return nullptr;
}

RECT clsEmuEquip::getDrawRect() const {
    return RECT{0, 0, kWidth, minimised_ ? kMinimisedHeight : kOpenHeight};
}

}  // namespace morvish
