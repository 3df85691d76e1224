#include "clsEmuFriend.h"

#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 212;
constexpr int kHeight = 155;

enum Piece : int {
    kTitleLeft,
    kTitleMiddle,
    kTitleRight,
    kMessageBarLeft,
    kMessageBarMiddle,
    kMessageBarRight,
    kBottomBarLeft,
    kBottomBarMiddle,
    kBottomBarRight,
    kLeaderIcon,
    kOfflineIcon,
    kOnlineIcon,
    kRadioFriends,
    kRadioParty,
    kResize,
    kSystemOff,
    kSystemOn,  // hover and pressed alike
    kCloseOff,
    kCloseOn,  // hover and pressed alike
    kMessage1,
    kMessage1Hover,
    kMessage1Pressed,
    kMessage2,
    kMessage2Hover,
    kMessage2Pressed,
    kMessage3,
    kMessage3Hover,
    kMessage3Pressed,
    kMessage4,
    kMessage4Hover,
    kMessage4Pressed,
    kMessage5,
    kMessage5Hover,
    kMessage5Pressed,
};

constexpr ElementEntry kElements[] = {
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
static_assert(std::size(kElements) == kMessage5Pressed + 1);

constexpr LitControl kControls[] = {
    {kSystemOff, OneLook(kSystemOn)},
    {kCloseOff, OneLook(kCloseOn)},
    {kMessage1, HoverAndPressed(kMessage1Hover, kMessage1Pressed)},
    {kMessage2, HoverAndPressed(kMessage2Hover, kMessage2Pressed)},
    {kMessage3, HoverAndPressed(kMessage3Hover, kMessage3Pressed)},
    {kMessage4, HoverAndPressed(kMessage4Hover, kMessage4Pressed)},
    {kMessage5, HoverAndPressed(kMessage5Hover, kMessage5Pressed)},
};

constexpr char kTitle[] = "パーティー(Morvish)";

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

clsEmuFriend::clsEmuFriend() : EmulatedWindow({kElements}) {}

SkinPainter clsEmuFriend::Paint() {
    SkinPainter p = NewPicture();
    const auto& e = elements_;

    p.Bar(e[kTitleLeft], e[kTitleMiddle], e[kTitleRight], 16, 12);
    p.Bar(e[kBottomBarLeft], e[kBottomBarMiddle], e[kBottomBarRight], 9, 21);
    p.Bar(e[kMessageBarLeft], e[kMessageBarMiddle], e[kMessageBarRight], 29, 7);
    // The list area in the skin's first chip colour.
    p.Box(chip_[1], 0, 17, 212, 115);

    for (int piece = kLeaderIcon; piece <= kResize; ++piece) p.Piece(e[piece]);
    PieceWithHit(p, kSystemOff);
    PieceWithHit(p, kCloseOff);
    for (int button : {kMessage1, kMessage2, kMessage3, kMessage4, kMessage5}) {
        PieceWithHit(p, button);
    }

    p.Title(16, 3, kTitle);
    p.Texts(mdlMain::GetSkinFont(FontKind::kJapanese, 9), kTexts);
    return p;
}

SurfaceResult clsEmuFriend::MouseDown(int Button, int X, int Y) {
    return PaintLit({kControls}, Button, X, Y);
}

SurfaceResult clsEmuFriend::MouseMove(int Button, int X, int Y) {
    return PaintLit({kControls}, Button, X, Y);
}

RECT clsEmuFriend::getDrawRect() const {
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace morvish
