#include "Widgets.h"

#include "PixelFont.h"

namespace morvish::skingen {

namespace {

struct LookColours {
    Pixel top, bottom, border, ink, inkShadow;
};

LookColours ColoursOf(const Theme& t, Look look) {
    switch (look) {
        case Look::Hover:
            return {t.hoverTop, t.hoverBottom, t.hoverBorder, t.hoverText, kKey};
        case Look::Pressed:
            return {t.pressTop, t.pressBottom, t.pressBorder, t.pressText, kKey};
        case Look::Disabled:
            return {t.disabledTop, t.disabledBottom, t.disabledBorder, t.disabledText,
                    t.disabledTextShadow};
        case Look::Normal:
            break;
    }
    return {t.faceTop, t.faceBottom, t.faceBorder, t.faceText, t.faceTextShadow};
}

// A cheap, fixed hash of the position: the paper grain is the same every run.
int Grain(int x, int y) {
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return int((h ^ (h >> 16)) & 0xFF);
}

}  // namespace

Canvas ButtonFace(const Theme& theme, int w, int h, Look look, int radius, const Content& content) {
    const LookColours colours = ColoursOf(theme, look);
    const Canvas shape = FrameShape(w, h, radius, Open{}, [&](int, int y) {
        return Mix(colours.top, colours.bottom, y, h - 1);
    });
    Canvas canvas = shape;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Pixel p = shape.At(x, y);
            if (p == kKey) continue;
            if (p == kEdgeMark) {
                canvas.Set(x, y, colours.border);
                continue;
            }
            const bool ring = NextToEdge(shape, x, y);
            if (!ring) continue;
            switch (look) {
                case Look::Normal:
                    // A bright line along the top, a soft shade along the bottom.
                    if (shape.At(x, y - 1) == kEdgeMark)
                        canvas.Set(x, y, Mix(p, theme.faceShine, 3, 4));
                    else if (shape.At(x, y + 1) == kEdgeMark)
                        canvas.Set(x, y, Mix(p, colours.border, 1, 4));
                    break;
                case Look::Hover:
                    canvas.Set(x, y, theme.hoverRim);
                    break;
                case Look::Pressed:
                    if (shape.At(x, y - 1) == kEdgeMark || shape.At(x - 1, y) == kEdgeMark) {
                        canvas.Set(x, y, theme.pressShadow);
                    }
                    break;
                case Look::Disabled:
                    break;
            }
        }
    }
    const int shift = look == Look::Pressed ? 1 : 0;
    if (colours.inkShadow != kKey) content(canvas, colours.inkShadow, shift, shift + 1);
    content(canvas, colours.ink, shift, shift);
    return canvas;
}

Canvas TextButton(const Theme& theme, int w, int h, std::string_view label, Look look, Face face) {
    return ButtonFace(theme, w, h, look, 2, [&](Canvas& canvas, Pixel ink, int dx, int dy) {
        DrawTextCentred(canvas, dx, dy, w, h, label, ink, face);
    });
}

void ForFrame(Canvas& canvas, int radius, Open open,
              const std::function<void(int, int, Region)>& paint) {
    const int reach = radius + 2;
    const int x = open.left ? -reach : 0;
    const int y = open.top ? -reach : 0;
    const int w = canvas.Width() - x + (open.right ? reach : 0);
    const int h = canvas.Height() - y + (open.bottom ? reach : 0);
    for (int py = 0; py < canvas.Height(); ++py) {
        for (int px = 0; px < canvas.Width(); ++px) {
            const Region region = Canvas::RoundedRegion(px, py, x, y, w, h, radius);
            if (region != Region::Outside) paint(px, py, region);
        }
    }
}

Canvas FrameShape(int w, int h, int radius, Open open,
                  const std::function<Pixel(int, int)>& inside) {
    Canvas shape(w, h);
    ForFrame(shape, radius, open, [&](int x, int y, Region region) {
        shape.Set(x, y, region == Region::Edge ? kEdgeMark : inside(x, y));
    });
    return shape;
}

bool NextToEdge(const Canvas& shape, int x, int y) {
    return shape.At(x - 1, y) == kEdgeMark || shape.At(x + 1, y) == kEdgeMark ||
           shape.At(x, y - 1) == kEdgeMark || shape.At(x, y + 1) == kEdgeMark;
}

Canvas TitleBar(const Theme& theme, int w, int h, Open open) {
    Canvas canvas(w, h);
    open.bottom = true;
    ForFrame(canvas, 3, open, [&](int x, int y, Region region) {
        Pixel p = Mix(theme.titleTop, theme.titleBottom, y - 1, h - 3);
        if (y == 1) p = theme.titleShine;
        if (y == h - 2) p = Darker(theme.titleBottom, 12);
        if (y == h - 1) p = theme.titleLine;
        if (region == Region::Edge) p = y == h - 1 ? theme.titleLine : theme.outline;
        canvas.Set(x, y, p);
    });
    // A light inner edge on the left, a darker one on the right, where the frame is closed.
    for (int y = 1; y < h - 1; ++y) {
        if (!open.left && canvas.At(1, y) != kKey && canvas.At(0, y) == theme.outline && y > 1) {
            canvas.Set(1, y, Mix(canvas.At(1, y), theme.titleShine, 1, 2));
        }
        if (!open.right && canvas.At(w - 2, y) != kKey && canvas.At(w - 1, y) == theme.outline &&
            y > 1) {
            canvas.Set(w - 2, y, Darker(canvas.At(w - 2, y), 15));
        }
    }
    return canvas;
}

Pixel BodyAt(const Theme& theme, int x, int y) {
    if (theme.bodyGrain == 0) return theme.body;
    const int g = Grain(x, y);
    // Mostly plain paper with a few lighter and darker fibres.
    if (g < 24) return Darker(theme.body, theme.bodyGrain);
    if (g > 236) return Lighter(theme.body, theme.bodyGrain * 4);
    return theme.body;
}

Canvas WindowBody(const Theme& theme, int w, int h, Open open, int radius) {
    const Canvas shape =
        FrameShape(w, h, radius, open, [&](int x, int y) { return BodyAt(theme, x, y); });
    Canvas canvas = shape;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Pixel p = shape.At(x, y);
            if (p == kKey) continue;
            if (p == kEdgeMark) {
                canvas.Set(x, y, theme.outline);
            } else if (shape.At(x - 1, y) == kEdgeMark || shape.At(x, y - 1) == kEdgeMark) {
                canvas.Set(x, y, theme.bodyLight);
            } else if (shape.At(x + 1, y) == kEdgeMark || shape.At(x, y + 1) == kEdgeMark) {
                canvas.Set(x, y, theme.bodyShadow);
            }
        }
    }
    return canvas;
}

void Panel(Canvas& canvas, const Theme& theme, int x, int y, int w, int h) {
    canvas.Fill(x, y, w, h, theme.panel);
    canvas.Bevel(x, y, w, h, theme.panelBorder, theme.panelLight);
}

void Field(Canvas& canvas, const Theme& theme, int x, int y, int w, int h) {
    canvas.Fill(x, y, w, h, theme.field);
    canvas.Frame(x, y, w, h, theme.fieldBorder);
    canvas.HLine(x + 1, y + 1, w - 2, Mix(theme.field, theme.fieldBorder, 1, 3));
}

void Label(Canvas& canvas, const Theme& theme, int x, int y, std::string_view text) {
    DrawText(canvas, x, y, text, theme.label);
}

void VerticalTab(Canvas& canvas, const Theme& theme, int x, int y, int h, std::string_view label,
                 bool selected, Pixel open) {
    constexpr int kWidth = 14;
    const Pixel fill = selected ? open : theme.tabIdle;
    Canvas tab(kWidth, h);
    // The tab opens to the right: rounded on the left, no outline on the right when selected.
    ForFrame(tab, 3, Open{false, false, selected, false}, [&](int px, int py, Region region) {
        tab.Set(px, py, region == Region::Edge ? theme.outline : fill);
    });
    if (!selected) tab.VLine(kWidth - 1, 0, h, theme.outline);
    // A light inner edge at the top left.
    for (int py = 1; py < h - 1; ++py) {
        if (tab.At(1, py) == fill && tab.At(0, py) == theme.outline)
            tab.Set(1, py, Lighter(fill, 35));
    }
    const int length = TextWidth(label);
    DrawTextUpwards(tab, 4, (h + length) / 2 - 1, label,
                    selected ? theme.tabText : theme.tabIdleText);
    canvas.Paste(tab, x, y);
}

}  // namespace morvish::skingen
