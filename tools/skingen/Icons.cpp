#include "Icons.h"

namespace morvish::skingen {

namespace {

constexpr int kSize = 24;
constexpr Pixel kInk = Rgb(36, 28, 32);  // the outline of every icon
constexpr Pixel kWhite = Rgb(255, 255, 255);
constexpr Pixel kWood = Rgb(150, 96, 52);
constexpr Pixel kSteel = Rgb(196, 204, 216);
constexpr Pixel kGold = Rgb(236, 190, 60);

// A ball with light from the upper left: dark body, the main colour a pixel up and left, a shine.
void Ball(Canvas& c, int cx2, int cy2, int r2, Pixel colour) {
    c.Disc(cx2, cy2, r2, Darker(colour, 30));
    c.Disc(cx2 - 1, cy2 - 1, r2 - 2, colour);
    c.Disc(cx2 - r2 / 2, cy2 - r2 / 2, r2 / 4 + 1, Lighter(colour, 55));
}

// A line two pixels thick (the second one pixel lower).
void Thick(Canvas& c, int x0, int y0, int x1, int y1, Pixel p) {
    c.Line(x0, y0, x1, y1, p);
    c.Line(x0, y0 + 1, x1, y1 + 1, p);
}

void Potion(Canvas& c, Pixel liquid) {
    Ball(c, 24, 32, 15, liquid);
    c.Fill(10, 5, 4, 5, Rgb(206, 224, 236));
    c.VLine(10, 5, 5, Rgb(236, 246, 252));
    c.Fill(9, 2, 6, 3, Rgb(160, 104, 60));
    c.HLine(9, 2, 6, Rgb(196, 140, 90));
}

void Sword(Canvas& c, int length, Pixel blade) {
    // Blade from the grip (lower left) towards the upper right.
    const int tip = 4 + (16 - length);
    for (int i = 0; i <= length; ++i) {
        c.Set(8 + i, 15 - i, blade);
        c.Set(9 + i, 15 - i, Lighter(blade, 50));
        c.Set(9 + i, 16 - i, Darker(blade, 25));
    }
    (void)tip;
    c.Line(4, 13, 10, 19, kGold);  // cross guard
    c.Line(5, 13, 11, 19, Darker(kGold, 25));
    Thick(c, 3, 20, 7, 16, kWood);  // grip
    c.Set(2, 21, kGold);
    c.Set(3, 21, kGold);
}

void Gem(Canvas& c, Pixel colour) {
    c.Triangle(4, 9, 20, 9, 12, 21, Darker(colour, 20));
    c.Triangle(4, 9, 12, 9, 12, 21, colour);
    c.Fill(7, 5, 11, 4, Lighter(colour, 30));
    c.Triangle(4, 9, 7, 5, 7, 9, Lighter(colour, 30));
    c.Triangle(20, 9, 17, 5, 17, 9, Lighter(colour, 10));
    c.HLine(8, 6, 3, kWhite);
    c.Set(8, 7, kWhite);
    c.Line(12, 9, 12, 18, Lighter(colour, 15));
}

void Wing(Canvas& c, Pixel colour) {
    for (int k = 0; k < 4; ++k) {
        const int r2 = 12 - 2 * k;
        c.Disc(14 + 3 * k, 12 + 5 * k, r2, k % 2 ? Darker(colour, 12) : colour);
    }
    c.Disc(12, 10, 6, Lighter(colour, 50));
    c.Line(5, 5, 18, 20, Darker(colour, 35));
}

void Paint(Canvas& c, IconKind kind) {
    switch (kind) {
        case IconKind::RedPotion:
            Potion(c, Rgb(220, 40, 48));
            break;
        case IconKind::OrangePotion:
            Potion(c, Rgb(240, 130, 30));
            break;
        case IconKind::YellowPotion:
            Potion(c, Rgb(240, 210, 40));
            break;
        case IconKind::WhitePotion:
            Potion(c, Rgb(236, 236, 240));
            break;
        case IconKind::BluePotion:
            Potion(c, Rgb(50, 100, 230));
            break;
        case IconKind::GreenPotion:
            Potion(c, Rgb(60, 180, 70));
            break;
        case IconKind::Apple:
            Ball(c, 24, 30, 16, Rgb(214, 36, 40));
            c.Line(12, 4, 13, 8, Rgb(110, 70, 30));
            c.Triangle(14, 5, 19, 3, 16, 8, Rgb(80, 170, 60));
            break;
        case IconKind::Meat:
            c.Disc(9, 39, 5, Rgb(240, 236, 220));
            c.Disc(13, 43, 5, Rgb(240, 236, 220));
            Thick(c, 6, 19, 11, 14, Rgb(230, 224, 206));
            Ball(c, 30, 20, 15, Rgb(176, 70, 50));
            c.Disc(32, 22, 6, Rgb(210, 110, 80));
            break;
        case IconKind::Carrot:
            c.Triangle(6, 20, 16, 6, 20, 10, Rgb(240, 130, 30));
            c.Line(9, 17, 12, 17, Rgb(200, 90, 20));
            c.Line(12, 13, 15, 13, Rgb(200, 90, 20));
            c.Triangle(16, 6, 17, 1, 19, 6, Rgb(70, 170, 60));
            c.Triangle(18, 8, 23, 5, 19, 5, Rgb(90, 190, 70));
            break;
        case IconKind::Herb:
        case IconKind::BlueHerb: {
            const Pixel leaf = kind == IconKind::Herb ? Rgb(70, 176, 64) : Rgb(70, 130, 220);
            c.Line(12, 21, 12, 9, Rgb(70, 120, 40));
            c.Disc(16, 20, 7, leaf);
            c.Disc(32, 20, 7, Darker(leaf, 15));
            c.Disc(24, 10, 7, Lighter(leaf, 20));
            c.Disc(18, 30, 6, Darker(leaf, 5));
            c.Disc(30, 30, 6, leaf);
            break;
        }
        case IconKind::FlyWing:
            Wing(c, Rgb(180, 200, 220));
            break;
        case IconKind::ButterflyWing:
            Wing(c, Rgb(250, 200, 60));
            break;
        case IconKind::Jellopy:
            c.Triangle(12, 4, 7, 12, 17, 12, Rgb(120, 200, 240));
            Ball(c, 24, 30, 15, Rgb(120, 200, 240));
            break;
        case IconKind::Zelopy:
            Gem(c, Rgb(120, 220, 200));
            break;
        case IconKind::RedGem:
            Gem(c, Rgb(220, 50, 70));
            break;
        case IconKind::BlueGem:
            Gem(c, Rgb(60, 110, 230));
            break;
        case IconKind::GreenGem:
            Gem(c, Rgb(60, 190, 90));
            break;
        case IconKind::Feather:
            c.Triangle(5, 20, 18, 3, 21, 7, Rgb(240, 240, 244));
            c.Triangle(5, 20, 18, 3, 12, 6, Rgb(214, 218, 230));
            c.Line(4, 21, 19, 4, Rgb(150, 150, 170));
            break;
        case IconKind::Claw:
            for (int k = 0; k < 3; ++k) {
                c.Triangle(5 + 5 * k, 20, 9 + 5 * k, 20, 11 + 4 * k, 4 + 2 * k, Rgb(236, 226, 200));
                c.Line(9 + 5 * k, 20, 11 + 4 * k, 5 + 2 * k, Rgb(180, 168, 140));
            }
            c.Fill(4, 19, 16, 3, Rgb(140, 100, 70));
            break;
        case IconKind::Ore:
            c.Disc(18, 30, 11, Rgb(120, 116, 112));
            c.Disc(30, 26, 11, Rgb(140, 136, 130));
            c.Disc(26, 34, 10, Rgb(104, 100, 98));
            c.Disc(22, 24, 5, Rgb(190, 186, 180));
            c.Set(14, 15, Rgb(250, 220, 120));
            c.Set(9, 17, Rgb(250, 220, 120));
            break;
        case IconKind::Card:
            c.Fill(6, 3, 13, 18, Rgb(238, 228, 200));
            c.Fill(8, 5, 9, 8, Rgb(120, 160, 220));
            c.Disc(24, 18, 5, Rgb(250, 240, 160));
            c.HLine(8, 15, 9, Rgb(150, 130, 100));
            c.HLine(8, 17, 7, Rgb(150, 130, 100));
            break;
        case IconKind::Scroll:
            c.Fill(6, 6, 12, 12, Rgb(240, 226, 184));
            c.Fill(5, 4, 14, 3, Rgb(180, 120, 70));
            c.Fill(5, 17, 14, 3, Rgb(180, 120, 70));
            c.HLine(8, 9, 8, Rgb(150, 120, 90));
            c.HLine(8, 11, 6, Rgb(150, 120, 90));
            c.HLine(8, 13, 8, Rgb(150, 120, 90));
            break;
        case IconKind::Shell:
            c.Disc(24, 28, 16, Rgb(240, 200, 190));
            c.Fill(4, 14, 16, 8, kKey);
            c.Fill(9, 13, 6, 5, Rgb(230, 180, 170));
            for (int k = 0; k < 5; ++k) c.Line(12, 14, 5 + 3 * k, 6, Rgb(200, 150, 140));
            break;
        case IconKind::Sword:
            Sword(c, 12, kSteel);
            break;
        case IconKind::Dagger:
            Sword(c, 7, Rgb(220, 224, 230));
            break;
        case IconKind::Bow:
            for (int t = 0; t <= 16; ++t) {
                const int x = 15 - ((t - 8) * (t - 8)) / 8;
                c.Set(x, 4 + t, kWood);
                c.Set(x + 1, 4 + t, Darker(kWood, 25));
            }
            c.Line(16, 4, 16, 20, Rgb(240, 240, 230));
            break;
        case IconKind::Staff:
            Thick(c, 4, 20, 15, 9, kWood);
            Ball(c, 34, 14, 9, Rgb(80, 120, 240));
            break;
        case IconKind::Shield:
            c.Fill(5, 4, 14, 9, Rgb(70, 110, 190));
            c.Triangle(5, 12, 18, 12, 12, 21, Rgb(70, 110, 190));
            c.Fill(11, 5, 2, 13, kGold);
            c.Fill(6, 8, 12, 2, kGold);
            c.VLine(6, 5, 6, Rgb(130, 170, 240));
            break;
        case IconKind::Helm:
            c.Disc(24, 22, 16, kSteel);
            c.Fill(3, 12, 18, 8, kKey);
            c.Fill(4, 12, 16, 3, Rgb(160, 168, 184));
            c.Fill(7, 15, 10, 3, Rgb(160, 168, 184));
            c.HLine(8, 16, 8, Rgb(40, 44, 56));
            c.Disc(17, 11, 3, kWhite);
            c.Fill(11, 1, 2, 4, Rgb(210, 60, 60));
            break;
        case IconKind::Armor:
            c.Fill(7, 5, 10, 15, Rgb(170, 178, 196));
            c.Fill(3, 5, 5, 5, Rgb(150, 158, 178));
            c.Fill(16, 5, 5, 5, Rgb(150, 158, 178));
            c.Fill(10, 5, 4, 2, kKey);
            c.VLine(12, 8, 11, Rgb(120, 128, 150));
            c.HLine(8, 13, 8, Rgb(120, 128, 150));
            c.VLine(8, 7, 12, Rgb(220, 226, 236));
            break;
        case IconKind::Mantle:
            c.Triangle(9, 4, 15, 4, 21, 21, Rgb(190, 40, 50));
            c.Triangle(9, 4, 3, 21, 21, 21, Rgb(170, 30, 44));
            c.Triangle(9, 4, 15, 4, 12, 20, Rgb(214, 60, 70));
            c.Fill(8, 3, 8, 3, kGold);
            break;
        case IconKind::Boots:
            c.Fill(7, 3, 7, 14, Rgb(140, 90, 50));
            c.Fill(7, 15, 13, 5, Rgb(140, 90, 50));
            c.Fill(7, 19, 14, 2, Rgb(80, 50, 30));
            c.VLine(8, 4, 12, Rgb(180, 130, 80));
            c.HLine(7, 6, 7, Rgb(100, 64, 36));
            break;
        case IconKind::Glove:
            c.Fill(7, 10, 10, 11, Rgb(200, 150, 100));
            for (int k = 0; k < 4; ++k)
                c.Fill(7 + 3 * k - (k == 3 ? 1 : 0), 4 + (k == 0 || k == 3 ? 2 : 0), 2, 7,
                       Rgb(214, 164, 112));
            c.Fill(3, 12, 5, 3, Rgb(214, 164, 112));
            c.Fill(7, 18, 10, 3, Rgb(150, 100, 60));
            break;
        case IconKind::Ring:
            c.Disc(24, 28, 14, kGold);
            c.Disc(24, 28, 8, kKey);
            c.Disc(22, 26, 3, Lighter(kGold, 50));
            Ball(c, 24, 12, 7, Rgb(220, 40, 90));
            break;
        case IconKind::Axe:
            Thick(c, 5, 21, 17, 5, kWood);
            c.Triangle(12, 4, 21, 5, 18, 14, kSteel);
            c.Line(18, 5, 20, 12, kWhite);
            break;
        case IconKind::SwordMastery:
            Sword(c, 12, kSteel);
            c.Fill(16, 15, 6, 2, Rgb(250, 220, 60));
            c.Fill(18, 13, 2, 6, Rgb(250, 220, 60));
            break;
        case IconKind::TwoHandMastery:
            for (int i = 0; i <= 14; ++i) {
                c.Fill(7 + i, 14 - i, 2, 2, kSteel);
                c.Set(9 + i, 15 - i, Darker(kSteel, 25));
                c.Set(7 + i, 13 - i, Lighter(kSteel, 60));
            }
            c.Line(3, 12, 11, 20, kGold);
            c.Line(4, 12, 12, 20, Darker(kGold, 25));
            Thick(c, 1, 21, 6, 16, kWood);
            break;
        case IconKind::HpRecovery:
            c.Disc(15, 17, 9, Rgb(230, 50, 70));
            c.Disc(29, 17, 9, Rgb(230, 50, 70));
            c.Triangle(3, 10, 21, 10, 12, 20, Rgb(230, 50, 70));
            c.Disc(14, 15, 4, Rgb(255, 170, 180));
            c.Fill(15, 14, 7, 3, kWhite);
            c.Fill(17, 12, 3, 7, kWhite);
            break;
        case IconKind::Bash:
            Sword(c, 10, kSteel);
            for (int k = 0; k < 8; ++k) {
                static constexpr int dx[] = {0, 3, 4, 3, 0, -3, -4, -3};
                static constexpr int dy[] = {-4, -3, 0, 3, 4, 3, 0, -3};
                c.Line(17, 7, 17 + dx[k], 7 + dy[k], k % 2 ? Rgb(250, 160, 40) : Rgb(255, 236, 90));
            }
            break;
    }
}

}  // namespace

Canvas Icon(IconKind kind) {
    Canvas canvas(kSize, kSize);
    Paint(canvas, kind);
    // Keep a one-pixel margin free for the outline.
    for (int i = 0; i < kSize; ++i) {
        canvas.Set(i, 0, kKey);
        canvas.Set(i, kSize - 1, kKey);
        canvas.Set(0, i, kKey);
        canvas.Set(kSize - 1, i, kKey);
    }
    canvas.Outline(kInk);
    return canvas;
}

Canvas ZelopyPicture() {
    Canvas c(75, 100);
    // A soft shadow on the ground below the crystal's tip.
    for (int y = 87; y <= 95; ++y) {
        const int d = y - 91;
        const int half = 26 - d * d;
        c.HLine(37 - half, y, 2 * half + 1,
                Mix(Rgb(196, 188, 200), Rgb(160, 150, 170), 4 - (d < 0 ? -d : d), 4));
    }
    const Pixel base = Rgb(110, 214, 196);
    c.Triangle(8, 34, 66, 34, 37, 84, Darker(base, 28));
    c.Triangle(8, 34, 37, 34, 37, 84, Darker(base, 8));
    c.Triangle(22, 34, 37, 84, 30, 34, base);
    c.Triangle(52, 34, 37, 84, 44, 34, Darker(base, 18));
    c.Fill(20, 18, 35, 16, Lighter(base, 35));
    c.Triangle(8, 34, 20, 18, 20, 34, Lighter(base, 20));
    c.Triangle(66, 34, 54, 18, 54, 34, Lighter(base, 5));
    c.Triangle(20, 18, 37, 18, 28, 34, Lighter(base, 55));
    c.HLine(8, 34, 59, Lighter(base, 60));
    c.Line(28, 34, 37, 83, Lighter(base, 25));
    c.Fill(25, 21, 8, 3, Rgb(255, 255, 255));
    c.Fill(25, 24, 3, 4, Rgb(255, 255, 255));
    c.Outline(Rgb(30, 70, 70));
    // Sparkles.
    for (const auto& [x, y] : {std::pair{60, 14}, std::pair{12, 60}, std::pair{64, 56}}) {
        c.HLine(x - 3, y, 7, Rgb(255, 255, 230));
        c.VLine(x, y - 3, 7, Rgb(255, 255, 230));
        c.Set(x, y, Rgb(255, 240, 150));
    }
    return c;
}

void DrawFigure(Canvas& c, int cx, int top) {
    const Pixel cloth = Rgb(64, 72, 104);
    const Pixel clothLight = Rgb(100, 110, 150);
    const Pixel skin = Rgb(232, 196, 160);
    const Pixel hair = Rgb(120, 70, 40);
    Canvas f(c.Width(), c.Height());
    // Cape behind, then legs, body, arms and head.
    f.Triangle(cx - 9, top + 15, cx + 9, top + 15, cx + 15, top + 52, Rgb(160, 40, 50));
    f.Triangle(cx - 9, top + 15, cx - 15, top + 52, cx + 15, top + 52, Rgb(140, 30, 44));
    f.Fill(cx - 6, top + 38, 5, 20, Rgb(80, 60, 50));
    f.Fill(cx + 1, top + 38, 5, 20, Rgb(70, 52, 44));
    f.Fill(cx - 8, top + 56, 7, 3, Rgb(60, 40, 30));
    f.Fill(cx + 1, top + 56, 7, 3, Rgb(60, 40, 30));
    f.Fill(cx - 8, top + 16, 16, 24, cloth);
    f.VLine(cx - 7, top + 17, 22, clothLight);
    f.Fill(cx - 8, top + 34, 16, 3, Rgb(150, 110, 50));
    f.Fill(cx - 12, top + 17, 4, 16, cloth);
    f.Fill(cx + 8, top + 17, 4, 16, Darker(cloth, 15));
    f.Fill(cx - 12, top + 33, 4, 4, skin);
    f.Fill(cx + 8, top + 33, 4, 4, skin);
    f.Disc(2 * cx, 2 * (top + 9), 14, skin);
    f.Disc(2 * cx, 2 * (top + 6), 14, hair);
    f.Fill(cx - 7, top + 8, 14, 4, kKey);
    f.Disc(2 * cx, 2 * (top + 9), 12, skin);
    f.Fill(cx - 7, top + 2, 14, 5, hair);
    f.Set(cx - 3, top + 10, Rgb(40, 40, 60));
    f.Set(cx + 2, top + 10, Rgb(40, 40, 60));
    f.Outline(Rgb(28, 24, 32));
    c.Paste(f, 0, 0);
}

}  // namespace morvish::skingen
