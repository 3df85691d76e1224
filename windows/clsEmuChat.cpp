#include "clsEmuChat.h"

#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 120;

enum Piece : int {
    kTitleBar,
    kClose,
    kCloseLit,  // hover and pressed alike
    kBackground,
    kRadioPublic,
    kRadioPrivate,
    kMemberLimit,  // the first drop-down button
    kMemberLimitHover,
    kMemberLimitPressed,
    kOk,
    kOkHover,
    kOkPressed,
    kCancel,
    kCancelHover,
    kCancelPressed,
    kRoomKind,  // the second drop-down button
    kRoomKindHover,
    kRoomKindPressed,
};

constexpr ElementEntry kElements[] = {
    {"basic_interface\\titlebar_fix.bmp", 0, 0, "title bar"},
    {"basic_interface\\sys_close_off.bmp", 266, 3, "close button, normal"},
    {"basic_interface\\sys_close_on.bmp", 266, 3, "close button, hover and pressed"},
    {"basic_interface\\chatwin0_bg.bmp", 0, 17, "dialog background", Role::Background},
    {"radiobtn_off.bmp", 44, 70, "radio button '公開', not selected"},
    {"radiobtn_on.bmp", 84, 70, "radio button '非公開', selected"},
    {"basic_interface\\txtbox_btn_a.bmp", 119, 46, "drop-down button of the member limit, normal"},
    {"basic_interface\\txtbox_btn_b.bmp", 119, 46, "drop-down button of the member limit, hover"},
    {"basic_interface\\txtbox_btn_c.bmp", 119, 46, "drop-down button of the member limit, pressed"},
    {"btn_ok.bmp", 189, 96, "OK button, normal"},
    {"btn_ok_a.bmp", 189, 96, "OK button, hover"},
    {"btn_ok_b.bmp", 189, 96, "OK button, pressed"},
    {"btn_cancel.bmp", 234, 96, "cancel button, normal"},
    {"btn_cancel_a.bmp", 234, 96, "cancel button, hover"},
    {"btn_cancel_b.bmp", 234, 96, "cancel button, pressed"},
    {"basic_interface\\txtbox_btn_a.bmp", 256, 46, "drop-down button of the room kind, normal"},
    {"basic_interface\\txtbox_btn_b.bmp", 256, 46, "drop-down button of the room kind, hover"},
    {"basic_interface\\txtbox_btn_c.bmp", 256, 46, "drop-down button of the room kind, pressed"},
};
static_assert(std::size(kElements) == kRoomKindPressed + 1);

constexpr LitControl kControls[] = {
    {kClose, OneLook(kCloseLit)},
    {kMemberLimit, HoverAndPressed(kMemberLimitHover, kMemberLimitPressed)},
    {kOk, HoverAndPressed(kOkHover, kOkPressed)},
    {kCancel, HoverAndPressed(kCancelHover, kCancelPressed)},
    {kRoomKind, HoverAndPressed(kRoomKindHover, kRoomKindPressed)},
};

constexpr char kTitle[] = "部屋作り";

// The sample settings of the room.
constexpr TextEntry kTexts[] = {
    {48, 49, "20 名"},            // member limit
    {187, 49, "チャットルーム"},  // room kind
    {57, 70, "公開"},             // label of the first radio button (public)
    {97, 70, "非公開"},           // label of the second radio button (private)
    {48, 26, "morvish テスト"},   // room title
};

}  // namespace

clsEmuChat::clsEmuChat() : EmulatedWindow({kElements}) {}

SkinPainter clsEmuChat::Paint() {
    SkinPainter p = NewPicture();
    const auto& e = elements_;

    p.Piece(e[kTitleBar]);
    PieceWithHit(p, kClose);
    p.Piece(e[kBackground]);
    p.Piece(e[kRadioPublic]);
    p.Piece(e[kRadioPrivate]);
    PieceWithHit(p, kMemberLimit);
    PieceWithHit(p, kOk);
    PieceWithHit(p, kCancel);

    p.Title(8, 3, kTitle);
    p.Texts(mdlMain::GetSkinFont(FontKind::kJapanese, 9), 0x000000, kTexts);
    // The room kind's drop-down button comes after the texts: a long room kind runs under it.
    PieceWithHit(p, kRoomKind);
    return p;
}

SurfaceResult clsEmuChat::MouseDown(int Button, int X, int Y) {
    return PaintLit({kControls}, Button, X, Y);
}

SurfaceResult clsEmuChat::MouseMove(int Button, int X, int Y) {
    return PaintLit({kControls}, Button, X, Y);
}

RECT clsEmuChat::getDrawRect() const {
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace morvish
