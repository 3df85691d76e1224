#include "clsEmuBasic.h"

#include <array>
#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kFullHeight = 120;
constexpr int kBarHeight = 34;
constexpr int kMenuButtons = 8;

enum Piece : int {
    kBackground,
    kBarBackground,
    kBaseOff,
    kMinimiseOff,
    kBaseOn,
    kMinimiseOn,
    kMenuOff,  // the menu buttons status, items, skill, comm, option, equip, map and friend
    kMenuOn = kMenuOff + kMenuButtons,
    kHpGaugeLeft = kMenuOn + kMenuButtons,
    kHpGaugeBody,
    kHpGaugeRight,
    kSpGaugeLeft,
    kSpGaugeBody,
    kSpGaugeRight,
    kMenuDisabled,
    kGaugeBackground = kMenuDisabled + kMenuButtons,
};

constexpr ElementEntry kElements[] = {
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
};
static_assert(std::size(kElements) == kGaugeBackground + 1);

// The base and minimise buttons have one look, in the full window and in the bar.
constexpr LitControl kBarButtons[] = {
    {kBaseOff, OneLook(kBaseOn)},
    {kMinimiseOff, OneLook(kMinimiseOn)},
};

// A menu button shows its on look, or its disabled look while the right button is held; either
// shows only where the on look exists.
constexpr std::array<LitControl, kMenuButtons> kMenu = [] {
    std::array<LitControl, kMenuButtons> menu{};
    for (int k = 0; k < kMenuButtons; ++k) {
        menu[std::size_t(k)] = {.hit = kMenuOff + k,
                                .looks = {kMenuOn + k, kMenuOn + k, kMenuDisabled + k},
                                .gate = kMenuOn + k};
    }
    return menu;
}();

// The gauge background is drawn twice, the second time behind the SP gauge.
constexpr int kSpGaugeY = 43;

// The gauge bodies are a one-pixel column repeated; the counts are fixed, not the sample values.
constexpr int kHpGaugeCopies = 77;
constexpr int kSpGaugeCopies = 12;

constexpr char kTitle[] = "基本情報";
constexpr char kCharacterName[] = "Morvish";

constexpr TextEntry kFullWindowTexts[] = {
    {9, 36, "Tool"},          {17, 71, "Base Lv. 29"},
    {17, 83, "Job Lv. 21"},   {95, 30, "HP"},
    {126, 30, "325  /  325"}, {95, 51, "SP"},
    {126, 51, "41  /  278"},  {5, 103, "Weight : 863 / 4020   Zeny : 57414"},
};

constexpr TextEntry kBarTexts[] = {
    {108, 2, "Lv. 29 / Tool / Lv. 21 / Exp. 15 %"},
    {85, 18, "HP  325 / 325  |  SP  41 / 278  |  57414 Z"},
};

// The experience bars: frame, track and fill of the base and the job experience, as chip entries.
struct ChipBox {
    int chipEntry;
    int x1, y1, x2, y2;
};

constexpr ChipBox kExperienceBars[] = {
    {7, 85, 78, 187, 84}, {8, 86, 79, 186, 83}, {9, 86, 79, 100, 83},
    {7, 85, 88, 187, 94}, {8, 86, 89, 186, 93}, {9, 86, 89, 150, 93},
};

}  // namespace

clsEmuBasic::clsEmuBasic() : EmulatedWindow({kElements}) {}

SkinPainter clsEmuBasic::Paint() {
    return maximised_ ? PaintFull() : PaintMinimised();
}

SkinPainter clsEmuBasic::PaintFull() {
    SkinPainter p = NewPicture();
    const auto& e = elements_;
    p.Piece(e[kBackground]);
    for (int button = kBaseOff; button <= kMinimiseOff; ++button) PieceWithHit(p, button);
    for (int button = kMenuOff; button < kMenuOn; ++button) PieceWithHit(p, button);
    const Element& gaugeBackground = e[kGaugeBackground];
    p.Piece(gaugeBackground);
    p.Piece(gaugeBackground, gaugeBackground.x, kSpGaugeY);
    for (int end : {kHpGaugeLeft, kHpGaugeRight, kSpGaugeLeft, kSpGaugeRight}) p.Piece(e[end]);
    // The gauge bodies are loaded with the key but copied whole, magenta included.
    p.Tile(e[kHpGaugeBody], kHpGaugeCopies, 1, 0, Blit::Opaque);
    p.Tile(e[kSpGaugeBody], kSpGaugeCopies, 1, 0, Blit::Opaque);

    p.Title(17, 2, kTitle);
    p.Text(mdlMain::GetSkinFont(FontKind::kJapanese, 9), 0x000000, 9, 22, kCharacterName);
    p.Texts(mdlMain::GetSkinFont(FontKind::kEnglish, 8), 0x000000, kFullWindowTexts);

    // The bars take the skin's current colours: the chip is read anew at every full drawing.
    ReloadColorChip(p);
    for (const ChipBox& box : kExperienceBars) {
        p.Box(chip_[box.chipEntry], box.x1, box.y1, box.x2, box.y2);
    }
    return p;
}

SkinPainter clsEmuBasic::PaintMinimised() {
    SkinPainter p = NewPicture();
    p.Piece(elements_[kBarBackground]);
    for (int button = kBaseOff; button <= kMinimiseOff; ++button) PieceWithHit(p, button);
    p.Text(mdlMain::GetSkinFont(FontKind::kJapanese, 9), 0x000000, 17, 2, kCharacterName);
    p.Texts(mdlMain::GetSkinFont(FontKind::kEnglish, 8), 0x000000, kBarTexts);
    return p;
}

SurfaceResult clsEmuBasic::Highlighted(int Button, int X, int Y) {
    // The minimised bar has only the base and the minimise button.
    if (!maximised_) return PaintLit({kBarButtons}, Button, X, Y);
    return PaintLit({kBarButtons, kMenu}, Button, X, Y);
}

SurfaceResult clsEmuBasic::MouseDown(int Button, int X, int Y) {
    if (Button == MouseButton::kLeft && Hits(kMinimiseOff, X, Y)) {
        maximised_ = !maximised_;
        return Refresh();
    }
    if (!maximised_) return nullptr;
    return Highlighted(Button, X, Y);
}

SurfaceResult clsEmuBasic::MouseMove(int Button, int X, int Y) {
    return Highlighted(Button, X, Y);
}

RECT clsEmuBasic::getDrawRect() const {
    return RECT{0, 0, kWidth, maximised_ ? kFullHeight : kBarHeight};
}

}  // namespace morvish
