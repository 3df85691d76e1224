// A recording surface notes what is asked of it; replayed, the notes paint exactly what drawing
// straight paints, and two recordings count as the same only when they would paint the same.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "render/DirectDrawSurface7.h"
#include "render/DrawingLog.h"
#include "render/PixelRows.h"
#include "render/clsDirectDraw.h"
#include "render/mdlMain.h"
#include "support/FixtureSkin.h"

namespace morvish {
namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;

// A decoded piece as the cache hands it out: magenta around a two-colour middle, with its runs.
std::shared_ptr<const Bitmap> Piece(std::uint32_t middle) {
    Bitmap piece = test::SolidBitmap(12, 6, kColorKey);
    for (int y = 1; y < 5; ++y) {
        for (int x = 2; x < 10; ++x)
            piece.pixels[std::size_t(y * 12 + x)] = x < 6 ? middle : 0x123456;
    }
    piece.opaque = FindOpaqueRuns(piece, kColorKey);
    return std::make_shared<const Bitmap>(std::move(piece));
}

DirectDrawSurface7 Keyed(std::shared_ptr<const Bitmap> picture) {
    DirectDrawSurface7 surface(std::move(picture));
    gDirectDraw.setColorKey(surface);
    return surface;
}

// Something of every kind, drawn on `frame` and on a view of it, as a window draws.
void DrawEverything(DirectDrawSurface7& frame, const std::shared_ptr<const Bitmap>& piece) {
    frame.BltColorFill(RECT{0, 0, kWidth, kHeight}, RGB(0x20, 0x40, 0x60));
    DirectDrawSurface7 view(DirectDrawSurface7::View{}, frame, RECT{5, 4, 35, 28});
    const DirectDrawSurface7 decoded = Keyed(piece);
    view.Blt(RECT{-3, 2, 9, 8}, decoded, RECT{0, 0, 12, 6}, DDBLT_WAIT | DDBLT_KEYSRC);
    view.Blt(RECT{10, 10, 22, 16}, decoded, RECT{0, 0, 12, 6}, DDBLT_WAIT | DDBLT_KEYSRC,
             RGB(0, 0xFF, 0));
    DirectDrawSurface7 made(5, 3);
    made.BltColorFill(RECT{}, RGB(0x99, 0, 0x99));
    made.SetPixel(2, 1, kColorKey);
    gDirectDraw.setColorKey(made);
    view.Blt(RECT{25, 20, 30, 23}, made, RECT{0, 0, 5, 3}, DDBLT_WAIT | DDBLT_KEYSRC);
    view.Blt(RECT{0, 18, 5, 21}, made, RECT{0, 0, 5, 3}, DDBLT_WAIT);
    DirectDrawSurface7 inner(DirectDrawSurface7::View{}, view, RECT{20, 0, 40, 10});
    inner.SetForeColor(RGB(0xFF, 0xFF, 0));
    inner.SetFillColor(RGB(0, 0, 0xFF));
    inner.DrawBox(1, 1, 9, 7);
    inner.SetPixel(0, 0, 0xABCDEF);
    // A copy within the frame reads what lies there before it.
    frame.Blt(RECT{2, 2, 12, 8}, frame, RECT{0, 0, 10, 6}, DDBLT_WAIT);
    if (const SkinFont* font = mdlMain::GetSkinFont(FontKind::kJapanese, 9)) {
        view.SetFont(font);
        view.SetForeColor(RGB(0xFF, 0xFF, 0xFF));
        view.DrawText(1, 12, "Morvish");
    }
}

DrawingLog Record(const std::function<void(DirectDrawSurface7&)>& draw) {
    DrawingLog log;
    DirectDrawSurface7 recording(DirectDrawSurface7::Recording{}, kWidth, kHeight, log);
    draw(recording);
    return log;
}

TEST(DrawingLog, ReplayedItPaintsWhatDrawingStraightPaints) {
    const std::shared_ptr<const Bitmap> piece = Piece(0xFF8000);
    DirectDrawSurface7 straight(kWidth, kHeight);
    DrawEverything(straight, piece);
    const DrawingLog log = Record([&](DirectDrawSurface7& s) { DrawEverything(s, piece); });
    EXPECT_GT(log.Size(), 8u);
    // Over other pixels: what was there before must not matter where the drawing covers it all.
    DirectDrawSurface7 replayed(kWidth, kHeight);
    replayed.BltColorFill(RECT{}, RGB(1, 2, 3));
    log.Replay(replayed);
    EXPECT_EQ(replayed.ToBitmap().pixels, straight.ToBitmap().pixels);
}

TEST(DrawingLog, TheSameOnlyWhenItWouldPaintTheSame) {
    std::shared_ptr<const Bitmap> piece = Piece(0xFF8000);
    const auto blit = [](const std::shared_ptr<const Bitmap>& picture) {
        return [picture](DirectDrawSurface7& s) {
            s.Blt(RECT{1, 1, 13, 7}, Keyed(picture), RECT{0, 0, 12, 6}, DDBLT_KEYSRC);
        };
    };
    DrawingLog kept = Record(blit(piece));
    EXPECT_TRUE(kept.DrawsTheSameAs(Record(blit(piece))));
    kept.ForgetPictures();
    EXPECT_TRUE(kept.DrawsTheSameAs(Record(blit(piece)))) << "still the same decoded picture";
    EXPECT_FALSE(kept.DrawsTheSameAs(Record(blit(Piece(0xFF8000)))))
        << "a file decoded anew is another picture, even with the same pixels";
    // Once the cache has let the picture go, one decoded later never passes for it.
    piece.reset();
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(kept.DrawsTheSameAs(Record(blit(Piece(0xFF8000)))));

    // A picture made while drawing is compared by its pixels.
    const auto made = [](std::uint32_t rgb) {
        return [rgb](DirectDrawSurface7& s) {
            DirectDrawSurface7 box(6, 6);
            box.BltColorFill(RECT{}, RGB(9, 9, 9));
            box.SetPixel(3, 3, rgb);
            s.Blt(RECT{0, 0, 6, 6}, box, RECT{0, 0, 6, 6}, DDBLT_WAIT);
        };
    };
    DrawingLog box = Record(made(0x111111));
    box.ForgetPictures();
    EXPECT_TRUE(box.DrawsTheSameAs(Record(made(0x111111))));
    EXPECT_FALSE(box.DrawsTheSameAs(Record(made(0x111112))));

    const auto fill = [](Color color, RECT area) {
        return [color, area](DirectDrawSurface7& s) {
            DirectDrawSurface7 view(DirectDrawSurface7::View{}, s, area);
            view.BltColorFill(RECT{0, 0, 4, 4}, color);
        };
    };
    const DrawingLog filled = Record(fill(RGB(1, 2, 3), RECT{0, 0, 10, 10}));
    EXPECT_TRUE(filled.DrawsTheSameAs(Record(fill(RGB(1, 2, 3), RECT{0, 0, 10, 10}))));
    EXPECT_FALSE(filled.DrawsTheSameAs(Record(fill(RGB(1, 2, 4), RECT{0, 0, 10, 10}))));
    EXPECT_FALSE(filled.DrawsTheSameAs(Record(fill(RGB(1, 2, 3), RECT{1, 0, 10, 10}))))
        << "the same request of a view elsewhere";
    EXPECT_FALSE(filled.DrawsTheSameAs(Record([&](DirectDrawSurface7& s) {
        fill(RGB(1, 2, 3), RECT{0, 0, 10, 10})(s);
        s.SetPixel(0, 0, 0);
    }))) << "one request more";

    const auto selfCopy = [](DirectDrawSurface7& s) {
        s.Blt(RECT{1, 0, 5, 4}, s, RECT{0, 0, 4, 4}, DDBLT_WAIT);
    };
    EXPECT_FALSE(Record(selfCopy).DrawsTheSameAs(Record(selfCopy)))
        << "a copy from the frame depends on what lay there";
}

}  // namespace
}  // namespace morvish
