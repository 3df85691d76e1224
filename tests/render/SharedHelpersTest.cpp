#include <gtest/gtest.h>

#include "render/mdlMain.h"
#include "support/FixtureSkin.h"

namespace morvish {
namespace {

using mdlMain::DrawScrollBar;
using mdlMain::DrawSystemBox;
using mdlMain::IsPointInRect;
using mdlMain::LoadColorChip;
using test::RegionIs;

constexpr std::uint32_t kTrack = 0x808080;
constexpr std::uint32_t kUp = 0xFF0000;
constexpr std::uint32_t kDown = 0x00FF00;
constexpr std::uint32_t kThumbUp = 0x0000FF;
constexpr std::uint32_t kThumbBody = 0xFFFF00;
constexpr std::uint32_t kThumbDown = 0x00FFFF;

TEST(PointInRect, AllFourEdgesAreInside) {
    const RECT rect{10, 10, 20, 20};
    EXPECT_TRUE(IsPointInRect(rect, 20, 20));
    EXPECT_TRUE(IsPointInRect(rect, 10, 10));
    EXPECT_TRUE(IsPointInRect(rect, 15, 20));
    EXPECT_FALSE(IsPointInRect(rect, 21, 20));
    EXPECT_FALSE(IsPointInRect(rect, 9, 15));
    EXPECT_FALSE(IsPointInRect(rect, 15, 21));
    EXPECT_FALSE(IsPointInRect(rect, 15, 9));
    EXPECT_FALSE(IsPointInRect(RECT{}, 1, 0));
    EXPECT_TRUE(IsPointInRect(RECT{}, 0, 0));
}

TEST(SkinFonts, OnlyKindsOneAndTwoHaveAFont) {
    EXPECT_EQ(mdlMain::GetSkinFont(0, 9), nullptr);
    EXPECT_EQ(mdlMain::GetSkinFont(3, 9), nullptr);
}

// Writes the vertical scroll bar pieces as one-pixel-high strips, so that what lies below each
// piece stays visible and every piece's place can be read off single rows.
void WriteVerticalStrips(test::FixtureSkin& skin) {
    skin.Solid("scroll0mid.bmp", 13, 13, kTrack);
    skin.Solid("scroll0up.bmp", 13, 1, kUp);
    skin.Solid("scroll0down.bmp", 13, 1, kDown);
    skin.Solid("scroll0bar_up.bmp", 13, 1, kThumbUp);
    skin.Solid("scroll0bar_mid.bmp", 13, 1, kThumbBody);
    skin.Solid("scroll0bar_down.bmp", 13, 1, kThumbDown);
}

TEST(ScrollBar, ShortestVerticalBarHasOneTrackTileBetweenTheArrows) {
    test::FixtureSkin skin;
    WriteVerticalStrips(skin);
    skin.Remove("scroll0bar_up.bmp");
    skin.Remove("scroll0bar_mid.bmp");
    skin.Remove("scroll0bar_down.bmp");
    SurfaceResult bar = DrawScrollBar(skin.Dir(), 1, 0, 13, 0, 0, true);
    ASSERT_TRUE(bar && *bar);
    const DirectDrawSurface7& s = **bar;
    ASSERT_EQ(s.Width(), 13);
    ASSERT_EQ(s.Height(), 26);
    EXPECT_TRUE(s.HasColorKey());
    EXPECT_TRUE(RegionIs(s, RECT{0, 0, 13, 1}, kUp));
    EXPECT_TRUE(RegionIs(s, RECT{0, 1, 13, 13}, kTrack)) << "the one track tile at y 1";
    EXPECT_TRUE(RegionIs(s, RECT{0, 13, 13, 14}, kDown));
    EXPECT_TRUE(RegionIs(s, RECT{0, 14, 13, 26}, kColorKey)) << "unpainted stays transparent";
}

TEST(ScrollBar, TrackTilesFromTwelveInStepsOfThirteenAndOneEndingAtTheFarArrow) {
    test::FixtureSkin skin;
    // A track piece marked in its first row shows where every tile starts.
    Bitmap track = test::SolidBitmap(13, 13, kTrack);
    for (int x = 0; x < 13; ++x) track.pixels[std::size_t(x)] = 0x101010;
    skin.Write("scroll0mid.bmp", track);
    SurfaceResult bar = DrawScrollBar(skin.Dir(), 1, 100, 160, 0, 0, true);
    ASSERT_TRUE(bar && *bar);
    const DirectDrawSurface7& s = **bar;
    ASSERT_EQ(s.Height(), 73);
    // n = (60 - 13) \ 13 = 3 tiles at 12, 25, 38, and the last one at 60 - 12 = 48.
    std::vector<int> starts;
    for (int y = 0; y < s.Height(); ++y) {
        if (s.Pixel(0, y) == 0x101010) starts.push_back(y);
    }
    EXPECT_EQ(starts, (std::vector<int>{12, 25, 38, 48}));
    EXPECT_TRUE(RegionIs(s, RECT{0, 0, 13, 12}, kColorKey)) << "no up arrow in this skin";
}

TEST(ScrollBar, ThumbBodyTilesEveryFourPixelsBetweenItsEnds) {
    test::FixtureSkin skin;
    WriteVerticalStrips(skin);
    SurfaceResult oneTile = DrawScrollBar(skin.Dir(), 1, 10, 62, 20, 24, false);
    ASSERT_TRUE(oneTile && *oneTile);
    const DirectDrawSurface7& s = **oneTile;
    // Thumb at 10 (relative to BarFrom); its one body tile at 14 lies under the bottom cap.
    EXPECT_TRUE(RegionIs(s, RECT{0, 10, 13, 11}, kThumbUp));
    EXPECT_TRUE(RegionIs(s, RECT{0, 14, 13, 15}, kThumbDown));
    EXPECT_TRUE(RegionIs(s, RECT{0, 12, 13, 14}, kTrack));
    EXPECT_TRUE(RegionIs(s, RECT{0, 1, 13, 10}, kColorKey)) << "the track starts at 12";

    SurfaceResult longer = DrawScrollBar(skin.Dir(), 1, 10, 62, 20, 32, false);
    ASSERT_TRUE(longer && *longer);
    // m = (32 - 24) \ 4 + 1 = 3 body tiles at 14, 18 and 22, the last under the bottom cap.
    EXPECT_EQ((*longer)->Pixel(5, 14), kThumbBody);
    EXPECT_EQ((*longer)->Pixel(5, 18), kThumbBody);
    EXPECT_EQ((*longer)->Pixel(5, 22), kThumbDown);
    EXPECT_EQ((*longer)->Pixel(5, 26), kTrack);

    SurfaceResult bare = DrawScrollBar(skin.Dir(), 1, 10, 62, 20, 32, true);
    ASSERT_TRUE(bare && *bare);
    EXPECT_EQ((*bare)->Pixel(5, 14), kTrack);
    EXPECT_EQ((*bare)->Pixel(5, 18), kTrack);
    EXPECT_EQ((*bare)->Pixel(5, 10), kThumbUp);
    EXPECT_EQ((*bare)->Pixel(5, 22), kThumbDown);
}

TEST(ScrollBar, HorizontalBarUsesItsOwnPiecesAlongX) {
    test::FixtureSkin skin;
    skin.Solid("scroll1mid.bmp", 13, 13, kTrack);
    skin.Solid("scroll1left.bmp", 1, 13, kUp);
    skin.Solid("scroll1right.bmp", 1, 13, kDown);
    skin.Solid("scroll1bar_left.bmp", 1, 13, kThumbUp);
    skin.Solid("scroll1bar_mid.bmp", 1, 13, kThumbBody);
    skin.Solid("scroll1bar_right.bmp", 1, 13, kThumbDown);
    WriteVerticalStrips(skin);  // must not be used
    SurfaceResult bar = DrawScrollBar(skin.Dir(), 2, 72, 222, 185, 189, true);
    ASSERT_TRUE(bar && *bar);
    const DirectDrawSurface7& s = **bar;
    ASSERT_EQ(s.Width(), 163);
    ASSERT_EQ(s.Height(), 13);
    EXPECT_TRUE(RegionIs(s, RECT{0, 0, 1, 13}, kUp));
    EXPECT_TRUE(RegionIs(s, RECT{150, 0, 151, 13}, kDown));
    EXPECT_TRUE(RegionIs(s, RECT{113, 0, 114, 13}, kThumbUp));
    EXPECT_TRUE(RegionIs(s, RECT{117, 0, 118, 13}, kThumbDown));
    EXPECT_TRUE(RegionIs(s, RECT{114, 0, 117, 13}, kTrack));
    EXPECT_TRUE(RegionIs(s, RECT{151, 0, 163, 13}, kColorKey));
}

// The pieces' names are joined to the folder of the skin drawn last: a bar of another skin, and
// then of the first again, must each be drawn from its own skin's pieces.
TEST(ScrollBar, BarsOfTwoSkinsInTurnEachUseTheirOwnPieces) {
    test::FixtureSkin first, second;
    WriteVerticalStrips(first);
    second.Solid("scroll0mid.bmp", 13, 13, kThumbBody);
    second.Solid("scroll0up.bmp", 13, 1, kDown);
    for (int round = 0; round < 2; ++round) {
        SurfaceResult one = DrawScrollBar(first.Dir(), 1, 0, 26, 5, 8, true);
        SurfaceResult two = DrawScrollBar(second.Dir(), 1, 0, 26, 5, 8, true);
        ASSERT_TRUE(one && *one && two && *two);
        EXPECT_TRUE(RegionIs(**one, RECT{0, 0, 13, 1}, kUp));
        EXPECT_TRUE(RegionIs(**one, RECT{0, 12, 13, 25}, kTrack));
        EXPECT_TRUE(RegionIs(**two, RECT{0, 0, 13, 1}, kDown));
        EXPECT_TRUE(RegionIs(**two, RECT{0, 12, 13, 25}, kThumbBody));
        // The second skin has no down arrow: its track shows where the first's arrow lies.
        EXPECT_TRUE(RegionIs(**two, RECT{0, 26, 13, 27}, kThumbBody));
        EXPECT_TRUE(RegionIs(**one, RECT{0, 26, 13, 27}, kDown));
    }
}

TEST(ScrollBar, UnreadablePieceIsAnErrorNamingIt) {
    test::FixtureSkin skin;
    WriteVerticalStrips(skin);
    skin.WriteBytes("scroll0down.bmp", {'B', 'M'});
    SurfaceResult bar = DrawScrollBar(skin.Dir(), 1, 0, 26, 0, 4, false);
    ASSERT_FALSE(bar);
    EXPECT_NE(bar.error().message.find("scroll0down.bmp"), std::string::npos);
}

// System box pieces 14 × 14, each its own colour; the top and bottom edge tiles carry a marker
// in their first column so every tile's start can be counted.
constexpr std::uint32_t kMarker = 0x010101;
const std::pair<const char*, std::uint32_t> kBoxPieces[] = {
    {"lu", 0x100000}, {"ru", 0x200000}, {"mu", 0x300000}, {"lm", 0x400000}, {"bg", 0x500000},
    {"rm", 0x600000}, {"ld", 0x700000}, {"rd", 0x800000}, {"md", 0x900000}};

std::uint32_t BoxColor(const char* name) {
    for (const auto& [piece, color] : kBoxPieces) {
        if (std::string_view(piece) == name) return color;
    }
    return 0;
}

void WriteBoxPieces(test::FixtureSkin& skin) {
    for (const auto& [name, color] : kBoxPieces) {
        Bitmap piece = test::SolidBitmap(14, 14, color);
        if (std::string_view(name) == "mu" || std::string_view(name) == "md") {
            for (int y = 0; y < 14; ++y) piece.pixels[std::size_t(y) * 14] = kMarker;
        }
        skin.Write(std::string("sysbox_") + name + ".bmp", piece);
    }
}

std::vector<int> MarkerColumns(const DirectDrawSurface7& s, int y) {
    std::vector<int> columns;
    for (int x = 0; x < s.Width(); ++x) {
        if (s.Pixel(x, y) == kMarker) columns.push_back(x);
    }
    return columns;
}

TEST(SystemBox, NarrowEdgesStepTwelveAndOverlapTheCorners) {
    test::FixtureSkin skin;
    WriteBoxPieces(skin);
    SurfaceResult box = DrawSystemBox(skin.Dir(), 0, 0, 140, 28, false, false);
    ASSERT_TRUE(box && *box);
    const DirectDrawSurface7& s = **box;
    ASSERT_EQ(s.Width(), 140);
    ASSERT_EQ(s.Height(), 28);
    EXPECT_TRUE(s.HasColorKey());
    const std::vector<int> tiles{12, 24, 36, 48, 60, 72, 84, 96, 108, 120};
    EXPECT_EQ(MarkerColumns(s, 0), tiles);
    EXPECT_EQ(MarkerColumns(s, 27), tiles);
    EXPECT_EQ(s.Pixel(11, 0), BoxColor("lu"));
    EXPECT_EQ(s.Pixel(133, 0), BoxColor("mu")) << "the last edge tile covers part of the corner";
    EXPECT_EQ(s.Pixel(134, 0), BoxColor("ru"));
    EXPECT_EQ(s.Pixel(0, 14), BoxColor("ld"));
    EXPECT_EQ(s.Pixel(139, 27), BoxColor("rd"));
    // count(28, 14) = 0: no side tiles, no background.
    for (int y = 0; y < 28; ++y) {
        EXPECT_NE(s.Pixel(0, y), BoxColor("lm"));
        EXPECT_NE(s.Pixel(139, y), BoxColor("rm"));
    }
}

TEST(SystemBox, WideEdgesStepFourteenWithSidesAndOptionalBackground) {
    test::FixtureSkin skin;
    WriteBoxPieces(skin);
    SurfaceResult box = DrawSystemBox(skin.Dir(), 470, 29, 610, 83, true, false);
    ASSERT_TRUE(box && *box);
    const DirectDrawSurface7& s = **box;
    ASSERT_EQ(s.Width(), 140);
    ASSERT_EQ(s.Height(), 54);
    EXPECT_EQ(MarkerColumns(s, 0), (std::vector<int>{14, 28, 42, 56, 70, 84, 98, 112}));
    EXPECT_EQ(s.Pixel(126, 0), BoxColor("ru"));
    // Side tiles at y 14 and 28; the bottom corners at 40 cover the lower one's last rows.
    EXPECT_TRUE(RegionIs(s, RECT{0, 14, 14, 40}, BoxColor("lm")));
    EXPECT_TRUE(RegionIs(s, RECT{126, 14, 140, 40}, BoxColor("rm")));
    EXPECT_TRUE(RegionIs(s, RECT{0, 40, 14, 54}, BoxColor("ld")));
    EXPECT_TRUE(RegionIs(s, RECT{14, 14, 126, 40}, kColorKey)) << "inside stays transparent";

    SurfaceResult filled = DrawSystemBox(skin.Dir(), 0, 0, 140, 54, true, true);
    ASSERT_TRUE(filled && *filled);
    EXPECT_TRUE(RegionIs(**filled, RECT{14, 14, 126, 40}, BoxColor("bg")));
}

TEST(SystemBox, WithoutPiecesTheBoxIsWhollyTransparent) {
    test::FixtureSkin skin;
    SurfaceResult box = DrawSystemBox(skin.Dir(), 0, 0, 140, 54, true, true);
    ASSERT_TRUE(box && *box);
    EXPECT_TRUE(RegionIs(**box, RECT{0, 0, 140, 54}, kColorKey));
}

TEST(ColorChip, CellsAreReadAsAGridOfFourPixelSquaresEightToARow) {
    test::FixtureSkin skin;
    Bitmap chip = test::SolidBitmap(32, 8, 0);
    for (int k = 1; k <= 14; ++k) {
        const int cellX = ((k - 1) % 8) * 4, cellY = ((k - 1) / 8) * 4;
        for (int y = cellY; y < cellY + 4; ++y) {
            for (int x = cellX; x < cellX + 4; ++x) {
                chip.pixels[std::size_t(y) * 32 + std::size_t(x)] = std::uint32_t(k) << 16 | 0x80;
            }
        }
    }
    skin.Write("colorchip.bmp", chip);
    Result<ColorChip> colors = LoadColorChip(skin.Dir());
    ASSERT_TRUE(colors);
    EXPECT_EQ((*colors)[0], 0u);
    for (int k = 1; k <= 14; ++k) {
        // The chip holds form colours: red in the low byte.
        EXPECT_EQ((*colors)[std::size_t(k)], RGB(std::uint8_t(k), 0, 0x80)) << k;
    }
}

TEST(ColorChip, MissingSmallOrUnreadableChips) {
    test::FixtureSkin skin;
    Result<ColorChip> none = LoadColorChip(skin.Dir());
    ASSERT_TRUE(none);
    EXPECT_EQ(*none, ColorChip{});

    // Cells that lie outside a smaller chip read as black.
    skin.Solid("colorchip.bmp", 9, 3, 0x00FF00);
    Result<ColorChip> small = LoadColorChip(skin.Dir());
    ASSERT_TRUE(small);
    EXPECT_EQ((*small)[1], RGB(0, 255, 0));
    EXPECT_EQ((*small)[3], RGB(0, 255, 0));  // x 8
    EXPECT_EQ((*small)[4], 0u);              // x 12
    EXPECT_EQ((*small)[9], 0u);              // y 4

    skin.WriteBytes("colorchip.bmp", {'x'});
    Result<ColorChip> broken = LoadColorChip(skin.Dir());
    ASSERT_FALSE(broken);
    EXPECT_NE(broken.error().message.find("colorchip.bmp"), std::string::npos);
}

}  // namespace
}  // namespace morvish
