#include "SkinPieces.h"

#include <array>
#include <string_view>

#include "Icons.h"
#include "PixelFont.h"
#include "Widgets.h"

namespace morvish::skingen {

namespace {

// ---------------------------------------------------------------------------------------------
// Small shared shapes.

enum class Direction { Up, Down, Left, Right };

Canvas Transpose(const Canvas& source) {
    Canvas turned(source.Height(), source.Width());
    for (int y = 0; y < source.Height(); ++y) {
        for (int x = 0; x < source.Width(); ++x) turned.Set(y, x, source.At(x, y));
    }
    return turned;
}

// A solid arrow head inside the box (x, y, w, h), pointing in `direction`.
void ArrowHead(Canvas& c, int x, int y, int w, int h, Direction direction, Pixel p) {
    const int right = x + w - 1;
    const int bottom = y + h - 1;
    const int mx = x + (w - 1) / 2;
    const int my = y + (h - 1) / 2;
    switch (direction) {
        case Direction::Up:
            c.Triangle(x, bottom, right, bottom, mx, y, p);
            break;
        case Direction::Down:
            c.Triangle(x, y, right, y, mx, bottom, p);
            break;
        case Direction::Left:
            c.Triangle(right, y, right, bottom, x, my, p);
            break;
        case Direction::Right:
            c.Triangle(x, y, x, bottom, right, my, p);
            break;
    }
}

// The 11 × 11 window buttons: base (a diamond), minimise (a bar) and close (a cross).
Canvas SysButton(const Theme& t, char symbol, Look look) {
    return ButtonFace(t, 11, 11, look, 1, [symbol](Canvas& c, Pixel ink, int dx, int dy) {
        switch (symbol) {
            case 'b':
                c.Triangle(3 + dx, 5 + dy, 7 + dx, 5 + dy, 5 + dx, 3 + dy, ink);
                c.Triangle(3 + dx, 5 + dy, 7 + dx, 5 + dy, 5 + dx, 7 + dy, ink);
                break;
            case 'm':
                c.Fill(3 + dx, 6 + dy, 5, 2, ink);
                break;
            case 'x':
                c.Line(3 + dx, 3 + dy, 7 + dx, 7 + dy, ink);
                c.Line(4 + dx, 3 + dy, 7 + dx, 6 + dy, ink);
                c.Line(7 + dx, 3 + dy, 3 + dx, 7 + dy, ink);
                c.Line(6 + dx, 3 + dy, 3 + dx, 6 + dy, ink);
                break;
        }
    });
}

// The 9 × 9 arrows; the lit one glows.
Canvas ArrowPiece(const Theme& t, Direction direction, bool lit) {
    Canvas c(9, 9);
    ArrowHead(c, 1, 1, 7, 7, direction, lit ? t.hoverBorder : t.accent);
    if (lit) ArrowHead(c, 3, 3, 3, 3, direction, Lighter(t.hoverBorder, 60));
    c.Outline(lit ? Darker(t.hoverBorder, 45) : t.accentDark);
    return c;
}

// A button with a symbol instead of a label, drawn by `symbol` in the ink of the look.
Canvas SymbolButton(const Theme& t, int w, int h, Look look, const Content& symbol) {
    return ButtonFace(t, w, h, look, 2, symbol);
}

// A sunken slot of the item grid and the shortcut bar.
void Slot(Canvas& c, const Theme& t, int x, int y, int w, int h) {
    c.Fill(x, y, w, h, t.track);
    c.Bevel(x, y, w, h, t.trackShadow, t.trackLight);
    c.Bevel(x + 1, y + 1, w - 2, h - 2, Mix(t.track, t.trackShadow, 1, 2),
            Mix(t.track, t.trackLight, 1, 2));
}

// A framed bar with a title-like gradient, closed on every side (the dialog bar).
Canvas GradientBar(const Theme& t, int w, int h) {
    Canvas c(w, h);
    ForFrame(c, 3, Open{}, [&](int x, int y, Region region) {
        Pixel p = Mix(t.titleTop, t.titleBottom, y, h - 1);
        if (y == 1) p = t.titleShine;
        c.Set(x, y, region == Region::Edge ? t.outline : p);
    });
    return c;
}

// A bar under a list (button bars, the message button bar): a window body with a separating
// line on top.
Canvas Footer(const Theme& t, int w, int h, Open open) {
    open.top = true;
    Canvas c = WindowBody(t, w, h, open);
    for (int x = 0; x < w; ++x) {
        if (c.At(x, 0) == kKey) continue;
        if (c.At(x, 0) != t.outline) c.Set(x, 0, t.panelBorder);
        if (c.At(x, 1) != t.outline && c.At(x, 1) != kKey) c.Set(x, 1, t.panelLight);
    }
    return c;
}

// ---------------------------------------------------------------------------------------------
// Top level of the skin: colour chip, scroll bars, system boxes, check and radio boxes, buttons.

Canvas ColorChipPiece(const Theme& t) {
    Canvas c(32, 8, t.outline);
    for (int k = 1; k <= 14; ++k) c.Fill(((k - 1) % 8) * 4, ((k - 1) / 8) * 4, 4, 4, t.chip[k]);
    return c;
}

Canvas ScrollTrack(const Theme& t) {
    Canvas c(13, 13, t.track);
    c.VLine(0, 0, 13, t.trackShadow);
    c.VLine(1, 0, 13, Mix(t.track, t.trackShadow, 1, 2));
    c.VLine(11, 0, 13, Mix(t.track, t.trackLight, 1, 2));
    c.VLine(12, 0, 13, t.trackShadow);
    return c;
}

Canvas ScrollButton(const Theme& t, Direction direction) {
    return ButtonFace(
        t, 13, 13, Look::Normal, 1, [direction](Canvas& c, Pixel ink, int dx, int dy) {
            const bool vertical = direction == Direction::Up || direction == Direction::Down;
            ArrowHead(c, (vertical ? 3 : 4) + dx, (vertical ? 4 : 3) + dy, vertical ? 7 : 4,
                      vertical ? 4 : 7, direction, ink);
        });
}

// The thumb of the vertical bar, 13 × 4: its first cap, its body or its last cap. The thumb is
// 9 pixels wide with the track showing through at both sides.
Canvas ThumbPiece(const Theme& t, int part) {
    Canvas c(13, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 2; x <= 10; ++x) c.Set(x, y, Mix(t.thumbTop, t.thumbBottom, x - 2, 8));
        c.Set(2, y, t.thumbBorder);
        c.Set(10, y, t.thumbBorder);
        c.Set(3, y, Lighter(t.thumbTop, 40));
    }
    if (part == 0) {
        c.HLine(3, 0, 7, t.thumbBorder);
        c.Set(2, 0, kKey);
        c.Set(10, 0, kKey);
        c.HLine(4, 1, 5, Lighter(t.thumbTop, 40));
    } else if (part == 2) {
        c.HLine(3, 3, 7, t.thumbBorder);
        c.Set(2, 3, kKey);
        c.Set(10, 3, kKey);
        c.HLine(4, 2, 6, Darker(t.thumbBottom, 15));
    }
    return c;
}

// The system box pieces are cut from one 42 × 42 sheet, so that corners, edges and the middle
// fit each other whatever the tile step: the rounding stays within four pixels of the outer
// corner, everything else is the same band on every tile.
Canvas SystemBoxSheet(const Theme& t) {
    const Canvas shape = FrameShape(42, 42, 4, Open{}, [&](int, int) { return t.field; });
    Canvas c = shape;
    for (int y = 0; y < 42; ++y) {
        for (int x = 0; x < 42; ++x) {
            if (shape.At(x, y) == kEdgeMark) {
                c.Set(x, y, t.outline);
            } else if (shape.At(x, y) == t.field && NextToEdge(shape, x, y)) {
                const bool upperLeft =
                    shape.At(x - 1, y) == kEdgeMark || shape.At(x, y - 1) == kEdgeMark;
                c.Set(x, y, upperLeft ? t.panelLight : t.panelBorder);
            }
        }
    }
    return c;
}

Canvas SystemBoxPiece(const Theme& t, int column, int row) {
    return SystemBoxSheet(t).Crop(14 * column, 14 * row, 14, 14);
}

// The small system box is a DrawBox of chip 10 around chip 1; its corners round it off.
Canvas SmallBoxCorner(const Theme& t, bool right, bool bottom) {
    constexpr int kWidth = 181;
    constexpr int kHeight = 32;
    Canvas sheet(kWidth, kHeight);
    ForFrame(sheet, 4, Open{}, [&](int x, int y, Region region) {
        sheet.Set(x, y, region == Region::Edge ? t.chip[10] : t.chip[1]);
    });
    return sheet.Crop(right ? 174 : 0, bottom ? 25 : 0, 7, 7);
}

Canvas CheckBox(const Theme& t, bool ticked) {
    Canvas c(11, 11);
    Field(c, t, 0, 0, 11, 11);
    c.Set(0, 0, kKey);
    c.Set(10, 0, kKey);
    c.Set(0, 10, kKey);
    c.Set(10, 10, kKey);
    if (ticked) {
        for (int k = 0; k < 2; ++k) {
            c.Line(2, 5 + k, 4, 7 + k, t.mark);
            c.Line(4, 7 + k, 8, 3 + k, t.mark);
        }
    }
    return c;
}

Canvas RadioButton(const Theme& t, bool on) {
    Canvas c(11, 11);
    c.ForRounded(0, 0, 11, 11, 5, [&](int x, int y, Region region) {
        c.Set(x, y, region == Region::Edge ? t.fieldBorder : t.field);
    });
    c.Set(3, 2, Mix(t.field, t.fieldBorder, 1, 2));
    c.HLine(4, 1, 3, Mix(t.field, t.fieldBorder, 1, 3));
    if (on) {
        c.Disc(11, 11, 6, t.mark);
        c.Set(4, 4, Lighter(t.mark, 60));
    }
    return c;
}

Canvas ResizeGrip(const Theme& t) {
    Canvas c(12, 12);
    for (int k = 0; k < 3; ++k) {
        const int start = 3 + 3 * k;
        c.Line(start, 11, 11, start, t.bodyShadow);
        c.Line(start + 1, 11, 11, start + 1, t.bodyLight);
    }
    c.Line(2, 11, 11, 2, t.outline);
    return c;
}

// The small icons of the signs (24 × 22): a stall, an open and a closed chat room.
Canvas ShopSign(const Theme&) {
    Canvas c(24, 22);
    c.Fill(3, 11, 18, 9, Rgb(176, 120, 70));
    c.Fill(5, 13, 6, 5, Rgb(250, 220, 140));
    c.Fill(13, 13, 6, 5, Rgb(120, 200, 120));
    for (int k = 0; k < 5; ++k) {
        c.Fill(2 + 4 * k, 3, 4, 6, k % 2 ? Rgb(255, 255, 255) : Rgb(220, 50, 50));
        c.Disc(2 * (2 + 4 * k) + 4, 18, 4, k % 2 ? Rgb(255, 255, 255) : Rgb(220, 50, 50));
    }
    c.Outline(Rgb(50, 36, 30));
    return c;
}

Canvas ChatSign(const Theme& t, bool open) {
    Canvas c(24, 22);
    const Pixel fill = open ? Rgb(255, 255, 255) : Rgb(210, 210, 216);
    c.ForRounded(2, 2, 20, 13, 4, [&](int x, int y, Region) { c.Set(x, y, fill); });
    c.Triangle(6, 14, 11, 14, 6, 19, fill);
    if (open) {
        for (int k = 0; k < 3; ++k) c.Fill(7 + 4 * k, 8, 2, 2, t.accent);
    } else {
        c.Fill(9, 8, 7, 5, Rgb(200, 160, 40));
        c.Frame(10, 5, 5, 4, Rgb(120, 120, 130));
        c.Set(12, 10, Rgb(60, 40, 10));
    }
    c.Outline(Rgb(40, 40, 56));
    return c;
}

Canvas SysBoxArrow(const Theme& t, Direction direction) {
    Canvas c(5, 7);
    ArrowHead(c, direction == Direction::Left ? 0 : 1, 0, 4, 7, direction, t.accent);
    return c;
}

// ---------------------------------------------------------------------------------------------
// Window frames.

Canvas TitleFix(const Theme& t) {
    return TitleBar(t, 280, 17, Open{});
}

// A page of a window with two tabs on the left, opening onto a panel.
Canvas TabbedPage(const Theme& t, int selected, std::string_view first, std::string_view second) {
    Canvas c = WindowBody(t, 280, 103, Open{false, true, false, false});
    Panel(c, t, 19, 1, 257, 99);
    const int tabTop[] = {1, 26};
    const std::string_view labels[] = {first, second};
    for (int k = 0; k < 2; ++k) {
        VerticalTab(c, t, 5, tabTop[k], 25, labels[k], k == selected, t.panel);
    }
    c.VLine(19, tabTop[selected] + 1, 23, t.panel);
    return c;
}

Canvas StatusPage0(const Theme& t) {
    Canvas c = TabbedPage(t, 0, "STAT", "MORE");
    const char* stats[] = {"STR", "AGI", "VIT", "INT", "DEX", "LUK"};
    for (int k = 0; k < 6; ++k) {
        Label(c, t, 26, 8 + 16 * k, stats[k]);
        Field(c, t, 50, 4 + 16 * k, 28, 15);
        Label(c, t, 101, 8 + 16 * k, "+");
    }
    c.VLine(120, 4, 93, t.panelBorder);
    c.VLine(121, 4, 93, t.panelLight);
    const char* left[] = {"ATK", "MATK", "HIT", "CRIT"};
    const char* right[] = {"DEF", "MDEF", "FLEE", "ASPD"};
    for (int k = 0; k < 4; ++k) {
        Label(c, t, 127, 8 + 16 * k, left[k]);
        Label(c, t, 210, 8 + 16 * k, right[k]);
    }
    c.HLine(124, 66, 150, t.panelBorder);
    c.HLine(124, 67, 150, t.panelLight);
    Label(c, t, 262 - TextWidth("STATUS POINT"), 72, "STATUS POINT");
    return c;
}

Canvas StatusPage1(const Theme& t) {
    Canvas c = TabbedPage(t, 1, "STAT", "MORE");
    const char* labels[] = {"GUILD", "TITLE", "PARTY", "HOME"};
    for (int k = 0; k < 4; ++k) {
        Label(c, t, 28, 10 + 22 * k, labels[k]);
        Field(c, t, 70, 5 + 22 * k, 190, 16);
    }
    return c;
}

Canvas OptionPage0(const Theme& t) {
    Canvas c = TabbedPage(t, 0, "GAME", "VIEW");
    Label(c, t, 26, 8, "BGM");
    Label(c, t, 26, 27, "SOUND");
    Label(c, t, 26, 53, "SKIN");
    Field(c, t, 75, 47, 165, 18);
    c.HLine(23, 78, 250, t.panelBorder);
    c.HLine(23, 79, 250, t.panelLight);
    return c;
}

Canvas OptionPage1(const Theme& t) {
    Canvas c = TabbedPage(t, 1, "GAME", "VIEW");
    const char* labels[] = {"SHOW NAMES", "SHADOWS", "EFFECTS", "LOCK WINDOWS"};
    for (int k = 0; k < 4; ++k) {
        Label(c, t, 28, 10 + 20 * k, labels[k]);
        c.Paste(CheckBox(t, k % 2 == 0), 150, 7 + 20 * k);
    }
    return c;
}

// The basic information window: title, name panel, gauges, levels, the status line and the
// column of menu buttons.
Canvas BasicBackground(const Theme& t) {
    Canvas c = WindowBody(t, 280, 120, Open{});
    c.Paste(TitleBar(t, 280, 17, Open{}), 0, 0);
    Panel(c, t, 5, 20, 86, 30);
    Panel(c, t, 92, 19, 110, 46);
    Panel(c, t, 5, 67, 197, 31);
    Panel(c, t, 3, 100, 199, 17);
    Panel(c, t, 204, 19, 74, 98);
    return c;
}

Canvas BasicMinimised(const Theme& t) {
    Canvas c = WindowBody(t, 280, 34, Open{});
    c.Paste(TitleBar(t, 280, 17, Open{}), 0, 0);
    return c;
}

Canvas GaugeBack(const Theme& t) {
    Canvas c(85, 7);
    c.ForRounded(0, 0, 85, 7, 2, [&](int x, int y, Region region) {
        c.Set(x, y,
              region == Region::Edge ? t.gaugeBorder
                                     : (y == 1 ? Darker(t.gaugeBack, 30) : t.gaugeBack));
    });
    return c;
}

// A piece of a gauge's fill: left cap, one-pixel middle or right cap.
Canvas GaugeFill(const Theme& t, Pixel top, Pixel bottom, int part) {
    const int width = part == 1 ? 1 : 4;
    Canvas c(width, 7);
    const Open open{part != 0, false, part != 2, false};
    ForFrame(c, 2, open, [&](int x, int y, Region region) {
        Pixel p = Mix(top, bottom, y - 1, 4);
        if (y == 1) p = Lighter(top, 45);
        c.Set(x, y, region == Region::Edge ? t.gaugeBorder : p);
    });
    return c;
}

Canvas MessageBoxBackground(const Theme& t) {
    Canvas c = WindowBody(t, 280, 120, Open{}, 4);
    c.Frame(4, 4, 272, 112, t.titleLine);
    c.Frame(5, 5, 270, 110, t.bodyLight);
    c.VGradient(6, 6, 268, 10, t.titleTop, Mix(t.titleBottom, t.body, 1, 2));
    return c;
}

Canvas ItemTabs(const Theme& t, int selected) {
    Canvas c = WindowBody(t, 20, 82, Open{false, true, true, true});
    c.VLine(19, 0, 82, t.panelBorder);
    const int top[] = {1, 24, 50};
    const int height[] = {23, 26, 28};
    const char* labels[] = {"ITEM", "EQP", "ETC"};
    for (int k = 0; k < 3; ++k)
        VerticalTab(c, t, 5, top[k], height[k], labels[k], k == selected, t.chip[1]);
    c.VLine(19, top[selected] + 1, height[selected] - 2, t.chip[1]);
    return c;
}

Canvas ItemFrameLeft(const Theme& t) {
    Canvas c = WindowBody(t, 20, 8, Open{false, true, true, true});
    c.VLine(19, 0, 8, t.panelBorder);
    return c;
}

Canvas ItemFrameRight(const Theme& t) {
    Canvas c = WindowBody(t, 20, 8, Open{true, true, false, true});
    c.VLine(4, 0, 8, t.panelBorder);
    return c;
}

Canvas ItemCell(const Theme& t) {
    Canvas c(32, 32);
    Slot(c, t, 0, 0, 32, 32);
    return c;
}

Canvas DescriptionPanel(const Theme& t, bool skill) {
    Canvas c = WindowBody(t, 280, 120, Open{});
    c.VGradient(2, 1, 276, 6, Mix(t.titleTop, t.body, 1, 3), t.body);
    if (skill) {
        Panel(c, t, 8, 9, 36, 36);
        Panel(c, t, 48, 8, 206, 18);
        c.Bevel(47, 30, 227, 82, t.panelBorder, t.panelLight);
    } else {
        Panel(c, t, 8, 9, 79, 104);
        Panel(c, t, 88, 12, 170, 18);
        c.Bevel(90, 35, 184, 82, t.panelBorder, t.panelLight);
    }
    return c;
}

Canvas EquipBackground(const Theme& t) {
    Canvas c = WindowBody(t, 280, 130, Open{false, true, false, false});
    Panel(c, t, 106, 3, 72, 66);
    c.VGradient(108, 5, 68, 62, Lighter(t.panel, 30), t.panel);
    for (int k = 0; k < 4; ++k) {
        Slot(c, t, 3, 22 + 26 * k, 24, 24);
        Slot(c, t, 253, 22 + 26 * k, 24, 24);
        c.HLine(30, 42 + 26 * k, 70, t.panelBorder);
        c.HLine(178, 42 + 26 * k, 72, t.panelBorder);
    }
    return c;
}

// The equipment window shows this over a fixed spot just above the first slot of the left
// column: a glowing marker pointing down at that slot.
Canvas ItemHighlight(const Theme& t) {
    Canvas c(24, 14);
    ArrowHead(c, 6, 3, 13, 9, Direction::Down, t.hoverBorder);
    ArrowHead(c, 9, 4, 7, 4, Direction::Down, Lighter(t.hoverBorder, 60));
    c.Outline(Darker(t.hoverBorder, 45));
    return c;
}

Canvas ChatBackground(const Theme& t) {
    Canvas c = WindowBody(t, 280, 103, Open{false, true, false, false});
    Label(c, t, 8, 11, "TITLE");
    Field(c, t, 44, 6, 228, 16);
    Label(c, t, 8, 34, "LIMIT");
    Field(c, t, 44, 29, 75, 16);
    Label(c, t, 150, 34, "TYPE");
    Field(c, t, 183, 29, 73, 16);
    Label(c, t, 8, 56, "ROOM");
    c.HLine(4, 72, 272, t.panelBorder);
    c.HLine(4, 73, 272, t.panelLight);
    return c;
}

Canvas ExchangeBackground(const Theme& t) {
    Canvas c = WindowBody(t, 280, 103, Open{false, true, false, false});
    Field(c, t, 4, 0, 134, 54);
    Field(c, t, 144, 0, 134, 54);
    ArrowHead(c, 139, 18, 4, 7, Direction::Right, t.accent);
    ArrowHead(c, 139, 28, 4, 7, Direction::Left, t.accent);
    Label(c, t, 9, 63, "ZENY");
    c.Bevel(39, 56, 66, 18, t.panelBorder, t.panelLight);
    Label(c, t, 150, 63, "ZENY");
    Field(c, t, 184, 57, 92, 16);
    return c;
}

Canvas ShortcutBackground(const Theme& t) {
    Canvas c = WindowBody(t, 280, 36, Open{});
    for (int k = 0; k < 9; ++k) Slot(c, t, 4 + 29 * k, 4, 24, 24);
    return c;
}

Canvas ShortcutHighlight(const Theme& t) {
    Canvas c(22, 4);
    c.ForRounded(0, 0, 22, 4, 1, [&](int x, int y, Region) {
        c.Set(x, y, y == 1 ? Lighter(t.hoverBorder, 50) : t.hoverBorder);
    });
    return c;
}

// ---------------------------------------------------------------------------------------------
// Icons of the party window and the status effects.

Canvas PartyIcon(int kind) {
    Canvas c(12, 12);
    if (kind == 0) {  // leader: a crown
        c.Fill(2, 5, 8, 4, Rgb(240, 196, 50));
        c.Triangle(2, 5, 2, 1, 4, 5, Rgb(240, 196, 50));
        c.Triangle(4, 5, 6, 1, 8, 5, Rgb(240, 196, 50));
        c.Triangle(8, 5, 10, 1, 10, 5, Rgb(240, 196, 50));
        c.HLine(3, 6, 6, Rgb(255, 240, 150));
        c.Set(6, 7, Rgb(220, 40, 60));
        c.Outline(Rgb(90, 60, 10));
    } else {
        const Pixel base = kind == 1 ? Rgb(150, 150, 156) : Rgb(70, 200, 90);
        c.Disc(12, 12, 9, Darker(base, 35));
        c.Disc(11, 11, 7, base);
        c.Disc(9, 9, 3, Lighter(base, 60));
    }
    return c;
}

enum class Status { Confusion, Curse, Frozen, Poison, Silence, Stone };

Canvas StatusIcon(Status status) {
    Canvas c(12, 12);
    Pixel base = 0;
    switch (status) {
        case Status::Confusion:
            base = Rgb(170, 90, 210);
            break;
        case Status::Curse:
            base = Rgb(90, 30, 50);
            break;
        case Status::Frozen:
            base = Rgb(120, 190, 240);
            break;
        case Status::Poison:
            base = Rgb(70, 170, 60);
            break;
        case Status::Silence:
            base = Rgb(150, 150, 170);
            break;
        case Status::Stone:
            base = Rgb(150, 130, 110);
            break;
    }
    c.Disc(12, 12, 12, Darker(base, 40));
    c.Disc(12, 12, 10, base);
    c.Disc(10, 9, 5, Lighter(base, 25));
    const Pixel mark = Rgb(255, 255, 255);
    switch (status) {
        case Status::Confusion:
            DrawText(c, 5, 4, "?", mark);
            break;
        case Status::Curse:
            c.Disc(12, 11, 6, Rgb(236, 232, 220));
            c.Fill(4, 6, 4, 3, Rgb(236, 232, 220));
            c.Set(4, 5, Rgb(200, 20, 30));
            c.Set(7, 5, Rgb(200, 20, 30));
            break;
        case Status::Frozen:
            c.HLine(3, 6, 6, mark);
            c.VLine(6, 3, 6, mark);
            c.Line(4, 4, 8, 8, mark);
            c.Line(8, 4, 4, 8, mark);
            break;
        case Status::Poison:
            c.Triangle(6, 2, 4, 6, 8, 6, mark);
            c.Disc(12, 14, 5, mark);
            break;
        case Status::Silence:
            c.HLine(3, 6, 6, mark);
            c.Line(4, 3, 8, 9, Rgb(220, 40, 40));
            break;
        case Status::Stone:
            c.Line(3, 4, 6, 6, Rgb(70, 56, 44));
            c.Line(6, 6, 5, 9, Rgb(70, 56, 44));
            c.Line(6, 6, 9, 5, Rgb(70, 56, 44));
            break;
    }
    return c;
}

// The symbols of the party window's five message buttons.
void MessageSymbol(Canvas& c, int kind, Pixel ink, int dx, int dy) {
    const int x = 7 + dx;
    const int y = 5 + dy;
    switch (kind) {
        case 1:  // whisper: a letter
            c.Frame(x, y + 1, 10, 7, ink);
            c.Line(x, y + 1, x + 4, y + 4, ink);
            c.Line(x + 9, y + 1, x + 5, y + 4, ink);
            break;
        case 2:  // invite: a person and a plus
        case 4:  // expel: a person and a cross
            c.Fill(x + 1, y, 3, 3, ink);
            c.Fill(x, y + 4, 5, 4, ink);
            if (kind == 2) {
                c.HLine(x + 6, y + 4, 5, ink);
                c.VLine(x + 8, y + 2, 5, ink);
            } else {
                c.Line(x + 6, y + 2, x + 10, y + 6, ink);
                c.Line(x + 10, y + 2, x + 6, y + 6, ink);
            }
            break;
        case 3:  // leave: out through a door
            c.Frame(x, y, 5, 8, ink);
            c.HLine(x + 3, y + 4, 6, ink);
            c.Line(x + 7, y + 2, x + 9, y + 4, ink);
            c.Line(x + 7, y + 6, x + 9, y + 4, ink);
            break;
        case 5:  // settings: three sliders
            for (int k = 0; k < 3; ++k) {
                c.HLine(x, y + 1 + 3 * k, 10, ink);
                c.Fill(x + 2 + 3 * k, y + 3 * k, 2, 3, ink);
            }
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// The table.

Look LookOf(char code) {
    switch (code) {
        case 'h':
            return Look::Hover;
        case 'p':
            return Look::Pressed;
        case 'd':
            return Look::Disabled;
    }
    return Look::Normal;
}

std::vector<SkinPiece> MakeTable() {
    std::vector<SkinPiece> table;
    auto add = [&](std::string name, int w, int h, std::function<Canvas(const Theme&)> paint) {
        table.push_back(SkinPiece{std::move(name), w, h, std::move(paint)});
    };
    const std::string bi = "basic_interface\\";

    // Skin top level.
    add("colorchip.bmp", 32, 8, ColorChipPiece);
    add("scroll0up.bmp", 13, 13, [](const Theme& t) { return ScrollButton(t, Direction::Up); });
    add("scroll0down.bmp", 13, 13, [](const Theme& t) { return ScrollButton(t, Direction::Down); });
    add("scroll0mid.bmp", 13, 13, ScrollTrack);
    add("scroll0bar_up.bmp", 13, 4, [](const Theme& t) { return ThumbPiece(t, 0); });
    add("scroll0bar_mid.bmp", 13, 4, [](const Theme& t) { return ThumbPiece(t, 1); });
    add("scroll0bar_down.bmp", 13, 4, [](const Theme& t) { return ThumbPiece(t, 2); });
    add("scroll1left.bmp", 13, 13, [](const Theme& t) { return ScrollButton(t, Direction::Left); });
    add("scroll1right.bmp", 13, 13,
        [](const Theme& t) { return ScrollButton(t, Direction::Right); });
    add("scroll1mid.bmp", 13, 13, [](const Theme& t) { return Transpose(ScrollTrack(t)); });
    add("scroll1bar_left.bmp", 4, 13, [](const Theme& t) { return Transpose(ThumbPiece(t, 0)); });
    add("scroll1bar_mid.bmp", 4, 13, [](const Theme& t) { return Transpose(ThumbPiece(t, 1)); });
    add("scroll1bar_right.bmp", 4, 13, [](const Theme& t) { return Transpose(ThumbPiece(t, 2)); });
    const std::pair<const char*, std::array<int, 2>> boxes[] = {
        {"lu", {0, 0}}, {"mu", {1, 0}}, {"ru", {2, 0}}, {"lm", {0, 1}}, {"bg", {1, 1}},
        {"rm", {2, 1}}, {"ld", {0, 2}}, {"md", {1, 2}}, {"rd", {2, 2}}};
    for (const auto& [suffix, cell] : boxes) {
        const int column = cell[0];
        const int row = cell[1];
        add(std::string("sysbox_") + suffix + ".bmp", 14, 14,
            [column, row](const Theme& t) { return SystemBoxPiece(t, column, row); });
    }
    add("sysbox_arr_l.bmp", 5, 7, [](const Theme& t) { return SysBoxArrow(t, Direction::Left); });
    add("sysbox_arr_r.bmp", 5, 7, [](const Theme& t) { return SysBoxArrow(t, Direction::Right); });
    add("checkbox_0.bmp", 11, 11, [](const Theme& t) { return CheckBox(t, false); });
    add("checkbox_1.bmp", 11, 11, [](const Theme& t) { return CheckBox(t, true); });
    add("radiobtn_off.bmp", 11, 11, [](const Theme& t) { return RadioButton(t, false); });
    add("radiobtn_on.bmp", 11, 11, [](const Theme& t) { return RadioButton(t, true); });
    add("btn_resize.bmp", 12, 12, ResizeGrip);
    const std::pair<const char*, const char*> textButtons[] = {
        {"ok", "OK"},   {"cancel", "CANCEL"}, {"exchange", "EXCHANGE"},
        {"use", "USE"}, {"close", "CLOSE"},   {"back", "BACK"},
        {"buy", "BUY"}, {"sell", "SELL"},     {"next", "NEXT"}};
    for (const auto& [file, label] : textButtons) {
        for (const auto& [suffix, look] : {std::pair{"", 'n'}, std::pair{"_a", 'h'},
                                           std::pair{"_b", 'p'}, std::pair{"_dis", 'd'}}) {
            const std::string text = label;
            const Look chosen = LookOf(look);
            add(std::string("btn_") + file + suffix + ".bmp", 42, 20,
                [text, chosen](const Theme& t) { return TextButton(t, 42, 20, text, chosen); });
        }
    }
    const char* escapeLabels[] = {"CHARACTER SELECT", "RESTART", "EXIT GAME", "RETURN TO GAME"};
    for (int k = 0; k < 4; ++k) {
        for (const auto& [suffix, look] :
             {std::pair{'a', 'n'}, std::pair{'b', 'h'}, std::pair{'c', 'p'}}) {
            const std::string text = escapeLabels[k];
            const Look chosen = LookOf(look);
            add("esc_0" + std::to_string(k + 1) + suffix + ".bmp", 222, 18,
                [text, chosen](const Theme& t) {
                    return TextButton(t, 222, 18, text, chosen, Face::Large);
                });
        }
    }
    add("win_msgbox.bmp", 280, 120, MessageBoxBackground);
    add("shop.bmp", 24, 22, ShopSign);
    add("chat_open.bmp", 24, 22, [](const Theme& t) { return ChatSign(t, true); });
    add("chat_close.bmp", 24, 22, [](const Theme& t) { return ChatSign(t, false); });

    // basic_interface: window frames and backgrounds.
    add(bi + "basewin_bg.bmp", 280, 120, BasicBackground);
    add(bi + "basewin_mini.bmp", 280, 34, BasicMinimised);
    for (const auto& [name, symbol] :
         {std::pair{"base", 'b'}, std::pair{"mini", 'm'}, std::pair{"close", 'x'}}) {
        const char s = symbol;
        add(bi + "sys_" + name + "_off.bmp", 11, 11,
            [s](const Theme& t) { return SysButton(t, s, Look::Normal); });
        add(bi + "sys_" + name + "_on.bmp", 11, 11,
            [s](const Theme& t) { return SysButton(t, s, Look::Hover); });
    }
    const std::pair<const char*, const char*> menuButtons[] = {
        {"status", "STATUS"}, {"items", "ITEMS"}, {"skill", "SKILL"}, {"comm", "COMM"},
        {"option", "OPTION"}, {"equip", "EQUIP"}, {"map", "MAP"},     {"friend", "FRIEND"}};
    for (const auto& [file, label] : menuButtons) {
        for (const auto& [suffix, look] :
             {std::pair{"_off", 'n'}, std::pair{"_on", 'h'}, std::pair{"_dis", 'd'}}) {
            const std::string text = label;
            const Look chosen = LookOf(look);
            add(bi + "btn_" + file + suffix + ".bmp", 34, 20,
                [text, chosen](const Theme& t) { return TextButton(t, 34, 20, text, chosen); });
        }
    }
    add(bi + "gze_bg.bmp", 85, 7, GaugeBack);
    const std::pair<const char*, bool> gauges[] = {{"gzeblue", true}, {"gzered", false}};
    for (const auto& [gauge, hp] : gauges) {
        const bool isHp = hp;
        const char* parts[] = {"_left", "_mid", "_right"};
        for (int part = 0; part < 3; ++part) {
            add(bi + gauge + parts[part] + ".bmp", part == 1 ? 1 : 4, 7,
                [isHp, part](const Theme& t) {
                    return GaugeFill(t, isHp ? t.hpTop : t.spTop, isHp ? t.hpBottom : t.spBottom,
                                     part);
                });
        }
    }
    add(bi + "titlebar_fix.bmp", 280, 17, TitleFix);
    add(bi + "titlebar_left.bmp", 12, 17, [](const Theme& t) {
        return TitleBar(t, 12, 17, Open{false, false, true, false});
    });
    add(bi + "titlebar_mid.bmp", 12, 17, [](const Theme& t) {
        return TitleBar(t, 12, 17, Open{true, false, true, false});
    });
    add(bi + "titlebar_right.bmp", 12, 17, [](const Theme& t) {
        return TitleBar(t, 12, 17, Open{true, false, false, false});
    });
    add(bi + "statwin0_bg.bmp", 280, 103, StatusPage0);
    add(bi + "statwin1_bg.bmp", 280, 103, StatusPage1);
    add(bi + "arw_up.bmp", 9, 9,
        [](const Theme& t) { return ArrowPiece(t, Direction::Up, false); });
    add(bi + "arw_down.bmp", 9, 9,
        [](const Theme& t) { return ArrowPiece(t, Direction::Down, false); });
    add(bi + "arw_left.bmp", 9, 9,
        [](const Theme& t) { return ArrowPiece(t, Direction::Left, false); });
    add(bi + "arw_right.bmp", 9, 9,
        [](const Theme& t) { return ArrowPiece(t, Direction::Right, false); });
    add(bi + "arw_right_on.bmp", 9, 9,
        [](const Theme& t) { return ArrowPiece(t, Direction::Right, true); });
    add(bi + "optwin0_bg.bmp", 280, 103, OptionPage0);
    add(bi + "optwin1_bg.bmp", 280, 103, OptionPage1);
    const char* dropLooks = "nhp";
    const char* dropSuffix[] = {"a", "b", "c"};
    for (int k = 0; k < 3; ++k) {
        const Look chosen = LookOf(dropLooks[k]);
        add(bi + "txtbox_btn_" + dropSuffix[k] + ".bmp", 16, 16, [chosen](const Theme& t) {
            return SymbolButton(t, 16, 16, chosen, [](Canvas& c, Pixel ink, int dx, int dy) {
                ArrowHead(c, 4 + dx, 6 + dy, 7, 4, Direction::Down, ink);
            });
        });
    }
    for (int k = 0; k < 3; ++k) {
        add(bi + "tab_itm_0" + std::to_string(k + 1) + ".bmp", 20, 82,
            [k](const Theme& t) { return ItemTabs(t, k); });
    }
    add(bi + "itemwin_left.bmp", 20, 8, ItemFrameLeft);
    add(bi + "itemwin_mid.bmp", 32, 32, ItemCell);
    add(bi + "itemwin_right.bmp", 20, 8, ItemFrameRight);
    add(bi + "btnbar_left.bmp", 21, 21, [](const Theme& t) {
        return Footer(t, 21, 21, Open{false, true, true, false});
    });
    add(bi + "btnbar_mid.bmp", 21, 21, [](const Theme& t) {
        return Footer(t, 21, 21, Open{true, true, true, false});
    });
    add(bi + "btnbar_right.bmp", 21, 21, [](const Theme& t) {
        return Footer(t, 21, 21, Open{true, true, false, false});
    });
    add(bi + "btnbar_left2.bmp", 21, 29, [](const Theme& t) {
        return Footer(t, 21, 29, Open{false, true, true, false});
    });
    add(bi + "btnbar_mid2.bmp", 21, 29, [](const Theme& t) {
        return Footer(t, 21, 29, Open{true, true, true, false});
    });
    add(bi + "btnbar_right2.bmp", 21, 29, [](const Theme& t) {
        return Footer(t, 21, 29, Open{true, true, false, false});
    });
    add(bi + "collection_bg.bmp", 280, 120,
        [](const Theme& t) { return DescriptionPanel(t, false); });
    add(bi + "skillcollection.bmp", 280, 120,
        [](const Theme& t) { return DescriptionPanel(t, true); });
    add(bi + "equipwin_bg.bmp", 280, 130, EquipBackground);
    add(bi + "btn_cartoff.bmp", 42, 20,
        [](const Theme& t) { return TextButton(t, 42, 20, "CART", Look::Normal); });
    add(bi + "item_invert.bmp", 24, 14, ItemHighlight);
    add(bi + "chatwin0_bg.bmp", 280, 103, ChatBackground);
    add(bi + "mesbtn_left.bmp", 7, 19, [](const Theme& t) {
        return Footer(t, 7, 19, Open{false, true, true, true});
    });
    add(bi + "mesbtn_mid.bmp", 7, 19, [](const Theme& t) {
        return Footer(t, 7, 19, Open{true, true, true, true});
    });
    add(bi + "mesbtn_right.bmp", 7, 19, [](const Theme& t) {
        return Footer(t, 7, 19, Open{true, true, false, true});
    });
    for (int k = 1; k <= 5; ++k) {
        for (const auto& [suffix, look] :
             {std::pair{"", 'n'}, std::pair{"_a", 'h'}, std::pair{"_b", 'p'}}) {
            const Look chosen = LookOf(look);
            add(bi + "mesbtn_0" + std::to_string(k) + suffix + ".bmp", 24, 18,
                [k, chosen](const Theme& t) {
                    return SymbolButton(t, 24, 18, chosen,
                                        [k](Canvas& c, Pixel ink, int dx, int dy) {
                                            MessageSymbol(c, k, ink, dx, dy);
                                        });
                });
        }
    }
    add(bi + "grp_leader.bmp", 12, 12, [](const Theme&) { return PartyIcon(0); });
    add(bi + "grp_offline.bmp", 12, 12, [](const Theme&) { return PartyIcon(1); });
    add(bi + "grp_online.bmp", 12, 12, [](const Theme&) { return PartyIcon(2); });
    for (int k = 0; k < 3; ++k) {
        const Look chosen = LookOf(dropLooks[k]);
        add(bi + "skill_up_" + dropSuffix[k] + ".bmp", 26, 16, [chosen](const Theme& t) {
            return SymbolButton(t, 26, 16, chosen, [](Canvas& c, Pixel ink, int dx, int dy) {
                ArrowHead(c, 6 + dx, 6 + dy, 5, 4, Direction::Up, ink);
                DrawText(c, 13 + dx, 5 + dy, "UP", ink);
            });
        });
    }
    add(bi + "exchange_bg.bmp", 280, 103, ExchangeBackground);
    add(bi + "dialog_bg.bmp", 600, 24, [](const Theme& t) { return GradientBar(t, 600, 24); });
    add(bi + "dialog_mid.bmp", 3, 24,
        [](const Theme& t) { return GradientBar(t, 600, 24).Crop(2, 0, 3, 24); });
    for (int k = 0; k < 3; ++k) {
        const Look chosen = LookOf(dropLooks[k]);
        add(bi + "dialog_btn" + std::to_string(k) + ".bmp", 13, 16, [chosen](const Theme& t) {
            return SymbolButton(t, 13, 16, chosen, [](Canvas& c, Pixel ink, int dx, int dy) {
                ArrowHead(c, 4 + dx, 5 + dy, 4, 7, Direction::Right, ink);
            });
        });
    }
    add(bi + "shortitem_bg.bmp", 280, 36, ShortcutBackground);
    add(bi + "shortitem_btn.bmp", 22, 4, ShortcutHighlight);
    const std::pair<const char*, std::array<bool, 2>> smallCorners[] = {
        {"lu", {false, false}}, {"ld", {false, true}}, {"ru", {true, false}}, {"rd", {true, true}}};
    for (const auto& [suffix, side] : smallCorners) {
        const bool right = side[0];
        const bool bottom = side[1];
        add(bi + "sysboxs_" + suffix + ".bmp", 7, 7,
            [right, bottom](const Theme& t) { return SmallBoxCorner(t, right, bottom); });
    }
    const char* lvLooks = "nh";
    const char* lvSuffix[] = {"off", "on"};
    for (int k = 0; k < 2; ++k) {
        const Look chosen = LookOf(lvLooks[k]);
        add(bi + "lv_up_" + lvSuffix[k] + ".bmp", 44, 28, [chosen](const Theme& t) {
            return ButtonFace(t, 44, 28, chosen, 3, [](Canvas& c, Pixel ink, int dx, int dy) {
                ArrowHead(c, 18 + dx, 5 + dy, 7, 4, Direction::Up, ink);
                DrawTextCentred(c, dx, 11 + dy, 44, 12, "LV UP", ink, Face::Large);
            });
        });
    }
    const std::pair<const char*, Status> statuses[] = {
        {"confusion", Status::Confusion}, {"curse", Status::Curse},     {"frozen", Status::Frozen},
        {"poison", Status::Poison},       {"silence", Status::Silence}, {"stone", Status::Stone}};
    for (const auto& [file, status] : statuses) {
        const Status s = status;
        add(bi + "ico_" + file + ".bmp", 12, 12, [s](const Theme&) { return StatusIcon(s); });
    }
    return table;
}

}  // namespace

const std::vector<SkinPiece>& SkinPieces() {
    static const std::vector<SkinPiece> table = MakeTable();
    return table;
}

}  // namespace morvish::skingen
