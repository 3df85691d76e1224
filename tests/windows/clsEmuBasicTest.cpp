#include "windows/clsEmuBasic.h"

#include <gtest/gtest.h>

#include "render/DirectDrawSurface7.h"
#include "render/mdlMain.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"

namespace morvish {
namespace {

using test::ChangedRect;
using test::ColorChipPicture;
using test::CountColor;
using test::FixtureSkin;
using test::PictureOf;
using test::RegionIs;
using test::ReturnsNothing;

// Pixel colours (0x00RRGGBB) of the fixture skin's pieces.
constexpr std::uint32_t kPaneColor = test::kFixturePaneColor;
constexpr std::uint32_t kBackground = 0x3050A0;
constexpr std::uint32_t kBar = 0x50A030;
constexpr std::uint32_t kBaseOff = 0x101080;
constexpr std::uint32_t kBaseOn = 0x1010F0;
constexpr std::uint32_t kMiniOff = 0x108010;
constexpr std::uint32_t kMiniOn = 0x10F010;
constexpr std::uint32_t kButtonOff = 0x800000;
constexpr std::uint32_t kButtonOn = 0xF00000;
constexpr std::uint32_t kButtonDis = 0x808080;
constexpr std::uint32_t kGaugeBackground = 0xC0C000;
constexpr std::uint32_t kBlueLeft = 0x0000C0;
constexpr std::uint32_t kBlueRight = 0x0000D0;
constexpr std::uint32_t kRedLeft = 0xC00010;
constexpr std::uint32_t kRedRight = 0xD00010;

constexpr int kButtonWidth = 30;
constexpr int kButtonHeight = 20;

const char* const kMenuButtons[] = {"status", "items", "skill", "comm",
                                    "option", "equip", "map",   "friend"};

bool FontsInstalled() {
    return mdlMain::GetSkinFont(1, 9) != nullptr && mdlMain::GetSkinFont(2, 8) != nullptr;
}

std::string Piece(const std::string& name) {
    return "basic_interface\\" + name + ".bmp";
}

class BasicWindow : public test::WindowFixture<clsEmuBasic> {
  protected:
    void SetUp() override {
        skin.Solid(Piece("basewin_bg"), 280, 120, kBackground);
        skin.Solid(Piece("basewin_mini"), 280, 34, kBar);
        skin.Solid(Piece("sys_base_off"), 10, 10, kBaseOff);
        skin.Solid(Piece("sys_base_on"), 10, 10, kBaseOn);
        skin.Solid(Piece("sys_mini_off"), 11, 11, kMiniOff);
        skin.Solid(Piece("sys_mini_on"), 11, 11, kMiniOn);
        for (const char* button : kMenuButtons) {
            const std::string name = std::string("btn_") + button;
            skin.Solid(Piece(name + "_off"), kButtonWidth, kButtonHeight, kButtonOff);
            skin.Solid(Piece(name + "_on"), kButtonWidth, kButtonHeight, kButtonOn);
            skin.Solid(Piece(name + "_dis"), kButtonWidth, kButtonHeight, kButtonDis);
        }
        skin.Solid(Piece("gze_bg"), 85, 8, kGaugeBackground);
        skin.Solid(Piece("gzeblue_left"), 4, 8, kBlueLeft);
        skin.Solid(Piece("gzeblue_mid"), 1, 8, kColorKey);
        skin.Solid(Piece("gzeblue_right"), 4, 8, kBlueRight);
        skin.Solid(Piece("gzered_left"), 4, 8, kRedLeft);
        skin.Solid(Piece("gzered_mid"), 1, 8, kColorKey);
        skin.Solid(Piece("gzered_right"), 4, 8, kRedRight);
        Initialize();
    }
};

constexpr RECT kStatusButton{207, 22, 237, 42};
constexpr RECT kMinimiseButton{266, 3, 277, 14};

TEST_F(BasicWindow, MinimiseButtonTogglesWithTheLeftButtonOnly) {
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 120}));
    Draw();

    // Neither the right nor the middle button minimises; the right one lights the button.
    EXPECT_EQ(Lit(window.MouseDown(2, 270, 5)), kMinimiseButton);
    EXPECT_EQ(Lit(window.MouseDown(4, 270, 5)), kMinimiseButton);
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 120}));

    SurfacePtr bar = PictureOf(window.MouseDown(1, 270, 5));
    ASSERT_TRUE(bar);
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 34}));
    EXPECT_EQ(bar->Width(), 280);
    EXPECT_EQ(bar->Height(), 34);
    EXPECT_TRUE(RegionIs(*bar, RECT{0, 16, 80, 18}, kBar));
    EXPECT_TRUE(RegionIs(*bar, RECT{3, 3, 13, 13}, kBaseOff));
    EXPECT_TRUE(RegionIs(*bar, kMinimiseButton, kMiniOff));

    SurfacePtr full = PictureOf(window.MouseDown(1, 266 + 11, 3 + 11));  // the inclusive corner
    ASSERT_TRUE(full);
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 120}));
    EXPECT_EQ(full->Height(), 120);
}

TEST_F(BasicWindow, FullWindowPiecesGaugesAndKeying) {
    // The gauge background lets the window background through its magenta half.
    Bitmap gauge = test::SolidBitmap(85, 8, kGaugeBackground);
    for (int y = 4; y < 8; ++y) {
        for (int x = 0; x < 85; ++x) gauge.pixels[std::size_t(y * 85 + x)] = kColorKey;
    }
    skin.Write(Piece("gze_bg"), gauge);
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);

    EXPECT_EQ(picture->Width(), 280);
    EXPECT_EQ(picture->Height(), 120);
    EXPECT_TRUE(RegionIs(*picture, RECT{3, 3, 13, 13}, kBaseOff));
    EXPECT_TRUE(RegionIs(*picture, kMinimiseButton, kMiniOff));
    EXPECT_TRUE(RegionIs(*picture, kStatusButton, kButtonOff));
    EXPECT_TRUE(RegionIs(*picture, RECT{243, 94, 273, 114}, kButtonOff));

    // The gauge background is drawn twice, the second time 21 pixels lower; magenta is clear.
    EXPECT_TRUE(RegionIs(*picture, RECT{130, 47, 195, 51}, kBackground));
    EXPECT_TRUE(RegionIs(*picture, RECT{130, 43, 195, 47}, kGaugeBackground));

    // Gauge ends at their places; the bodies are copied opaque, so their magenta shows:
    // 77 columns from x = 114 to 190 for HP, 12 from 114 to 125 for SP.
    EXPECT_TRUE(RegionIs(*picture, RECT{110, 22, 114, 30}, kBlueLeft));
    EXPECT_TRUE(RegionIs(*picture, RECT{114, 22, 191, 30}, kColorKey));
    EXPECT_TRUE(RegionIs(*picture, RECT{191, 22, 195, 30}, kBlueRight));
    EXPECT_TRUE(RegionIs(*picture, RECT{110, 43, 114, 51}, kRedLeft));
    EXPECT_TRUE(RegionIs(*picture, RECT{114, 43, 126, 51}, kColorKey));
    EXPECT_TRUE(RegionIs(*picture, RECT{126, 43, 130, 51}, kRedRight));
}

TEST_F(BasicWindow, GaugeBodiesCoverTheRightEndsTheyReach) {
    // A body wider than one column is still stepped one pixel at a time, over the right end.
    skin.Solid(Piece("gzeblue_mid"), 3, 8, 0x00FFFF);
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, RECT{114, 22, 193, 30}, 0x00FFFF));
    EXPECT_TRUE(RegionIs(*picture, RECT{193, 22, 195, 30}, kBlueRight));
}

TEST_F(BasicWindow, ExperienceBarsTakeTheChipReadAtEveryRefresh) {
    std::array<std::uint32_t, 15> cells{};
    cells[7] = 0x112233, cells[8] = 0x445566, cells[9] = 0x778899;
    skin.Write("colorchip.bmp", ColorChipPicture(cells));
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    // Frame 102 × 6, track 100 × 4 inside it, fills of 14 and 64 pixels.
    EXPECT_EQ(CountColor(*picture, RECT{85, 78, 187, 84}, 0x112233), 2 * 102 + 2 * 4);
    EXPECT_TRUE(RegionIs(*picture, RECT{86, 79, 100, 83}, 0x778899));
    EXPECT_TRUE(RegionIs(*picture, RECT{100, 79, 186, 83}, 0x445566));
    EXPECT_TRUE(RegionIs(*picture, RECT{86, 89, 150, 93}, 0x778899));
    EXPECT_TRUE(RegionIs(*picture, RECT{150, 89, 186, 93}, 0x445566));
    EXPECT_TRUE(RegionIs(*picture, RECT{85, 94, 187, 95}, kBackground));

    // A changed chip shows at the next refresh, without initialising the window again.
    cells[9] = 0xAA0055;
    skin.Write("colorchip.bmp", ColorChipPicture(cells));
    picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, RECT{86, 79, 100, 83}, 0xAA0055));

    // Without a chip the bars are black.
    skin.Remove("colorchip.bmp");
    picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, RECT{85, 78, 187, 84}, 0x000000));
}

TEST_F(BasicWindow, UnreadableChipIsReportedByTheFullWindowOnly) {
    skin.WriteBytes("colorchip.bmp", {'B', 'M', 1, 2, 3});
    SurfaceResult full = window.Refresh();
    ASSERT_FALSE(full.has_value());
    EXPECT_NE(full.error().message.find("colorchip.bmp"), std::string::npos);

    // The bar does not read the chip, so it still draws.
    window.MouseDown(1, 270, 5);
    EXPECT_EQ(window.getDrawRect().Bottom, 34);
    EXPECT_TRUE(Draw());
}

TEST_F(BasicWindow, MenuButtonsLightOnAndShowTheDisabledLookForTheRightButton) {
    Draw();
    // Plain move, left press and middle press: the on look; right press or right-held move:
    // the disabled look. Each change lies exactly on the button.
    for (int button : {0, 1, 4}) {
        SurfacePtr lit = PictureOf(window.MouseMove(button, 220, 30));
        ASSERT_TRUE(lit);
        EXPECT_TRUE(RegionIs(*lit, kStatusButton, kButtonOn)) << button;
        EXPECT_EQ(Lit(window.MouseMove(button, 220, 30)), kStatusButton);
    }
    EXPECT_EQ(Lit(window.MouseDown(1, 220, 30)), kStatusButton);
    for (int button : {2}) {
        SurfacePtr down = PictureOf(window.MouseDown(button, 220, 30));
        ASSERT_TRUE(down);
        EXPECT_TRUE(RegionIs(*down, kStatusButton, kButtonDis));
        SurfacePtr move = PictureOf(window.MouseMove(button, 220, 30));
        ASSERT_TRUE(move);
        EXPECT_TRUE(RegionIs(*move, kStatusButton, kButtonDis));
    }
    // The friend button, bottom right.
    SurfacePtr friendLit = PictureOf(window.MouseMove(2, 250, 100));
    ASSERT_TRUE(friendLit);
    EXPECT_TRUE(RegionIs(*friendLit, RECT{243, 94, 273, 114}, kButtonDis));

    // The base and minimise buttons have no disabled look: the right button lights them on.
    SurfacePtr base = PictureOf(window.MouseMove(2, 5, 5));
    ASSERT_TRUE(base);
    EXPECT_TRUE(RegionIs(*base, RECT{3, 3, 13, 13}, kBaseOn));

    // Moving off every button removes the highlight.
    EXPECT_EQ(Lit(window.MouseMove(0, 150, 110)), std::nullopt);
}

TEST_F(BasicWindow, HitRectanglesIncludeTheirRightAndBottomEdges) {
    Draw();
    EXPECT_EQ(Lit(window.MouseMove(0, 207 + kButtonWidth, 22 + kButtonHeight)), kStatusButton);
    EXPECT_EQ(Lit(window.MouseMove(0, 207 + kButtonWidth + 1, 30)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(0, 206, 30)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(0, 220, 21)), std::nullopt);
}

TEST_F(BasicWindow, MissingLooksDecideWhatLightsUp) {
    // Without the on look the button never lights, not even its disabled look.
    skin.Remove(Piece("btn_status_on"));
    // Without the disabled look the right button shows nothing, the others the on look.
    skin.Remove(Piece("btn_items_dis"));
    // Without the off look the place does not react.
    skin.Remove(Piece("btn_skill_off"));
    Draw();

    EXPECT_EQ(Lit(window.MouseMove(0, 220, 30)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(2, 220, 30)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(2, 220, 50)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(0, 220, 50)), (RECT{207, 46, 237, 66}));
    EXPECT_EQ(Lit(window.MouseMove(0, 220, 75)), std::nullopt);
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, RECT{207, 70, 237, 90}, kBackground));
}

TEST_F(BasicWindow, ButtonLeftOutKeepsTheRectangleOfItsLastDrawing) {
    Draw();
    skin.Remove(Piece("btn_status_off"));
    EXPECT_EQ(Lit(window.MouseMove(0, 220, 30)), kStatusButton);
}

TEST_F(BasicWindow, NeverDrawnMinimiseButtonDoesNotReact) {
    skin.Remove(Piece("sys_mini_off"));
    skin.Remove(Piece("sys_base_off"));
    Draw();
    for (auto [x, y] : {std::pair{270, 5}, std::pair{0, 0}}) {
        EXPECT_EQ(Lit(window.MouseDown(1, x, y)), std::nullopt);
        EXPECT_EQ(window.getDrawRect().Bottom, 120);
    }
}

TEST_F(BasicWindow, MinimisedBarAnswersOnlyItsTwoButtons) {
    Draw();
    ASSERT_TRUE(PictureOf(window.MouseDown(1, 270, 5)));

    SurfacePtr plain = Draw();
    ASSERT_TRUE(plain);

    EXPECT_EQ(Lit(window.MouseMove(0, 270, 5)), kMinimiseButton);
    EXPECT_EQ(Lit(window.MouseMove(2, 5, 5)), (RECT{3, 3, 13, 13}));
    // The bar has no menu buttons: the status button's place from the full window reaches into
    // the bar, and a pointer there lights nothing, with or without the right button.
    EXPECT_EQ(Lit(window.MouseMove(2, 220, 30)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(0, 220, 25)), std::nullopt);

    // Presses other than a left one on the minimise button give nothing new to show.
    for (auto [button, x, y] : {std::tuple{2, 270, 5}, std::tuple{4, 270, 5}, std::tuple{1, 5, 5},
                                std::tuple{1, 150, 20}}) {
        EXPECT_TRUE(ReturnsNothing(window.MouseDown(button, x, y))) << button << " " << x;
    }
    EXPECT_EQ(window.getDrawRect().Bottom, 34);

    // The bar's texts: the name at (17, 2) and the two lines of figures.
    if (FontsInstalled()) {
        EXPECT_GT(CountColor(*plain, RECT{17, 2, 80, 16}, 0x000000), 0);
        EXPECT_GT(CountColor(*plain, RECT{108, 2, 260, 16}, 0x000000), 0);
        EXPECT_GT(CountColor(*plain, RECT{85, 18, 280, 34}, 0x000000), 0);
    }
}

TEST_F(BasicWindow, TextsAreDrawnWithoutAnyBitmap) {
    if (!FontsInstalled()) GTEST_SKIP() << "the sample text faces are not installed";
    FixtureSkin empty;
    window.ClassInitialize(pane, empty.Dir(), ColorChip{});
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_EQ(CountColor(*picture, RECT{0, 0, 280, 120}, kPaneColor) +
                  CountColor(*picture, RECT{0, 0, 280, 120}, 0x000000) +
                  CountColor(*picture, RECT{0, 0, 280, 120}, 0xFFFFFF),
              280 * 120);
    EXPECT_GT(CountColor(*picture, RECT{17, 2, 80, 16}, 0xFFFFFF), 0);  // the title's edge
    EXPECT_GT(CountColor(*picture, RECT{5, 103, 200, 118}, 0x000000), 0);
}

}  // namespace
}  // namespace morvish
