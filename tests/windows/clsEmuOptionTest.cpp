#include "windows/clsEmuOption.h"

#include <gtest/gtest.h>

#include "render/DirectDrawSurface7.h"
#include "render/mdlMain.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"

namespace morvish {
namespace {

using test::CountColor;
using test::PictureOf;
using test::RegionIs;
using test::ReturnsNothing;

// Pixel colours (0x00RRGGBB) of the fixture skin.
constexpr std::uint32_t kPaneColor = test::kFixturePaneColor;
constexpr std::uint32_t kTitleBar = 0x5070D0;
constexpr std::uint32_t kMiniOff = 0x108010;
constexpr std::uint32_t kMiniOn = 0x10F010;
constexpr std::uint32_t kPage0 = 0xE0D0E0;
constexpr std::uint32_t kPage1 = 0xD0D0F0;
constexpr std::uint32_t kEmptyBox = 0xF8F8F8;
constexpr std::uint32_t kTickedBox = 0x00A0A0;
constexpr std::uint32_t kTextBoxNormal = 0x60B060;
constexpr std::uint32_t kTextBoxHover = 0x90F090;
constexpr std::uint32_t kTextBoxPressed = 0x306030;
constexpr std::uint32_t kTrack = 0xB0B0B0;
constexpr std::uint32_t kLeftEnd = 0x2020A0;
constexpr std::uint32_t kRightEnd = 0x2020C0;
constexpr std::uint32_t kThumbLeft = 0xFF6000;
constexpr std::uint32_t kThumbRight = 0xFFB000;
constexpr std::uint32_t kThumbBody = 0xFFFF00;

constexpr RECT kMinimiseButton{252, 3, 263, 14};
constexpr RECT kTextBoxButton{240, 64, 256, 80};

std::string Piece(const std::string& name) {
    return "basic_interface\\" + name + ".bmp";
}

class OptionWindow : public test::WindowFixture<clsEmuOption> {
  protected:
    void SetUp() override {
        skin.Solid(Piece("titlebar_fix"), 280, 17, kTitleBar);
        for (const char* name : {"base", "mini", "close"}) {
            const bool mini = std::string(name) == "mini";
            skin.Solid(Piece(std::string("sys_") + name + "_off"), 11, 11,
                       mini ? kMiniOff : 0x101080);
            skin.Solid(Piece(std::string("sys_") + name + "_on"), 11, 11,
                       mini ? kMiniOn : 0x1010F0);
        }
        skin.Solid(Piece("optwin0_bg"), 280, 103, kPage0);
        skin.Solid(Piece("optwin1_bg"), 280, 103, kPage1);
        skin.Solid("checkbox_0.bmp", 12, 12, kEmptyBox);
        skin.Solid("checkbox_1.bmp", 12, 12, kTickedBox);
        skin.Solid(Piece("txtbox_btn_a"), 16, 16, kTextBoxNormal);
        skin.Solid(Piece("txtbox_btn_b"), 16, 16, kTextBoxHover);
        skin.Solid(Piece("txtbox_btn_c"), 16, 16, kTextBoxPressed);
        skin.Solid("scroll1mid.bmp", 13, 13, kTrack);
        skin.Solid("scroll1left.bmp", 13, 13, kLeftEnd);
        skin.Solid("scroll1right.bmp", 13, 13, kRightEnd);
        skin.Solid("scroll1bar_left.bmp", 4, 13, kThumbLeft);
        skin.Solid("scroll1bar_right.bmp", 4, 13, kThumbRight);
        skin.Solid("scroll1bar_mid.bmp", 4, 13, kThumbBody);
        Initialize();
    }

    std::uint32_t TextBoxLook(SurfaceResult operation) {
        SurfacePtr picture = PictureOf(std::move(operation));
        return picture ? picture->Pixel(248, 72) : 0xDEAD;
    }
};

TEST_F(OptionWindow, FirstPageControls) {
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 120}));
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, RECT{100, 0, 240, 2}, kTitleBar));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 17, 30, 120}, kPage0));
    EXPECT_TRUE(RegionIs(*picture, kTextBoxButton, kTextBoxNormal));

    // Three empty and two ticked check boxes; the labels may cross their edges.
    EXPECT_TRUE(RegionIs(*picture, RECT{237, 23, 247, 35}, kEmptyBox));
    EXPECT_TRUE(RegionIs(*picture, RECT{237, 42, 247, 54}, kTickedBox));
    EXPECT_GT(CountColor(*picture, RECT{75, 101, 87, 113}, kEmptyBox), 72);
    EXPECT_GT(CountColor(*picture, RECT{203, 101, 215, 113}, kEmptyBox), 72);
    EXPECT_GT(CountColor(*picture, RECT{139, 101, 151, 113}, kTickedBox), 72);
    EXPECT_LE(CountColor(*picture, RECT{0, 0, 280, 120}, kEmptyBox), 3 * 144);
    EXPECT_LE(CountColor(*picture, RECT{0, 0, 280, 120}, kTickedBox), 2 * 144);

    // Two bars from x 72 to 234, at y 21 and 40, with thumbs of two end caps and no body:
    // the first at 185 and 189, the second 38 pixels further left.
    for (int top : {21, 40}) {
        const int thumb = top == 21 ? 185 : 147;
        const int bottom = top + 13;
        EXPECT_TRUE(RegionIs(*picture, RECT{72, top, 85, bottom}, kLeftEnd)) << top;
        EXPECT_TRUE(RegionIs(*picture, RECT{85, top, thumb, bottom}, kTrack)) << top;
        EXPECT_TRUE(RegionIs(*picture, RECT{thumb, top, thumb + 4, bottom}, kThumbLeft));
        EXPECT_TRUE(RegionIs(*picture, RECT{thumb + 4, top, thumb + 8, bottom}, kThumbRight));
        EXPECT_TRUE(RegionIs(*picture, RECT{thumb + 8, top, 222, bottom}, kTrack)) << top;
        EXPECT_TRUE(RegionIs(*picture, RECT{222, top, 235, bottom}, kRightEnd)) << top;
    }
    EXPECT_EQ(CountColor(*picture, RECT{0, 0, 280, 120}, kThumbBody), 0);
    EXPECT_TRUE(RegionIs(*picture, RECT{72, 34, 235, 40}, kPage0));

    if (mdlMain::GetSkinFont(1, 9) != nullptr) {
        EXPECT_GT(CountColor(*picture, RECT{78, 68, 160, 82}, 0x000000), 0);
        EXPECT_GT(CountColor(*picture, RECT{248, 22, 280, 36}, 0x000000), 0);
    }
}

TEST_F(OptionWindow, ScrollBarPiecesAreKeyed) {
    Bitmap end = test::SolidBitmap(13, 13, kLeftEnd);
    for (int x = 0; x < 13; ++x) end.pixels[std::size_t(x)] = kColorKey;
    skin.Write("scroll1left.bmp", end);
    skin.Remove("scroll1mid.bmp");
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, RECT{72, 21, 85, 22}, kPage0));
    EXPECT_TRUE(RegionIs(*picture, RECT{72, 22, 85, 34}, kLeftEnd));
    EXPECT_TRUE(RegionIs(*picture, RECT{85, 21, 185, 34}, kPage0));
}

TEST_F(OptionWindow, TabsAndMinimise) {
    Draw();
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(2, 10, 30)));
    SurfacePtr second = PictureOf(window.MouseDown(2, 10, 50));
    ASSERT_TRUE(second);
    EXPECT_TRUE(RegionIs(*second, RECT{0, 17, 280, 120}, kPage1));  // nothing but the background

    // Only the left button minimises; the tabs still answer below the bar.
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(2, 255, 5)));
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(4, 255, 5)));
    SurfacePtr bar = PictureOf(window.MouseDown(1, 255, 5));
    ASSERT_TRUE(bar);
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 17}));
    EXPECT_EQ(bar->Height(), 17);
    EXPECT_TRUE(PictureOf(window.MouseDown(4, 10, 30)));
    EXPECT_EQ(Lit(window.MouseMove(0, 255, 5)), kMinimiseButton);

    SurfacePtr restored = PictureOf(window.MouseDown(1, 252, 3));
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->Height(), 120);
    EXPECT_TRUE(RegionIs(*restored, kTextBoxButton, kTextBoxNormal));
}

TEST_F(OptionWindow, TextBoxButtonHoverAndPressedLooks) {
    Draw();
    // A left press shows the pressed look.
    EXPECT_EQ(TextBoxLook(window.MouseDown(1, 248, 72)), kTextBoxPressed);
    EXPECT_EQ(Lit(window.MouseDown(1, 256, 80)), kTextBoxButton);  // the inclusive corner
    // Moving: the pressed look with the left button held, the hover look otherwise.
    EXPECT_EQ(TextBoxLook(window.MouseMove(0, 248, 72)), kTextBoxHover);
    EXPECT_EQ(TextBoxLook(window.MouseMove(1, 248, 72)), kTextBoxPressed);
    EXPECT_EQ(TextBoxLook(window.MouseMove(2, 248, 72)), kTextBoxHover);
    EXPECT_EQ(Lit(window.MouseMove(2, 240, 64)), kTextBoxButton);
    EXPECT_EQ(Lit(window.MouseMove(0, 257, 72)), std::nullopt);
    // Other buttons pressed on it give nothing new.
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(2, 248, 72)));
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(4, 248, 72)));
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 150, 80)));
}

TEST_F(OptionWindow, TextBoxButtonWithoutItsHoverLook) {
    skin.Remove(Piece("txtbox_btn_b"));
    Draw();
    EXPECT_EQ(Lit(window.MouseMove(0, 248, 72)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(1, 248, 72)), std::nullopt);
    EXPECT_EQ(TextBoxLook(window.MouseDown(1, 248, 72)), kTextBoxPressed);

    // Without the pressed look a left press shows the plain button.
    skin.Remove(Piece("txtbox_btn_c"));
    EXPECT_EQ(Lit(window.MouseDown(1, 248, 72)), std::nullopt);
}

TEST_F(OptionWindow, TextBoxButtonIsOnlyOnTheOpenFirstPage) {
    Draw();
    ASSERT_TRUE(PictureOf(window.MouseDown(1, 10, 50)));
    // Page 1 has no text box button: nothing lights or presses at its old place.
    EXPECT_EQ(Lit(window.MouseMove(0, 248, 72)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(1, 248, 72)), std::nullopt);
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 248, 72)));

    ASSERT_TRUE(PictureOf(window.MouseDown(1, 10, 30)));
    ASSERT_TRUE(PictureOf(window.MouseDown(1, 255, 5)));
    EXPECT_EQ(Lit(window.MouseMove(0, 248, 72)), std::nullopt);
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 248, 72)));
}

TEST_F(OptionWindow, MissingTextBoxButton) {
    // One that goes away keeps its last place; one never drawn reacts nowhere.
    Draw();
    skin.Remove(Piece("txtbox_btn_a"));
    EXPECT_EQ(Lit(window.MouseMove(0, 248, 72)), kTextBoxButton);

    clsEmuOption fresh;
    fresh.ClassInitialize(pane, skin.Dir(), ColorChip{});
    SurfacePtr picture = PictureOf(fresh.Refresh());
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, kTextBoxButton, kPage0));
    for (auto [x, y] : {std::pair{248, 72}, std::pair{0, 0}}) {
        EXPECT_TRUE(ReturnsNothing(fresh.MouseDown(1, x, y)));
    }
}

}  // namespace
}  // namespace morvish
