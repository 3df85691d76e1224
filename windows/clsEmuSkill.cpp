#include "clsEmuSkill.h"

#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kOpenHeight = 309;
constexpr int kMinimisedHeight = 17;
constexpr int kRows = 4;

// The window's own elements, numbered on from the title bar buttons.
enum Piece : int {
    kTitleLeft = TitleButton::kCount,
    kTitleMiddle,
    kTitleRight,
    kFrameLeft,
    kFrameRight,
    kBarLeft,
    kBarMiddle,
    kBarRight,
    kSkillIcons,
    kArrowLeft,
    kArrowRight,
    kUse,
    kUseHover,
    kUsePressed,
    kBarClose,
    kBarCloseHover,
    kBarClosePressed,
    kIconColumn,
    kSkillUp,
    kSkillUpHover,
    kSkillUpPressed,
    kPanel,
    kPanelCloseOff,
    kPanelCloseOn,
    kSkillPicture,
};

constexpr ElementEntry kElements[] = {
    {"basic_interface\\titlebar_left.bmp", 0, 0, "title bar, left end"},
    {"basic_interface\\titlebar_mid.bmp", 12, 0, "title bar, middle piece (tiled)"},
    {"basic_interface\\titlebar_right.bmp", 268, 0, "title bar, right end"},
    {"basic_interface\\itemwin_left.bmp", 0, 17, "list frame, left side (tiled downwards)"},
    {"basic_interface\\itemwin_right.bmp", 260, 17, "list frame, right side (tiled downwards)"},
    {"basic_interface\\btnbar_left2.bmp", 0, 155, "button bar, left end"},
    {"basic_interface\\btnbar_mid2.bmp", 21, 155, "button bar, middle piece (tiled)"},
    {"basic_interface\\btnbar_right2.bmp", 259, 155, "button bar, right end"},
    {"skill1.bmp", 40, 17, "sample skill icons of the list", Role::Piece, Folder::SamplePictures},
    {"basic_interface\\arw_left.bmp", 112, 130, "level arrow left (fourth row)"},
    {"basic_interface\\arw_right.bmp", 192, 130, "level arrow right (fourth row)"},
    {"btn_use.bmp", 173, 160, "use button, normal"},
    {"btn_use_a.bmp", 173, 160, "use button, hover"},
    {"btn_use_b.bmp", 173, 160, "use button, pressed"},
    {"btn_close.bmp", 219, 160, "close button of the button bar, normal"},
    {"btn_close_a.bmp", 219, 160, "close button of the button bar, hover"},
    {"btn_close_b.bmp", 219, 160, "close button of the button bar, pressed"},
    {"basic_interface\\itemwin_mid.bmp", 40, 17, "icon column background (tiled downwards)"},
    {"basic_interface\\skill_up_a.bmp", 78, 53, "skill up button, normal"},
    {"basic_interface\\skill_up_b.bmp", 78, 53, "skill up button, hover"},
    {"basic_interface\\skill_up_c.bmp", 78, 53, "skill up button, pressed"},
    {"basic_interface\\skillcollection.bmp", 0, 189, "description panel background"},
    {"basic_interface\\sys_close_off.bmp", 266, 192, "description panel close button, normal"},
    {"basic_interface\\sys_close_on.bmp", 266, 192,
     "description panel close button, hover and pressed"},
    {"skill2.bmp", 10, 200, "sample picture of the described skill", Role::Piece,
     Folder::SamplePictures},
};
static_assert(TitleButton::kCount + std::size(kElements) == kSkillPicture + 1);

// After the title bar buttons: the buttons that press, and the description panel's close button.
constexpr LitControl kButtons[] = {
    {kUse, HoverAndPressed(kUseHover, kUsePressed)},
    {kBarClose, HoverAndPressed(kBarCloseHover, kBarClosePressed)},
    {kSkillUp, HoverAndPressed(kSkillUpHover, kSkillUpPressed)},
    {kPanelCloseOff, OneLook(kPanelCloseOn)},
};

// Skill row k (1 to 4): fixed, whatever is drawn there.
constexpr RECT RowRect(int row) {
    return RECT{104, 19 + 32 * (row - 1), 267, 47 + 32 * (row - 1)};
}

// The highlight colour of each row, as colour chip entries.
constexpr int kRowChipEntry[kRows + 1] = {0, 4, 3, 4, 2};

constexpr VerticalScrollBar kListScrollBar{265, 15, 146, 72, 128};
constexpr VerticalScrollBar kDescriptionScrollBar{260, 221, 291, 238, 243};

constexpr char kTitle[] = "スキルリスト";
constexpr Color kBlack = 0x000000;

constexpr ColoredTextEntry kListLabels[] = {
    {0x808080, 112, 54, "両手剣 修練"},
    {kBlack, 112, 22, "剣 修練"},
    {kBlack, 113, 34, "Lv : 10"},
    {kBlack, 212, 34, "パシブ"},
    {kBlack, 112, 86, "HP回復力 向上"},
    {kBlack, 113, 98, "Lv : 10"},
    {kBlack, 212, 98, "パシブ"},
    {kBlack, 112, 118, "バッシュ"},
    {kBlack, 124, 130, "Lv :"},
    {kBlack, 149, 130, "10"},
    {kBlack, 168, 130, "/"},
    {kBlack, 178, 130, "10"},
    {kBlack, 212, 130, "Sp : 15"},
    {kBlack, 16, 164, "スキルポイント : 1"},
};

// Colours as the window passes them: 0x000002 is red 2 (practically black), 0x800000 dark blue.
constexpr ColoredTextEntry kDescriptionLabels[] = {
    {kBlack, 50, 199, "剣 修練"},
    {kBlack, 51, 224, "剣_修練(Sword Mastery)"},
    {kBlack, 51, 242, "系列："},
    {kBlack, 51, 260, "内容："},
    {0x000002, 51, 278, "剣使用の時、攻撃力を増加させる。"},
    {0x800000, 85, 242, "パシブ"},
};

}  // namespace

clsEmuSkill::clsEmuSkill() : EmulatedWindow({kTitleButtons, kElements}) {}

void clsEmuSkill::ResetState() {
    minimised_ = false;
    selectedRow_ = 0;
}

SkinPainter clsEmuSkill::Paint() {
    SkinPainter painter = NewPicture();
    const auto& e = elements_;

    // The colour chip is read anew so that a changed colorchip.bmp shows at once.
    ReloadColorChip(painter);

    // The frame. The middle pieces come after the ends, so their last copies lie over them.
    painter.Bar(e[kTitleLeft], e[kTitleMiddle], e[kTitleRight], 22, 12);
    if (!minimised_) {
        painter.Tile(e[kFrameLeft], 18, 0, 8);
        painter.Tile(e[kFrameRight], 18, 0, 8);
        painter.Bar(e[kBarLeft], e[kBarMiddle], e[kBarRight], 12, 21);
    }

    painter.Title(16, 3, kTitle);
    if (!minimised_) PaintList(painter);

    // The pieces that lie over the list texts.
    PaintTitleButtons(painter);
    if (!minimised_) {
        painter.Tile(e[kIconColumn], 4, 0, 32);
        for (int piece : {kSkillIcons, kArrowLeft, kArrowRight}) painter.Piece(e[piece]);
        for (int button : {kUse, kBarClose, kSkillUp}) PieceWithHit(painter, button);
        painter.Piece(e[kPanel]);
        PieceWithHit(painter, kPanelCloseOff);
        painter.Piece(e[kSkillPicture]);
        PaintDescription(painter);
    }
    return painter;
}

void clsEmuSkill::PaintList(SkinPainter& painter) {
    painter.Box(chip_[1], 20, 17, 264, 155);
    painter.Box(chip_[1], 262, 145, 276, 155);
    if (selectedRow_ >= 1 && selectedRow_ <= kRows) {
        const RECT row = RowRect(selectedRow_);
        painter.Box(chip_[kRowChipEntry[selectedRow_]], row.Left, row.Top, row.Right, row.Bottom);
    }
    painter.Texts(mdlMain::GetSkinFont(FontKind::kJapanese, 9), kListLabels);
    PlaceScrollBar(painter, kListScrollBar);
}

void clsEmuSkill::PaintDescription(SkinPainter& painter) {
    painter.Box(chip_[1], 48, 220, 273, 300);
    PlaceScrollBar(painter, kDescriptionScrollBar);
    painter.Texts(mdlMain::GetSkinFont(FontKind::kJapanese, 9), kDescriptionLabels);
}

SurfaceResult clsEmuSkill::MouseDown(int Button, int X, int Y) {
    if (Button == MouseButton::kRight && selectedRow_ != 0) {
        selectedRow_ = 0;
        return Refresh();
    }
    if (Button == MouseButton::kLeft && Hits(TitleButton::kMinimiseOff, X, Y)) {
        minimised_ = !minimised_;
        return Refresh();
    }
    // The rows are fixed, so a row can be selected while the window is minimised; the highlight
    // shows when it is opened again.
    for (int row = 1; row <= kRows; ++row) {
        if (Button == MouseButton::kLeft && mdlMain::IsPointInRect(RowRect(row), X, Y)) {
            selectedRow_ = row;
            return Refresh();
        }
    }
    return MouseMove(Button, X, Y);
}

SurfaceResult clsEmuSkill::MouseMove(int Button, int X, int Y) {
    return PaintLit({kTitleButtonLooks, kButtons}, Button, X, Y);
}

RECT clsEmuSkill::getDrawRect() const {
    return RECT{0, 0, kWidth, minimised_ ? kMinimisedHeight : kOpenHeight};
}

}  // namespace morvish
