#include "SampleGraphics.h"

#include <initializer_list>
#include <string_view>

#include "Icons.h"
#include "PixelFont.h"

namespace morvish::skingen {

namespace {

// The item grid: 7 × 3 cells of 32 pixels; the picture starts one pixel inside the first cell.
constexpr int kCell = 32;
constexpr int kColumns = 7;
constexpr int kRows = 3;

struct Stack {
    IconKind icon;
    int count;  // 0: a single piece of equipment, no number
};

// A number in the lower right corner of a cell, white on a dark edge so it reads on any icon.
void Count(Canvas& canvas, int right, int bottom, int count) {
    const std::string text = std::to_string(count);
    const int x = right - TextWidth(text);
    const int y = bottom - kGlyphHeight;
    for (const auto& [dx, dy] :
         {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
        DrawText(canvas, x + dx, y + dy, text, Rgb(30, 24, 30));
    }
    DrawText(canvas, x, y, text, Rgb(255, 255, 255));
}

Canvas ItemPage(std::initializer_list<Stack> stacks) {
    Canvas page(kColumns * kCell - 1, kRows * kCell - 1);
    int cell = 0;
    for (const Stack& stack : stacks) {
        const int x = (cell % kColumns) * kCell + 3;
        const int y = (cell / kColumns) * kCell + 3;
        page.Paste(Icon(stack.icon), x, y);
        if (stack.count > 0) Count(page, x + 26, y + 26, stack.count);
        ++cell;
    }
    return page;
}

Canvas Item1() {
    return ItemPage({{IconKind::RedPotion, 30},
                     {IconKind::OrangePotion, 12},
                     {IconKind::YellowPotion, 5},
                     {IconKind::WhitePotion, 3},
                     {IconKind::BluePotion, 2},
                     {IconKind::Apple, 48},
                     {IconKind::Meat, 7},
                     {IconKind::Carrot, 15},
                     {IconKind::Herb, 22},
                     {IconKind::BlueHerb, 4},
                     {IconKind::FlyWing, 99},
                     {IconKind::ButterflyWing, 6},
                     {IconKind::GreenPotion, 9}});
}

Canvas Item2() {
    return ItemPage({{IconKind::Sword, 0},
                     {IconKind::Dagger, 0},
                     {IconKind::Bow, 0},
                     {IconKind::Staff, 0},
                     {IconKind::Axe, 0},
                     {IconKind::Shield, 0},
                     {IconKind::Helm, 0},
                     {IconKind::Armor, 0},
                     {IconKind::Mantle, 0},
                     {IconKind::Boots, 0},
                     {IconKind::Glove, 0},
                     {IconKind::Ring, 0}});
}

Canvas Item3() {
    return ItemPage({{IconKind::Jellopy, 87}, {IconKind::Zelopy, 14},  {IconKind::Feather, 36},
                     {IconKind::Claw, 9},     {IconKind::Ore, 3},      {IconKind::Shell, 21},
                     {IconKind::Card, 1},     {IconKind::Scroll, 2},   {IconKind::RedGem, 4},
                     {IconKind::BlueGem, 6},  {IconKind::GreenGem, 1}, {IconKind::Jellopy, 40},
                     {IconKind::Feather, 8},  {IconKind::Ore, 11},     {IconKind::Claw, 2},
                     {IconKind::Shell, 5},    {IconKind::Card, 1},     {IconKind::Zelopy, 3},
                     {IconKind::Scroll, 7},   {IconKind::RedGem, 1},   {IconKind::BlueGem, 2}});
}

Canvas Item4() {
    return ZelopyPicture();
}

// The equipment window's picture: the figure in the middle, the worn pieces in the slot boxes
// of the background (left column x 3, right column x 253, rows 26 pixels apart from y 22, each
// beside its name).
Canvas Equip() {
    Canvas picture(280, 130);
    DrawFigure(picture, 143, 5);
    const IconKind left[] = {IconKind::Helm, IconKind::Sword, IconKind::Mantle, IconKind::Glove};
    const IconKind right[] = {IconKind::Armor, IconKind::Shield, IconKind::Boots, IconKind::Ring};
    for (int k = 0; k < 4; ++k) {
        picture.Paste(Icon(left[k]), 3, 22 + 26 * k);
        picture.Paste(Icon(right[k]), 253, 22 + 26 * k);
    }
    return picture;
}

// The skill list's icons: one per 32-pixel row, centred in the icon cells.
Canvas Skill1() {
    Canvas column(kCell, 4 * kCell);
    const IconKind skills[] = {IconKind::SwordMastery, IconKind::TwoHandMastery,
                               IconKind::HpRecovery, IconKind::Bash};
    for (int k = 0; k < 4; ++k) column.Paste(Icon(skills[k]), 4, 4 + kCell * k);
    return column;
}

// The described skill: its icon on a round badge.
Canvas Skill2() {
    Canvas badge(32, 32);
    badge.Disc(32, 32, 31, Rgb(40, 60, 120));
    badge.Disc(32, 32, 28, Rgb(90, 130, 210));
    badge.Disc(28, 26, 18, Rgb(130, 170, 236));
    badge.Paste(Icon(IconKind::SwordMastery), 4, 4);
    return badge;
}

// The own panel of the exchange: two offered items with their names and counts.
Canvas Trade() {
    Canvas panel(134, 54);
    panel.Paste(Icon(IconKind::RedPotion), 3, 2);
    panel.Paste(Icon(IconKind::Zelopy), 3, 28);
    DrawText(panel, 31, 8, "RED POTION", Rgb(40, 32, 28));
    DrawText(panel, 31, 15, "x 10", Rgb(90, 80, 70));
    DrawText(panel, 31, 34, "ZELOPY", Rgb(40, 32, 28));
    DrawText(panel, 31, 41, "x 3", Rgb(90, 80, 70));
    return panel;
}

// The shortcut bar: nine 24-pixel slots, 29 pixels apart.
Canvas Shortcut() {
    Canvas bar(8 * 29 + 24, 24);
    const IconKind slots[] = {IconKind::RedPotion,  IconKind::OrangePotion,  IconKind::BluePotion,
                              IconKind::FlyWing,    IconKind::ButterflyWing, IconKind::Bash,
                              IconKind::HpRecovery, IconKind::Apple,         IconKind::Meat};
    for (int k = 0; k < 9; ++k) bar.Paste(Icon(slots[k]), 29 * k, 0);
    return bar;
}

}  // namespace

const std::vector<SamplePicture>& SamplePictures() {
    static const std::vector<SamplePicture> pictures = {
        {"item1.bmp", 223, 95, Item1},       {"item2.bmp", 223, 95, Item2},
        {"item3.bmp", 223, 95, Item3},       {"item4.bmp", 75, 100, Item4},
        {"equip.bmp", 280, 130, Equip},      {"skill1.bmp", 32, 128, Skill1},
        {"skill2.bmp", 32, 32, Skill2},      {"trade.bmp", 134, 54, Trade},
        {"shortcut.bmp", 256, 24, Shortcut},
    };
    return pictures;
}

}  // namespace morvish::skingen
