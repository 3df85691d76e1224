#include "clsEmuSkill.h"

#include <iterator>
#include <span>

#include "render/ProgramPaths.h"
#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kOpenHeight = 309;
constexpr int kTitleHeight = 17;
constexpr int kRows = 4;

// Element numbers of the table below.
enum : int {
    kTitleLeft = 1,
    kTitleMid,
    kTitleRight,
    kFrameLeft,
    kFrameRight,
    kBarLeft,
    kBarMid,
    kBarRight,
    kSkillIcons,
    kSystemOff,
    kMinimizeOff,
    kCloseOff,
    kSystemOn,
    kMinimizeOn,
    kCloseOn,
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

// Elements 1 to 31 in order. The two sample pictures are the program's own, not the skin's.
constexpr std::array<ElementEntry, 31> kElements{{
    {"basic_interface\\titlebar_left.bmp", 0, 0, "title bar, left end"},
    {"basic_interface\\titlebar_mid.bmp", 12, 0, "title bar, middle piece (tiled)"},
    {"basic_interface\\titlebar_right.bmp", 268, 0, "title bar, right end"},
    {"basic_interface\\itemwin_left.bmp", 0, 17, "list frame, left side (tiled downwards)"},
    {"basic_interface\\itemwin_right.bmp", 260, 17, "list frame, right side (tiled downwards)"},
    {"basic_interface\\btnbar_left2.bmp", 0, 155, "button bar, left end"},
    {"basic_interface\\btnbar_mid2.bmp", 21, 155, "button bar, middle piece (tiled)"},
    {"basic_interface\\btnbar_right2.bmp", 259, 155, "button bar, right end"},
    {"skill1.bmp", 40, 17, "sample skill icons of the list", Role::Sample},
    {"basic_interface\\sys_base_off.bmp", 3, 3, "system button, normal"},
    {"basic_interface\\sys_mini_off.bmp", 252, 3, "minimise button, normal"},
    {"basic_interface\\sys_close_off.bmp", 266, 3, "close button, normal"},
    {"basic_interface\\sys_base_on.bmp", 3, 3, "system button, hover and pressed"},
    {"basic_interface\\sys_mini_on.bmp", 252, 3, "minimise button, hover and pressed"},
    {"basic_interface\\sys_close_on.bmp", 266, 3, "close button, hover and pressed"},
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
    {"skill2.bmp", 10, 200, "sample picture of the described skill", Role::Sample},
}};
static_assert(kElements.size() == kSkillPicture);

// Skill row k (1 to 4): fixed, whatever is drawn there.
constexpr RECT RowRect(int row) {
    return RECT{104, 19 + 32 * (row - 1), 267, 47 + 32 * (row - 1)};
}

// The highlight colour of each row, as colour chip entries.
constexpr int kRowChipEntry[kRows + 1] = {0, 4, 3, 4, 2};

struct Button {
    int hit;      // element whose rectangle is hit-tested
    int pressed;  // image while the left button is held
    int hover;    // image otherwise
};

constexpr Button kButtons[] = {
    {kSystemOff, kSystemOn, kSystemOn},
    {kMinimizeOff, kMinimizeOn, kMinimizeOn},
    {kCloseOff, kCloseOn, kCloseOn},
    {kUse, kUsePressed, kUseHover},
    {kBarClose, kBarClosePressed, kBarCloseHover},
    {kSkillUp, kSkillUpPressed, kSkillUpHover},
    {kPanelCloseOff, kPanelCloseOn, kPanelCloseOn},
};

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

void DrawLabels(SkinPainter& painter, std::span<const ColoredTextEntry> labels) {
    painter.Texts(mdlMain::GetSkinFont(1, 9), labels);
}

}  // namespace

void clsEmuSkill::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                  const std::filesystem::path& DirName,
                                  const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    // Entry 0 is unused, so that the entries keep the window's element numbers.
    elements_ = MakeElements(dir_, kElements);
    elements_.insert(elements_.begin(), Element{});
    for (int sample : {kSkillIcons, kSkillPicture}) {
        elements_[sample].path = SamplePicturePath(std::string(kElements[sample - 1].name));
    }
    hits_.fill(kNeverDrawn);
    for (int row = 1; row <= kRows; ++row) hits_[row] = RowRect(row);
    minimized_ = false;
    selectedRow_ = 0;
}

SkinPainter clsEmuSkill::Paint() {
    SkinPainter painter(kWidth, minimized_ ? kTitleHeight : kOpenHeight, pane_->BackColor());

    // The colour chip is read anew so that a changed colorchip.bmp shows at once.
    if (Result<ColorChip> chip = mdlMain::LoadColorChip(dir_)) {
        chip_ = *chip;
    } else {
        painter.Fail(chip.error());
    }

    // The frame. The middle pieces come after the ends, so their last copies lie over them.
    painter.Piece(elements_[kTitleLeft]);
    painter.Piece(elements_[kTitleRight]);
    painter.Tile(elements_[kTitleMid], 22, 12, 0);
    if (!minimized_) {
        painter.Tile(elements_[kFrameLeft], 18, 0, 8);
        painter.Tile(elements_[kFrameRight], 18, 0, 8);
        painter.Piece(elements_[kBarLeft]);
        painter.Piece(elements_[kBarRight]);
        painter.Tile(elements_[kBarMid], 12, 21, 0);
    }

    painter.Title(16, 3, "スキルリスト");
    if (!minimized_) PaintList(painter);

    // The pieces that lie over the list texts; the buttons among them keep their hit rectangles.
    Keep(hits_[kSystemOff], painter.Piece(elements_[kSystemOff]));
    Keep(hits_[kMinimizeOff], painter.Piece(elements_[kMinimizeOff]));
    Keep(hits_[kCloseOff], painter.Piece(elements_[kCloseOff]));
    if (!minimized_) {
        Keep(hits_[kIconColumn], painter.Tile(elements_[kIconColumn], 4, 0, 32));
        for (int index : {kSkillIcons, kArrowLeft, kArrowRight, kUse, kBarClose, kSkillUp, kPanel,
                          kPanelCloseOff, kSkillPicture}) {
            Keep(hits_[index], painter.Piece(elements_[index]));
        }
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
    DrawLabels(painter, kListLabels);
    painter.Place(mdlMain::DrawScrollBar(dir_, 1, 15, 146, 72, 128, false), 265, 15);
}

void clsEmuSkill::PaintDescription(SkinPainter& painter) {
    painter.Box(chip_[1], 48, 220, 273, 300);
    painter.Place(mdlMain::DrawScrollBar(dir_, 1, 221, 291, 238, 243, false), 260, 221);
    DrawLabels(painter, kDescriptionLabels);
}

SurfaceResult clsEmuSkill::MouseDown(int Button, int X, int Y) {
    if (Button == 2 && selectedRow_ != 0) {
        selectedRow_ = 0;
        return Refresh();
    }
    if (Button == 1 && mdlMain::IsPointInRect(hits_[kMinimizeOff], X, Y)) {
        minimized_ = !minimized_;
        return Refresh();
    }
    // The rows are fixed, so a row can be selected while the window is minimised; the highlight
    // shows when it is opened again.
    for (int row = 1; row <= kRows; ++row) {
        if (Button == 1 && mdlMain::IsPointInRect(hits_[row], X, Y)) {
            selectedRow_ = row;
            return Refresh();
        }
    }
    return MouseMove(Button, X, Y);
}

SurfaceResult clsEmuSkill::MouseMove(int Button, int X, int Y) {
    SkinPainter painter = Paint();
    std::array<HoverSpot, std::size(kButtons)> spots{};
    for (std::size_t i = 0; i < spots.size(); ++i) {
        const auto& [hit, pressed, hover] = kButtons[i];
        spots[i] = HoverSpot{hits_[hit], &elements_[Button == 1 ? pressed : hover]};
    }
    DrawHovers(painter, spots, X, Y);
    return painter.Finish();
}

SurfaceResult clsEmuSkill::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuSkill::MouseDblClick(int, int, int) {
    return nullptr;
}

SurfaceResult clsEmuSkill::Refresh() {
    return Paint().Finish();
}

RECT clsEmuSkill::getDrawRect() const {
    return RECT{0, 0, kWidth, minimized_ ? kTitleHeight : kOpenHeight};
}

}  // namespace morvish
