#include "clsEmuBasic.h"

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kFullHeight = 120;
constexpr int kBarHeight = 34;

constexpr std::array<ElementEntry, 37> kPieceTable{{
    {"basic_interface\\basewin_bg.bmp", 0, 0, "window background", Role::Background},
    {"basic_interface\\basewin_mini.bmp", 0, 0, "minimised bar background"},
    {"basic_interface\\sys_base_off.bmp", 3, 3, "system button, normal"},
    {"basic_interface\\sys_mini_off.bmp", 266, 3, "minimise button, normal"},
    {"basic_interface\\sys_base_on.bmp", 3, 3, "system button, lit"},
    {"basic_interface\\sys_mini_on.bmp", 266, 3, "minimise button, lit"},
    {"basic_interface\\btn_status_off.bmp", 207, 22, "status menu button, normal"},
    {"basic_interface\\btn_items_off.bmp", 207, 46, "item menu button, normal"},
    {"basic_interface\\btn_skill_off.bmp", 207, 70, "skill menu button, normal"},
    {"basic_interface\\btn_comm_off.bmp", 207, 94, "communication menu button, normal"},
    {"basic_interface\\btn_option_off.bmp", 243, 22, "option menu button, normal"},
    {"basic_interface\\btn_equip_off.bmp", 243, 46, "equipment menu button, normal"},
    {"basic_interface\\btn_map_off.bmp", 243, 70, "map menu button, normal"},
    {"basic_interface\\btn_friend_off.bmp", 243, 94, "friend menu button, normal"},
    {"basic_interface\\btn_status_on.bmp", 207, 22, "status menu button, lit"},
    {"basic_interface\\btn_items_on.bmp", 207, 46, "item menu button, lit"},
    {"basic_interface\\btn_skill_on.bmp", 207, 70, "skill menu button, lit"},
    {"basic_interface\\btn_comm_on.bmp", 207, 94, "communication menu button, lit"},
    {"basic_interface\\btn_option_on.bmp", 243, 22, "option menu button, lit"},
    {"basic_interface\\btn_equip_on.bmp", 243, 46, "equipment menu button, lit"},
    {"basic_interface\\btn_map_on.bmp", 243, 70, "map menu button, lit"},
    {"basic_interface\\btn_friend_on.bmp", 243, 94, "friend menu button, lit"},
    {"basic_interface\\gzeblue_left.bmp", 110, 22, "HP gauge, left end"},
    {"basic_interface\\gzeblue_mid.bmp", 114, 22, "HP gauge body (one column, repeated)"},
    {"basic_interface\\gzeblue_right.bmp", 191, 22, "HP gauge, right end"},
    {"basic_interface\\gzered_left.bmp", 110, 43, "SP gauge, left end"},
    {"basic_interface\\gzered_mid.bmp", 114, 43, "SP gauge body (one column, repeated)"},
    {"basic_interface\\gzered_right.bmp", 126, 43, "SP gauge, right end"},
    {"basic_interface\\btn_status_dis.bmp", 207, 22, "status menu button, disabled"},
    {"basic_interface\\btn_items_dis.bmp", 207, 46, "item menu button, disabled"},
    {"basic_interface\\btn_skill_dis.bmp", 207, 70, "skill menu button, disabled"},
    {"basic_interface\\btn_comm_dis.bmp", 207, 94, "communication menu button, disabled"},
    {"basic_interface\\btn_option_dis.bmp", 243, 22, "option menu button, disabled"},
    {"basic_interface\\btn_equip_dis.bmp", 243, 46, "equipment menu button, disabled"},
    {"basic_interface\\btn_map_dis.bmp", 243, 70, "map menu button, disabled"},
    {"basic_interface\\btn_friend_dis.bmp", 243, 94, "friend menu button, disabled"},
    {"basic_interface\\gze_bg.bmp", 110, 22, "gauge background (drawn behind both gauges)"},
}};

// Entries of the table by role.
constexpr int kBackground = 0;
constexpr int kBarBackground = 1;
constexpr int kBaseOff = 2;
constexpr int kMinimiseOff = 3;
constexpr int kHpGaugeBody = 23;
constexpr int kSpGaugeBody = 26;
constexpr int kGaugeBackground = 36;
// Where a control's other looks lie in the table, counted from its off entry: the base and
// minimise buttons' on looks, and the menu buttons' on and disabled looks.
constexpr int kOnOffset = 2;
constexpr int kMenuOnOffset = 8;
constexpr int kMenuDisabledOffset = 22;
constexpr int kFirstMenuButton = 6;
constexpr int kLastMenuButton = 13;

// The full window's pieces in drawing order, up to the gauge bodies. The gauge background is
// drawn twice; the second copy lies 21 pixels lower, behind the SP gauge.
constexpr std::array<int, 17> kFullWindowOrder{0,  2,  3,  6,  7,  8,  9,  10, 11,
                                               12, 13, 36, 36, 22, 24, 25, 27};
constexpr int kSecondGaugeBackgroundStep = 12;
constexpr int kSpGaugeY = 43;

// The gauge bodies are a one-pixel column repeated; the counts are fixed, not the sample values.
constexpr int kHpGaugeCopies = 77;
constexpr int kSpGaugeCopies = 12;

constexpr std::array<TextEntry, 8> kFullWindowTexts{{
    {9, 36, "Tool"},
    {17, 71, "Base Lv. 29"},
    {17, 83, "Job Lv. 21"},
    {95, 30, "HP"},
    {126, 30, "325  /  325"},
    {95, 51, "SP"},
    {126, 51, "41  /  278"},
    {5, 103, "Weight : 863 / 4020   Zeny : 57414"},
}};

constexpr std::array<TextEntry, 2> kBarTexts{{
    {108, 2, "Lv. 29 / Tool / Lv. 21 / Exp. 15 %"},
    {85, 18, "HP  325 / 325  |  SP  41 / 278  |  57414 Z"},
}};

// The experience bars: frame, track and fill of the base and the job experience, as chip entries.
struct ChipBox {
    int chipEntry;
    int x1, y1, x2, y2;
};

constexpr std::array<ChipBox, 6> kExperienceBars{{
    {7, 85, 78, 187, 84},
    {8, 86, 79, 186, 83},
    {9, 86, 79, 100, 83},
    {7, 85, 88, 187, 94},
    {8, 86, 89, 186, 93},
    {9, 86, 89, 150, 93},
}};

constexpr char kTitle[] = "基本情報";
constexpr char kCharacterName[] = "Morvish";

}  // namespace

void clsEmuBasic::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                  const std::filesystem::path& DirName,
                                  const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    pieces_ = MakeElements(dir_, kPieceTable);
    hit_.fill(kNeverDrawn);
    maximised_ = true;
}

SkinPainter clsEmuBasic::Paint() {
    return maximised_ ? PaintFull() : PaintMinimised();
}

SkinPainter clsEmuBasic::PaintFull() {
    SkinPainter p(kWidth, kFullHeight, pane_->BackColor());
    for (std::size_t step = 0; step < kFullWindowOrder.size(); ++step) {
        const int entry = kFullWindowOrder[step];
        const Element& piece = pieces_[entry];
        const int y = step == kSecondGaugeBackgroundStep ? kSpGaugeY : piece.y;
        Keep(hit_[entry], p.Piece(piece, piece.x, y));
    }
    // The gauge bodies are loaded with the key but copied whole, magenta included.
    p.Tile(pieces_[kHpGaugeBody], kHpGaugeCopies, 1, 0, Blit::Opaque);
    p.Tile(pieces_[kSpGaugeBody], kSpGaugeCopies, 1, 0, Blit::Opaque);

    p.Title(17, 2, kTitle);
    const SkinFont* japanese9 = mdlMain::GetSkinFont(1, 9);
    p.Text(japanese9, 0x000000, 9, 22, kCharacterName);
    const SkinFont* english8 = mdlMain::GetSkinFont(2, 8);
    p.Texts(english8, 0x000000, kFullWindowTexts);

    // The bars take the skin's current colours: the chip is read anew at every full drawing.
    if (Result<ColorChip> chip = mdlMain::LoadColorChip(dir_)) {
        chip_ = *chip;
    } else {
        p.Fail(chip.error());
    }
    for (const ChipBox& box : kExperienceBars) {
        p.Box(chip_[box.chipEntry], box.x1, box.y1, box.x2, box.y2);
    }
    return p;
}

SkinPainter clsEmuBasic::PaintMinimised() {
    SkinPainter p(kWidth, kBarHeight, pane_->BackColor());
    for (int entry : {kBarBackground, kBaseOff, kMinimiseOff}) {
        Keep(hit_[entry], p.Piece(pieces_[entry]));
    }
    p.Text(mdlMain::GetSkinFont(1, 9), 0x000000, 17, 2, kCharacterName);
    p.Texts(mdlMain::GetSkinFont(2, 8), 0x000000, kBarTexts);
    return p;
}

SurfaceResult clsEmuBasic::Highlighted(int Button, int X, int Y) {
    SkinPainter p = Paint();
    // The base and minimise buttons, then the menu buttons; the minimised bar has only the first
    // two. The gate is always the on look, even where the disabled look is what gets drawn.
    std::vector<HoverSpot> spots;
    for (int off : {kBaseOff, kMinimiseOff}) {
        spots.push_back(HoverSpot{hit_[off], &pieces_[off + kOnOffset]});
    }
    if (maximised_) {
        const int lookOffset = Button == 2 ? kMenuDisabledOffset : kMenuOnOffset;
        for (int off = kFirstMenuButton; off <= kLastMenuButton; ++off) {
            spots.push_back(
                HoverSpot{hit_[off], &pieces_[off + lookOffset], &pieces_[off + kMenuOnOffset]});
        }
    }
    DrawHovers(p, spots, X, Y);
    return p.Finish();
}

SurfaceResult clsEmuBasic::MouseDown(int Button, int X, int Y) {
    const bool onMinimise = Button == 1 && mdlMain::IsPointInRect(hit_[kMinimiseOff], X, Y);
    if (onMinimise) {
        maximised_ = !maximised_;
        return Refresh();
    }
    if (!maximised_) return nullptr;
    return Highlighted(Button, X, Y);
}

SurfaceResult clsEmuBasic::MouseMove(int Button, int X, int Y) {
    return Highlighted(Button, X, Y);
}

SurfaceResult clsEmuBasic::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuBasic::MouseDblClick(int, int, int) {
    return nullptr;
}

SurfaceResult clsEmuBasic::Refresh() {
    return Paint().Finish();
}

RECT clsEmuBasic::getDrawRect() const {
    return RECT{0, 0, kWidth, maximised_ ? kFullHeight : kBarHeight};
}

}  // namespace morvish
