#include "clsEmnuMsgBox.h"

#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 245;

// The box's files lie in the skin folder itself. Every look of a menu button lies at its normal
// look's place; the buttons are 23, 23 and 28 pixels apart.
enum Piece : int {
    kBackground,
    kMenu1,
    kMenu2,
    kMenu3,
    kMenu4,
    kMenu1Hover,
    kMenu2Hover,
    kMenu3Hover,
    kMenu4Hover,
    kMenu1Pressed,
    kMenu2Pressed,
    kMenu3Pressed,
    kMenu4Pressed,
};

constexpr ElementEntry kElements[] = {
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
};
static_assert(std::size(kElements) == kMenu4Pressed + 1);

constexpr LitControl kControls[] = {
    {kMenu1, HoverAndPressed(kMenu1Hover, kMenu1Pressed)},
    {kMenu2, HoverAndPressed(kMenu2Hover, kMenu2Pressed)},
    {kMenu3, HoverAndPressed(kMenu3Hover, kMenu3Pressed)},
    {kMenu4, HoverAndPressed(kMenu4Hover, kMenu4Pressed)},
};

// The loading box lies 5 pixels below the menu box.
constexpr int kBoxGap = 5;
constexpr char kLoadingText[] = "Loading 30 %";

// The progress bar stays at fixed places whatever the background's height.
constexpr int kBarLeft = 20, kBarTop = 175, kBarRight = 260, kBarBottom = 190, kBarFillRight = 100;

}  // namespace

clsEmnuMsgBox::clsEmnuMsgBox() : EmulatedWindow({kElements}) {}

SkinPainter clsEmnuMsgBox::Paint() {
    SkinPainter p = NewPicture();
    const Element& background = elements_[kBackground];
    if (std::optional<RECT> menuBox = p.Piece(background)) {
        const int h = menuBox->Height();
        p.Piece(background, 0, h + kBoxGap);
        ReloadColorChip(p);
        p.Box(chip_[1], 85, h + 30, 245, h + 54);
        p.Text(mdlMain::GetSkinFont(FontKind::kEnglish, 12), 0x000000, 85, h + 30, kLoadingText);
    }
    p.Box(chip_[5], kBarLeft, kBarTop, kBarRight, kBarBottom);
    p.Box(chip_[6], kBarLeft, kBarTop, kBarFillRight, kBarBottom);
    for (int button : {kMenu1, kMenu2, kMenu3, kMenu4}) PieceWithHit(p, button);
    return p;
}

SurfaceResult clsEmnuMsgBox::MouseDown(int Button, int X, int Y) {
    return PaintLit({kControls}, Button, X, Y);
}

SurfaceResult clsEmnuMsgBox::MouseMove(int Button, int X, int Y) {
    return PaintLit({kControls}, Button, X, Y);
}

RECT clsEmnuMsgBox::getDrawRect() const {
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace morvish
