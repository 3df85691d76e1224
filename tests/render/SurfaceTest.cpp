#include <gtest/gtest.h>

#include <filesystem>

#include "render/DirectDrawSurface7.h"
#include "render/PreviewPane.h"
#include "render/clsDirectDraw.h"
#include "render/clsSkinMng.h"
#include "render/mdlMain.h"
#ifndef _WIN32
#include "support/Fifo.h"
#endif
#include "support/FixtureSkin.h"
#include "windows/WindowSlots.h"

namespace morvish {
namespace {

using test::CountColor;
using test::RegionIs;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;

// A 4 × 4 source: magenta everywhere except a red centre of 2 × 2.
DirectDrawSurface7 KeyedSource() {
    DirectDrawSurface7 source(4, 4);
    source.BltColorFill(RECT{}, kColorKey);
    source.BltColorFill(RECT{1, 1, 3, 3}, RGB(255, 0, 0));
    gDirectDraw.setColorKey(source);
    return source;
}

TEST(SurfaceBlit, KeyedBlitSkipsExactMagentaOnly) {
    DirectDrawSurface7 source(3, 1);
    source.SetPixel(0, 0, 0xFF00FF);
    source.SetPixel(1, 0, 0xFF01FF);  // one step from the key: an ordinary colour
    source.SetPixel(2, 0, 0xFE00FF);
    gDirectDraw.setColorKey(source);
    DirectDrawSurface7 target(3, 1);
    target.BltColorFill(RECT{}, kWhite);

    target.Blt(RECT{0, 0, 3, 1}, source, RECT{0, 0, 3, 1}, DDBLT_WAIT | DDBLT_KEYSRC);
    EXPECT_EQ(target.Pixel(0, 0), kWhite);
    EXPECT_EQ(target.Pixel(1, 0), 0xFF01FFu);
    EXPECT_EQ(target.Pixel(2, 0), 0xFE00FFu);

    target.Blt(RECT{0, 0, 3, 1}, source, RECT{0, 0, 3, 1}, DDBLT_WAIT);
    EXPECT_EQ(target.Pixel(0, 0), 0xFF00FFu) << "an opaque blit copies the key colour";
}

TEST(SurfaceBlit, SourceWithoutKeyCopiesMagentaEvenWhenKeyed) {
    DirectDrawSurface7 source(2, 2);
    source.BltColorFill(RECT{}, kColorKey);
    DirectDrawSurface7 target(2, 2);
    target.BltColorFill(RECT{}, kWhite);
    target.Blt(RECT{0, 0, 2, 2}, source, RECT{0, 0, 2, 2}, DDBLT_WAIT | DDBLT_KEYSRC);
    EXPECT_TRUE(RegionIs(target, RECT{0, 0, 2, 2}, kColorKey));
}

TEST(SurfaceBlit, ClippedAtEveryEdgeAndWhollyOutside) {
    const DirectDrawSurface7 source = KeyedSource();
    struct Case {
        int x, y;
        int expectedRed;  // red pixels that land on the 6 × 6 target
    };
    // The red centre covers source pixels (1..2, 1..2).
    const Case cases[] = {
        {1, 1, 4},   {-2, 1, 2}, {1, -2, 2}, {4, 1, 2}, {1, 4, 2},
        {-2, -2, 1}, {4, 4, 1},  {-4, 1, 0}, {6, 1, 0}, {1, 60, 0},
    };
    for (const Case& c : cases) {
        DirectDrawSurface7 target(6, 6);
        target.BltColorFill(RECT{}, kWhite);
        target.Blt(RECT{c.x, c.y, c.x + 4, c.y + 4}, source, RECT{0, 0, 4, 4},
                   DDBLT_WAIT | DDBLT_KEYSRC);
        EXPECT_EQ(CountColor(target, RECT{0, 0, 6, 6}, kRed), c.expectedRed)
            << "at " << c.x << ", " << c.y;
        EXPECT_EQ(CountColor(target, RECT{0, 0, 6, 6}, kWhite), 36 - c.expectedRed);
    }
}

TEST(SurfaceView, DrawsIntoItsAreaOfTheWholeAndNothingBeyond) {
    const DirectDrawSurface7 source = KeyedSource();
    // Areas inside, reaching past the right and bottom edges, and starting above the left one.
    for (const RECT area : {RECT{2, 3, 7, 8}, RECT{6, 6, 20, 20}, RECT{-3, -3, 4, 4}}) {
        DirectDrawSurface7 whole(10, 10);
        whole.BltColorFill(RECT{}, kWhite);
        DirectDrawSurface7 view(DirectDrawSurface7::View{}, whole, area);
        const RECT cut{std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, 10),
                       std::min(area.Bottom, 10)};
        EXPECT_EQ(view.Width(), cut.Width());
        EXPECT_EQ(view.Height(), cut.Height());
        // A fill of the whole view, a box and a keyed blit, each reaching past the view.
        view.BltColorFill(RECT{}, RGB(0, 0, 255));
        view.SetFillColor(RGB(0, 255, 0));
        view.SetForeColor(RGB(0, 255, 0));
        view.DrawBox(-5, -5, 2, 30);
        view.Blt(RECT{view.Width() - 2, -1, view.Width() + 2, 3}, source, RECT{0, 0, 4, 4},
                 DDBLT_WAIT | DDBLT_KEYSRC);
        EXPECT_EQ(CountColor(whole, RECT{0, 0, 10, 10}, kWhite), 100 - cut.Width() * cut.Height());
        EXPECT_EQ(whole.Pixel(cut.Left, cut.Top), 0x00FF00u);
        EXPECT_EQ(whole.Pixel(cut.Right - 1, cut.Bottom - 1), 0x0000FFu);
        EXPECT_EQ(whole.Pixel(cut.Right - 1, cut.Top), kRed);
        EXPECT_EQ(view.Pixel(view.Width() - 1, 0), kRed);
        EXPECT_EQ(view.ToBitmap().At(view.Width() - 1, view.Height() - 1), 0x0000FFu);
    }
}

TEST(SurfaceBlit, OntoABackgroundTheKeyTakesTheBackgroundColour) {
    const DirectDrawSurface7 source = KeyedSource();
    DirectDrawSurface7 target(4, 4);
    target.BltColorFill(RECT{}, kWhite);
    target.Blt(RECT{0, 0, 4, 4}, source, RECT{0, 0, 4, 4}, DDBLT_WAIT | DDBLT_KEYSRC,
               RGB(0, 0, 255));
    EXPECT_EQ(CountColor(target, RECT{0, 0, 4, 4}, 0x0000FF), 12);
    EXPECT_EQ(CountColor(target, RECT{0, 0, 4, 4}, kRed), 4);
}

TEST(SurfaceBlit, SourceRectangleOutsideTheSourceIsClipped) {
    const DirectDrawSurface7 source = KeyedSource();
    DirectDrawSurface7 target(4, 4);
    target.BltColorFill(RECT{}, kWhite);
    // A source rectangle reaching past the source's right and bottom copies only what exists.
    target.Blt(RECT{0, 0, 4, 4}, source, RECT{2, 2, 6, 6}, DDBLT_WAIT);
    EXPECT_EQ(target.Pixel(0, 0), kRed);
    EXPECT_EQ(target.Pixel(1, 1), kColorKey);
    EXPECT_TRUE(RegionIs(target, RECT{2, 0, 4, 4}, kWhite));
    EXPECT_TRUE(RegionIs(target, RECT{0, 2, 4, 4}, kWhite));
}

TEST(SurfaceFill, ZeroRectangleFillsTheWholeSurfaceAndOthersAreClipped) {
    DirectDrawSurface7 surface(5, 3);
    surface.BltColorFill(RECT{}, RGB(0, 0, 255));
    EXPECT_TRUE(RegionIs(surface, RECT{0, 0, 5, 3}, 0x0000FF));
    surface.BltColorFill(RECT{-3, 1, 2, 9}, RGB(255, 0, 0));
    EXPECT_EQ(CountColor(surface, RECT{0, 0, 5, 3}, kRed), 4);
    EXPECT_TRUE(RegionIs(surface, RECT{0, 1, 2, 3}, kRed));
}

TEST(SurfaceBox, RightAndBottomAreExclusiveWithOutlineAndInterior) {
    DirectDrawSurface7 surface(8, 8);
    surface.BltColorFill(RECT{}, kWhite);
    surface.SetForeColor(RGB(255, 0, 0));
    surface.SetFillColor(RGB(0, 0, 255));
    surface.DrawBox(1, 2, 6, 7);
    // Columns 1..5, rows 2..6; the outline one pixel wide, the interior 3 × 3.
    EXPECT_EQ(CountColor(surface, RECT{0, 0, 8, 8}, kRed), 5 * 5 - 3 * 3);
    EXPECT_TRUE(RegionIs(surface, RECT{2, 3, 5, 6}, 0x0000FF));
    EXPECT_TRUE(RegionIs(surface, RECT{6, 0, 8, 8}, kWhite));
    EXPECT_TRUE(RegionIs(surface, RECT{0, 7, 8, 8}, kWhite));
    EXPECT_TRUE(RegionIs(surface, RECT{0, 0, 8, 2}, kWhite));
}

TEST(SurfaceBox, BoxesReachingPastTheEdgesAreClipped) {
    DirectDrawSurface7 surface(4, 4);
    surface.BltColorFill(RECT{}, kWhite);
    surface.SetForeColor(RGB(255, 0, 0));
    surface.SetFillColor(RGB(255, 0, 0));
    surface.DrawBox(-10, -10, 2, 100);
    EXPECT_TRUE(RegionIs(surface, RECT{0, 0, 2, 4}, kRed));
    EXPECT_TRUE(RegionIs(surface, RECT{2, 0, 4, 4}, kWhite));
    surface.DrawBox(3, 3, 3, 9);  // empty: x2 == x1
    EXPECT_EQ(surface.Pixel(3, 3), kWhite);

    // Wholly right of or below the surface (a stale hover look of a minimised window): nothing.
    surface.DrawBox(10, 0, 12, 4);
    surface.DrawBox(0, 10, 4, 12);
    surface.BltColorFill(RECT{4, 3, 9, 4}, RGB(0, 0, 255));
    EXPECT_TRUE(RegionIs(surface, RECT{2, 0, 4, 4}, kWhite));
    EXPECT_TRUE(RegionIs(surface, RECT{0, 0, 2, 4}, kRed));
}

TEST(SurfaceLayer, ColorKeyIsExactMagentaAndSurfacesHaveTheirSize) {
    EXPECT_EQ(gDirectDraw.getColorKey(), 0xFF00FFu);
    SurfacePtr surface = gDirectDraw.CreateSurface(7, 3);
    EXPECT_EQ(gDirectDraw.getSurfaceRect(*surface), (RECT{0, 0, 7, 3}));
    EXPECT_FALSE(surface->HasColorKey());
    gDirectDraw.setColorKey(*surface);
    EXPECT_TRUE(surface->HasColorKey());
    EXPECT_EQ(surface->ColorKey(), gDirectDraw.getColorKey());
}

TEST(SurfaceLayer, LoadingMissingFilesGivesNothingAndKeepsTheSizes) {
    test::FixtureSkin skin;
    int width = 11, height = 22;
    SurfaceResult missing =
        gDirectDraw.CreateSurfaceFromFile(skin.Path("nothing.bmp"), true, &width, &height);
    ASSERT_TRUE(missing);
    EXPECT_EQ(*missing, nullptr);
    EXPECT_EQ(width, 11);
    EXPECT_EQ(height, 22);
    SurfaceResult empty = gDirectDraw.CreateSurfaceFromFile("", true, &width, &height);
    ASSERT_TRUE(empty);
    EXPECT_EQ(*empty, nullptr);

    std::filesystem::create_directories(skin.Path("folder.bmp"));
    SurfaceResult folder = gDirectDraw.CreateSurfaceFromFile(skin.Path("folder.bmp"), true);
    ASSERT_TRUE(folder) << "a folder is not a bitmap file: it is left out, not an error";
    EXPECT_EQ(*folder, nullptr);
}

TEST(SurfaceLayer, LoadedBitmapsKeepTheirOwnSizeAndKeyOnlyWhenAsked) {
    test::FixtureSkin skin;
    skin.Solid("one.bmp", 1, 1, kColorKey);
    skin.Solid("odd.bmp", 13, 5, 0x123456);
    int width = 0, height = 0;
    SurfaceResult one =
        gDirectDraw.CreateSurfaceFromFile(skin.Path("one.bmp"), false, &width, &height);
    ASSERT_TRUE(one && *one);
    EXPECT_EQ(gDirectDraw.getSurfaceRect(**one), (RECT{0, 0, 1, 1}));
    EXPECT_EQ(width, 1);
    EXPECT_FALSE((*one)->HasColorKey());

    DirectDrawSurface7 target(1, 1);
    target.BltColorFill(RECT{}, kWhite);
    target.Blt(RECT{0, 0, 1, 1}, **one, RECT{0, 0, 1, 1}, DDBLT_WAIT | DDBLT_KEYSRC);
    EXPECT_EQ(target.Pixel(0, 0), kColorKey) << "loaded without key: magenta is copied";

    SurfaceResult odd =
        gDirectDraw.CreateSurfaceFromFile(skin.Path("odd.bmp"), true, &width, &height);
    ASSERT_TRUE(odd && *odd);
    EXPECT_EQ(width, 13);
    EXPECT_EQ(height, 5);
    EXPECT_TRUE((*odd)->HasColorKey());
    EXPECT_EQ((*odd)->Pixel(12, 4), 0x123456u);
}

TEST(SurfaceLayer, UnreadableBitmapIsAnErrorNamingTheFile) {
    test::FixtureSkin skin;
    skin.WriteBytes("basic_interface\\broken.bmp", {'B', 'M', 0, 0});
    SurfaceResult broken =
        gDirectDraw.CreateSurfaceFromFile(skin.Path("basic_interface\\broken.bmp"), true);
    ASSERT_FALSE(broken);
    EXPECT_NE(broken.error().message.find("broken.bmp"), std::string::npos)
        << broken.error().message;
}

// Every redraw loads every piece again, so a piece that declares a huge picture costs it each
// time: skin pictures larger than any skin uses are errors naming the file, colour chip included.
TEST(SurfaceLayer, SkinPicturesOverTheSkinLimitAreErrorsNamingTheFile) {
    test::FixtureSkin skin;
    skin.Solid("wide.bmp", kMaxSkinPictureDimension + 1, 1, kWhite);
    skin.Solid("colorchip.bmp", 1, kMaxSkinPictureDimension + 1, kWhite);
    skin.Solid("largest.bmp", kMaxSkinPictureDimension, 1, kWhite);

    SurfaceResult wide = gDirectDraw.CreateSurfaceFromFile(skin.Path("wide.bmp"), true);
    ASSERT_FALSE(wide);
    EXPECT_EQ(wide.error().message,
              skin.Path("wide.bmp").string() + ": width of 4097 pixels exceeds the limit of 4096");
    Result<ColorChip> chip = mdlMain::LoadColorChip(skin.Dir());
    ASSERT_FALSE(chip);
    EXPECT_EQ(chip.error().message, skin.Path("colorchip.bmp").string() +
                                        ": height of 4097 pixels exceeds the limit of 4096");
    SurfaceResult largest = gDirectDraw.CreateSurfaceFromFile(skin.Path("largest.bmp"), true);
    ASSERT_TRUE(largest && *largest);
}

#ifndef _WIN32
// A pipe where a piece or the colour chip should be is never waited on: a window with such
// pieces is drawn without them.
TEST(SurfaceLayer, PipesInPlaceOfBitmapsAreNotWaitedOn) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\sys_base_off.bmp", 10, 10, kRed);
    test::MakeFifo(skin.Path("basic_interface\\basewin_bg.bmp"));
    test::MakeFifo(skin.Path("colorchip.bmp"));

    MemoryPreviewPane pane(400, 200, RGB(0, 0, 255));
    clsSkinMng manager(kWindowSlots);
    Result<void> drawn = Failure("not drawn");
    ASSERT_TRUE(test::ReturnsWithoutWaitingOn(skin.Path("basic_interface\\basewin_bg.bmp"), [&] {
        manager.ClassInitialize(pane, skin.Dir());
        drawn = manager.Refresh(2);
    }));
    ASSERT_TRUE(drawn) << drawn.error().message;
    ASSERT_NE(manager.LastPicture(), nullptr);
    EXPECT_EQ(manager.LastPicture()->Pixel(3, 3), kRed);
    SurfaceResult piece = Failure("not loaded");
    ASSERT_TRUE(test::ReturnsWithoutWaitingOn(skin.Path("colorchip.bmp"), [&] {
        piece = gDirectDraw.CreateSurfaceFromFile(skin.Path("colorchip.bmp"), true);
    }));
    ASSERT_TRUE(piece);
    EXPECT_EQ(*piece, nullptr);
}
#endif

}  // namespace
}  // namespace morvish
