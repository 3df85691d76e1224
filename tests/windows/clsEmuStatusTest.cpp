#include "windows/clsEmuStatus.h"

#include <gtest/gtest.h>

#include "render/DirectDrawSurface7.h"
#include "render/mdlMain.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"

namespace morvish {
namespace {

using test::ChangedRect;
using test::CountColor;
using test::FixtureSkin;
using test::PictureOf;
using test::RegionIs;
using test::ReturnsNothing;

// Pixel colours (0x00RRGGBB) of the fixture skin.
constexpr std::uint32_t kPaneColor = test::kFixturePaneColor;
constexpr std::uint32_t kTitleBar = 0x5070D0;
constexpr std::uint32_t kButtonOff[] = {0x101080, 0x108010, 0x801010};
constexpr std::uint32_t kButtonOn[] = {0x1010F0, 0x10F010, 0xF01010};
constexpr std::uint32_t kPage0 = 0xE0E0D0;
constexpr std::uint32_t kPage1 = 0xD0E0E0;
constexpr std::uint32_t kArrow = 0xC00000;

const char* const kButtonNames[] = {"base", "mini", "close"};
constexpr RECT kButtons[] = {{3, 3, 14, 14}, {252, 3, 263, 14}, {266, 3, 277, 14}};

std::string Piece(const std::string& name) {
    return "basic_interface\\" + name + ".bmp";
}

class StatusWindow : public test::WindowFixture<clsEmuStatus> {
  protected:
    void SetUp() override {
        skin.Solid(Piece("titlebar_fix"), 280, 17, kTitleBar);
        for (int k = 0; k < 3; ++k) {
            skin.Solid(Piece(std::string("sys_") + kButtonNames[k] + "_off"), 11, 11,
                       kButtonOff[k]);
            skin.Solid(Piece(std::string("sys_") + kButtonNames[k] + "_on"), 11, 11, kButtonOn[k]);
        }
        skin.Solid(Piece("statwin0_bg"), 280, 103, kPage0);
        skin.Solid(Piece("statwin1_bg"), 280, 103, kPage1);
        // An arrow whose right half is magenta.
        Bitmap arrow = test::SolidBitmap(10, 9, kArrow);
        for (int y = 0; y < 9; ++y) {
            for (int x = 5; x < 10; ++x) arrow.pixels[std::size_t(y * 10 + x)] = kColorKey;
        }
        skin.Write(Piece("arw_right"), arrow);
        Initialize();
    }
};

TEST_F(StatusWindow, FirstPageWithArrowsAndFigures) {
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 120}));
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Height(), 120);
    EXPECT_TRUE(RegionIs(*picture, RECT{100, 0, 250, 2}, kTitleBar));
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(RegionIs(*picture, kButtons[k], kButtonOff[k]));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 17, 50, 120}, kPage0));
    // Two arrows 32 pixels apart; their magenta halves let the page show.
    for (int top : {71, 103}) {
        EXPECT_TRUE(RegionIs(*picture, RECT{88, top, 93, top + 9}, kArrow)) << top;
        EXPECT_TRUE(RegionIs(*picture, RECT{93, top, 98, top + 9}, kPage0)) << top;
    }
    EXPECT_EQ(CountColor(*picture, RECT{0, 0, 280, 120}, kArrow), 2 * 5 * 9);
    if (mdlMain::GetSkinFont(2, 8) != nullptr) {
        EXPECT_GT(CountColor(*picture, RECT{54, 22, 70, 34}, 0x000000), 0);
        EXPECT_GT(CountColor(*picture, RECT{267, 85, 280, 97}, 0x000000), 0);
    }
}

TEST_F(StatusWindow, TabsSwitchWithAnyButtonAndOnlyToTheOtherPage) {
    Draw();
    // The tab of the page shown does nothing.
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 10, 30)));
    for (int button : {1, 2, 4}) {
        SurfacePtr second = PictureOf(window.MouseDown(button, 10, 50));
        ASSERT_TRUE(second) << button;
        // Page 1 has only its background: no arrows, no figures.
        EXPECT_TRUE(RegionIs(*second, RECT{0, 17, 280, 120}, kPage1)) << button;
        EXPECT_TRUE(ReturnsNothing(window.MouseDown(button, 10, 50)));
        SurfacePtr first = PictureOf(window.MouseDown(button, 10, 30));
        ASSERT_TRUE(first);
        EXPECT_TRUE(RegionIs(*first, RECT{88, 71, 93, 80}, kArrow));
    }
}

TEST_F(StatusWindow, TabEdgesDoNotOverlap) {
    Draw();
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 18, 42)));  // still page 0's own tab
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 19, 50)));  // just right of page 1's tab
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 10, 68)));  // just below it
    ASSERT_TRUE(PictureOf(window.MouseDown(1, 18, 43)));       // page 1's tab, top right corner
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 5, 43)));
    ASSERT_TRUE(PictureOf(window.MouseDown(1, 5, 42)));  // page 0's tab, bottom left corner
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 5, 18)));
}

TEST_F(StatusWindow, MinimiseWithTheLeftButtonKeepsThePageAndTheTabs) {
    Draw();
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(2, 255, 5)));
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(4, 255, 5)));
    EXPECT_EQ(window.getDrawRect().Bottom, 120);

    SurfacePtr bar = PictureOf(window.MouseDown(1, 255, 5));
    ASSERT_TRUE(bar);
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 17}));
    EXPECT_EQ(bar->Height(), 17);
    EXPECT_TRUE(RegionIs(*bar, kButtons[1], kButtonOff[1]));

    // The tabs still answer below the bar; the page chosen shows once restored.
    EXPECT_TRUE(PictureOf(window.MouseDown(2, 10, 50)));
    EXPECT_EQ(window.getDrawRect().Bottom, 17);
    SurfacePtr restored = PictureOf(window.MouseDown(1, 263, 14));  // the inclusive corner
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->Height(), 120);
    EXPECT_TRUE(RegionIs(*restored, RECT{0, 17, 280, 120}, kPage1));
}

TEST_F(StatusWindow, ButtonsLightWhateverButtonIsHeld) {
    Draw();
    for (int button : {0, 1, 2, 4}) {
        for (int k = 0; k < 3; ++k) {
            const RECT place = kButtons[k];
            SurfacePtr lit = PictureOf(window.MouseMove(button, place.Left + 2, place.Top + 2));
            ASSERT_TRUE(lit);
            EXPECT_TRUE(RegionIs(*lit, place, kButtonOn[k]));
            EXPECT_EQ(Lit(window.MouseMove(button, place.Right, place.Bottom)), place);
        }
    }
    EXPECT_EQ(Lit(window.MouseMove(0, 264, 5)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(0, 150, 60)), std::nullopt);
    // Presses on the system and close buttons change nothing.
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 5, 5)));
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 270, 5)));

    // The minimised bar lights its buttons too.
    ASSERT_TRUE(PictureOf(window.MouseDown(1, 255, 5)));
    EXPECT_EQ(Lit(window.MouseMove(0, 255, 5)), kButtons[1]);
}

TEST_F(StatusWindow, MissingPiecesAreLeftOut) {
    skin.Remove(Piece("arw_right"));
    skin.Remove(Piece("sys_close_on"));
    skin.Remove(Piece("titlebar_fix"));
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_EQ(CountColor(*picture, RECT{0, 0, 280, 120}, kArrow), 0);
    EXPECT_TRUE(RegionIs(*picture, RECT{100, 0, 250, 2}, kPaneColor));
    EXPECT_EQ(Lit(window.MouseMove(0, 270, 5)), std::nullopt);
    if (mdlMain::GetSkinFont(2, 8) != nullptr) {
        EXPECT_GT(CountColor(*picture, RECT{54, 22, 70, 34}, 0x000000), 0);
    }

    // A minimise button that goes away keeps its place; one never drawn has none.
    skin.Remove(Piece("sys_mini_off"));
    ASSERT_TRUE(PictureOf(window.MouseDown(1, 255, 5)));
    EXPECT_EQ(window.getDrawRect().Bottom, 17);
    clsEmuStatus fresh;
    fresh.ClassInitialize(pane, skin.Dir(), ColorChip{});
    ASSERT_TRUE(PictureOf(fresh.Refresh()));
    for (auto [x, y] : {std::pair{255, 5}, std::pair{0, 0}}) {
        EXPECT_TRUE(ReturnsNothing(fresh.MouseDown(1, x, y)));
    }
}

TEST_F(StatusWindow, TitleIsDrawnWithoutAnyBitmap) {
    if (mdlMain::GetSkinFont(1, 9) == nullptr) GTEST_SKIP() << "no Japanese face installed";
    FixtureSkin empty;
    window.ClassInitialize(pane, empty.Dir(), ColorChip{});
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_GT(CountColor(*picture, RECT{16, 3, 90, 17}, 0x000000), 0);
    EXPECT_GT(CountColor(*picture, RECT{17, 4, 91, 17}, 0xFFFFFF), 0);
}

}  // namespace
}  // namespace morvish
