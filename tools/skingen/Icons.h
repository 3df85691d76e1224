#pragma once
// Little 24 × 24 pictures of items and skills, on magenta, each with a dark outline: the content
// of the sample pictures and of a few skin pieces.

#include "PixelCanvas.h"

namespace morvish::skingen {

enum class IconKind {
    RedPotion,
    OrangePotion,
    YellowPotion,
    WhitePotion,
    BluePotion,
    GreenPotion,
    Apple,
    Meat,
    Carrot,
    Herb,
    BlueHerb,
    FlyWing,
    ButterflyWing,
    Jellopy,
    Zelopy,
    RedGem,
    BlueGem,
    GreenGem,
    Feather,
    Claw,
    Ore,
    Card,
    Scroll,
    Shell,
    Sword,
    Dagger,
    Bow,
    Staff,
    Shield,
    Helm,
    Armor,
    Mantle,
    Boots,
    Glove,
    Ring,
    Axe,
    SwordMastery,
    TwoHandMastery,
    HpRecovery,
    Bash,
};

Canvas Icon(IconKind kind);

// A gem like the small crystals monsters leave behind, drawn big: the described item (75 × 100).
Canvas ZelopyPicture();
// A figure in outline, as the equipment window shows the character (w × h, figure centred on cx).
void DrawFigure(Canvas& canvas, int cx, int top);

}  // namespace morvish::skingen
