#include "clsEmnuMsgBox.h"

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 245;

// The box's files lie in the skin folder itself. Button k has its normal look at entry k, its
// hover look at k + 4 and its pressed look at k + 8, all at the normal look's place; the
// buttons are 23, 23 and 28 pixels apart.
constexpr std::array<ElementEntry, 13> kElementTable{{
    {"win_msgbox.bmp", 0, 0, "window background"},
    {"esc_01a.bmp", 29, 22, "menu button 1, normal"},
    {"esc_02a.bmp", 29, 45, "menu button 2, normal"},
    {"esc_03a.bmp", 29, 68, "menu button 3, normal"},
    {"esc_04a.bmp", 29, 96, "menu button 4, normal"},
    {"esc_01b.bmp", 29, 22, "menu button 1, hover"},
    {"esc_02b.bmp", 29, 45, "menu button 2, hover"},
    {"esc_03b.bmp", 29, 68, "menu button 3, hover"},
    {"esc_04b.bmp", 29, 96, "menu button 4, hover"},
    {"esc_01c.bmp", 29, 22, "menu button 1, pressed"},
    {"esc_02c.bmp", 29, 45, "menu button 2, pressed"},
    {"esc_03c.bmp", 29, 68, "menu button 3, pressed"},
    {"esc_04c.bmp", 29, 96, "menu button 4, pressed"},
}};

constexpr int kBackground = 0;
constexpr int kHoverOffset = 4;
constexpr int kPressedOffset = 8;

// The loading box lies 5 pixels below the menu box.
constexpr int kBoxGap = 5;
constexpr char kLoadingText[] = "Loading 30 %";

// The progress bar stays at fixed places whatever the background's height.
constexpr int kBarLeft = 20, kBarTop = 175, kBarRight = 260, kBarBottom = 190, kBarFillRight = 100;

}  // namespace

void clsEmnuMsgBox::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                    const std::filesystem::path& DirName,
                                    const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    elements_ = MakeElements(dir_, kElementTable);
    hit_.fill(kNeverDrawn);
}

SkinPainter clsEmnuMsgBox::Paint() {
    SkinPainter p(kWidth, kHeight, pane_->BackColor());
    const Element& background = elements_[kBackground];
    if (std::optional<RECT> menuBox = p.Piece(background, 0, 0)) {
        const int h = menuBox->Height();
        const int loadingTop = h + kBoxGap;
        p.Piece(background, 0, loadingTop);
        if (Result<ColorChip> chip = mdlMain::LoadColorChip(dir_)) {
            chip_ = *chip;
        } else {
            p.Fail(chip.error());
        }
        p.Box(chip_[1], 85, h + 30, 245, h + 54);
        p.Text(mdlMain::GetSkinFont(2, 12), 0x000000, 85, h + 30, kLoadingText);
    }
    p.Box(chip_[5], kBarLeft, kBarTop, kBarRight, kBarBottom);
    p.Box(chip_[6], kBarLeft, kBarTop, kBarFillRight, kBarBottom);
    for (int k = 1; k <= kMenuButtons; ++k) Keep(hit_[k], p.Piece(elements_[k]));
    return p;
}

SurfaceResult clsEmnuMsgBox::Lit(int Button, int X, int Y) {
    SkinPainter p = Paint();
    const int lookOffset = Button == 1 ? kPressedOffset : kHoverOffset;
    std::array<HoverSpot, kMenuButtons> spots;
    for (int k = 1; k <= kMenuButtons; ++k) {
        spots[std::size_t(k - 1)] = HoverSpot{hit_[k], &elements_[k + lookOffset]};
    }
    DrawHovers(p, spots, X, Y);
    return p.Finish();
}

SurfaceResult clsEmnuMsgBox::MouseDown(int Button, int X, int Y) {
    return Lit(Button, X, Y);
}
SurfaceResult clsEmnuMsgBox::MouseMove(int Button, int X, int Y) {
    return Lit(Button, X, Y);
}
SurfaceResult clsEmnuMsgBox::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmnuMsgBox::MouseDblClick(int, int, int) {
    return nullptr;
}

SurfaceResult clsEmnuMsgBox::Refresh() {
    return Paint().Finish();
}

RECT clsEmnuMsgBox::getDrawRect() const {
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace morvish
