#include "clsEmuChat.h"

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 120;

constexpr ElementEntry kPieces[] = {
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

// The sample settings of the room.
constexpr TextEntry kTexts[] = {
    {48, 49, "20 名"},            // member limit
    {187, 49, "チャットルーム"},  // room kind
    {57, 70, "公開"},             // label of the first radio button (public)
    {97, 70, "非公開"},           // label of the second radio button (private)
    {48, 26, "morvish テスト"},   // room title
};

}  // namespace

void clsEmuChat::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                 const std::filesystem::path& DirName, const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    elements_ = MakeElements(dir_, kPieces);
}

SkinPainter clsEmuChat::Paint() {
    SkinPainter p(kWidth, kHeight, pane_->BackColor());
    const auto& e = elements_;

    p.Piece(e[kTitleBar]);
    Keep(hitClose_, p.Piece(e[kClose]));
    p.Piece(e[kBackground]);
    p.Piece(e[kRadioPublic]);
    p.Piece(e[kRadioPrivate]);
    Keep(hitMemberLimit_, p.Piece(e[kMemberLimit]));
    Keep(hitOk_, p.Piece(e[kOk]));
    Keep(hitCancel_, p.Piece(e[kCancel]));

    p.Title(8, 3, "部屋作り");
    const SkinFont* font = mdlMain::GetSkinFont(1, 9);
    p.Texts(font, 0x000000, kTexts);
    // The room kind's drop-down button comes after the texts: a long room kind runs under it.
    Keep(hitRoomKind_, p.Piece(e[kRoomKind]));
    return p;
}

SurfaceResult clsEmuChat::PaintLit(int Button, int X, int Y) {
    SkinPainter p = Paint();
    // The pressed look while the left button alone is held, the hover look otherwise.
    const int look = Button == 1 ? 2 : 1;
    const HoverSpot spots[] = {
        {hitClose_, &elements_[kCloseLit]},
        {hitMemberLimit_, &elements_[kMemberLimit + look]},
        {hitOk_, &elements_[kOk + look]},
        {hitCancel_, &elements_[kCancel + look]},
        {hitRoomKind_, &elements_[kRoomKind + look]},
    };
    DrawHovers(p, spots, X, Y);
    return p.Finish();
}

SurfaceResult clsEmuChat::Refresh() {
    return Paint().Finish();
}
SurfaceResult clsEmuChat::MouseDown(int Button, int X, int Y) {
    return PaintLit(Button, X, Y);
}
SurfaceResult clsEmuChat::MouseMove(int Button, int X, int Y) {
    return PaintLit(Button, X, Y);
}
SurfaceResult clsEmuChat::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuChat::MouseDblClick(int, int, int) {
    return nullptr;
}

RECT clsEmuChat::getDrawRect() const {
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace morvish
