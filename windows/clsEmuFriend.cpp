#include "clsEmuFriend.h"

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 212;
constexpr int kHeight = 155;

constexpr ElementEntry kPieces[] = {
    {"basic_interface\\titlebar_left.bmp", 0, 0, "title bar, left end"},
    {"basic_interface\\titlebar_mid.bmp", 12, 0, "title bar, middle piece (tiled)"},
    {"basic_interface\\titlebar_right.bmp", 200, 0, "title bar, right end"},
    {"basic_interface\\mesbtn_left.bmp", 0, 115, "message button bar, left end"},
    {"basic_interface\\mesbtn_mid.bmp", 7, 115, "message button bar, middle piece (tiled)"},
    {"basic_interface\\mesbtn_right.bmp", 205, 115, "message button bar, right end"},
    {"basic_interface\\btnbar_left.bmp", 0, 134, "bottom bar, left end"},
    {"basic_interface\\btnbar_mid.bmp", 21, 134, "bottom bar, middle piece (tiled)"},
    {"basic_interface\\btnbar_right.bmp", 191, 134, "bottom bar, right end"},
    {"basic_interface\\grp_leader.bmp", 4, 21, "leader icon, beside member 1"},
    {"basic_interface\\grp_offline.bmp", 4, 39, "offline icon, beside member 2"},
    {"basic_interface\\grp_online.bmp", 4, 57, "online icon, beside member 3"},
    {"radiobtn_off.bmp", 4, 139, "radio button '友だち', not selected"},
    {"radiobtn_on.bmp", 64, 139, "radio button 'パーテ', selected"},
    {"btn_resize.bmp", 197, 140, "resize grip"},
    {"basic_interface\\sys_base_off.bmp", 3, 3, "system button, normal"},
    {"basic_interface\\sys_base_on.bmp", 3, 3, "system button, hover and pressed"},
    {"basic_interface\\sys_close_off.bmp", 198, 3, "close button, normal"},
    {"basic_interface\\sys_close_on.bmp", 198, 3, "close button, hover and pressed"},
    {"basic_interface\\mesbtn_01.bmp", 5, 115, "message button 1, normal"},
    {"basic_interface\\mesbtn_01_a.bmp", 5, 115, "message button 1, hover"},
    {"basic_interface\\mesbtn_01_b.bmp", 5, 115, "message button 1, pressed"},
    {"basic_interface\\mesbtn_02.bmp", 31, 115, "message button 2, normal"},
    {"basic_interface\\mesbtn_02_a.bmp", 31, 115, "message button 2, hover"},
    {"basic_interface\\mesbtn_02_b.bmp", 31, 115, "message button 2, pressed"},
    {"basic_interface\\mesbtn_03.bmp", 57, 115, "message button 3, normal"},
    {"basic_interface\\mesbtn_03_a.bmp", 57, 115, "message button 3, hover"},
    {"basic_interface\\mesbtn_03_b.bmp", 57, 115, "message button 3, pressed"},
    {"basic_interface\\mesbtn_04.bmp", 83, 115, "message button 4, normal"},
    {"basic_interface\\mesbtn_04_a.bmp", 83, 115, "message button 4, hover"},
    {"basic_interface\\mesbtn_04_b.bmp", 83, 115, "message button 4, pressed"},
    {"basic_interface\\mesbtn_05.bmp", 108, 115, "message button 5, normal"},
    {"basic_interface\\mesbtn_05_a.bmp", 108, 115, "message button 5, hover"},
    {"basic_interface\\mesbtn_05_b.bmp", 108, 115, "message button 5, pressed"},
};

// A bar of two end pieces and a middle piece tiled between them at a fixed step. The ends are
// drawn first, so the middle's last copy lies over the right end where they meet.
struct Bar {
    int left;
    int right;
    int middle;
    int copies;
    int step;
};

constexpr Bar kBars[] = {
    {clsEmuFriend::kTitleLeft, clsEmuFriend::kTitleRight, clsEmuFriend::kTitleMiddle, 16, 12},
    {clsEmuFriend::kBottomBarLeft, clsEmuFriend::kBottomBarRight, clsEmuFriend::kBottomBarMiddle, 9,
     21},
    {clsEmuFriend::kMessageBarLeft, clsEmuFriend::kMessageBarRight, clsEmuFriend::kMessageBarMiddle,
     29, 7},
};

// The radio labels in black, then the four party members, each in its own colour: blue, red,
// magenta and cyan.
constexpr ColoredTextEntry kTexts[] = {
    {0x000000, 17, 139, "友だち"},
    {0x000000, 77, 139, "パーテ"},
    {0xFF0000, 22, 23, "Morvish1(プロンテラフィルド)"},
    {0x0000FF, 22, 41, "Morvish2"},
    {0xFF00FF, 22, 59, "Morvish3(プロンテラ内付)"},
    {0xFFFF00, 22, 77, "Morvish4"},
};

}  // namespace

void clsEmuFriend::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                   const std::filesystem::path& DirName,
                                   const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    elements_ = MakeElements(dir_, kPieces);
}

SkinPainter clsEmuFriend::Paint() {
    SkinPainter p(kWidth, kHeight, pane_->BackColor());
    const auto& e = elements_;

    for (const Bar& bar : kBars) {
        p.Piece(e[bar.left]);
        p.Piece(e[bar.right]);
        p.Tile(e[bar.middle], bar.copies, bar.step, 0);
    }
    // The list area in the skin's first chip colour.
    p.Box(chip_[1], 0, 17, 212, 115);

    for (int icon = kLeaderIcon; icon <= kResize; ++icon) p.Piece(e[icon]);
    Keep(hitSystem_, p.Piece(e[kSystemOff]));
    Keep(hitClose_, p.Piece(e[kCloseOff]));
    for (int button = 0; button < kMessageButtons; ++button) {
        Keep(hitMessage_[button], p.Piece(e[kMessageButton + 3 * button]));
    }

    p.Title(16, 3, "パーティー(Morvish)");
    const SkinFont* font = mdlMain::GetSkinFont(1, 9);
    p.Texts(font, kTexts);
    return p;
}

SurfaceResult clsEmuFriend::PaintLit(int Button, int X, int Y) {
    SkinPainter p = Paint();
    // The message buttons' pressed look while the left button alone is held, else their hover
    // look; the system and close buttons have one look for both.
    const int look = Button == 1 ? 2 : 1;
    HoverSpot spots[2 + kMessageButtons] = {
        {hitSystem_, &elements_[kSystemOn]},
        {hitClose_, &elements_[kCloseOn]},
    };
    for (int button = 0; button < kMessageButtons; ++button) {
        spots[2 + button] = {hitMessage_[button], &elements_[kMessageButton + 3 * button + look]};
    }
    DrawHovers(p, spots, X, Y);
    return p.Finish();
}

SurfaceResult clsEmuFriend::Refresh() {
    return Paint().Finish();
}
SurfaceResult clsEmuFriend::MouseDown(int Button, int X, int Y) {
    return PaintLit(Button, X, Y);
}
SurfaceResult clsEmuFriend::MouseMove(int Button, int X, int Y) {
    return PaintLit(Button, X, Y);
}
SurfaceResult clsEmuFriend::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuFriend::MouseDblClick(int, int, int) {
    return nullptr;
}

RECT clsEmuFriend::getDrawRect() const {
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace morvish
