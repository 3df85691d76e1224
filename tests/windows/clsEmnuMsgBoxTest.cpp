#include "windows/clsEmnuMsgBox.h"

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

// Pixel colours (0x00RRGGBB) of the fixture skin.
constexpr std::uint32_t kPaneColor = test::kFixturePaneColor;
constexpr std::uint32_t kBox = 0xD0D0F0;
constexpr std::uint32_t kNormal = 0x3060C0;
constexpr std::uint32_t kHover = 0xF0E040;
constexpr std::uint32_t kPressed = 0xF04040;
constexpr std::uint32_t kTextField = 0xFFFFE0;
constexpr std::uint32_t kBarTrack = 0x505050;
constexpr std::uint32_t kBarFill = 0x00C0FF;

constexpr int kButtonWidth = 222;
constexpr int kButtonHeight = 20;
constexpr int kButtonTops[] = {22, 45, 68, 96};

std::string Look(int button, char look) {
    return "esc_0" + std::to_string(button) + look + ".bmp";
}

RECT ButtonRect(int button) {
    const int top = kButtonTops[button - 1];
    return RECT{29, top, 29 + kButtonWidth, top + kButtonHeight};
}

std::array<std::uint32_t, 15> ChipCells() {
    std::array<std::uint32_t, 15> cells{};
    cells[1] = kTextField, cells[5] = kBarTrack, cells[6] = kBarFill;
    return cells;
}

class MessageBox : public test::WindowFixture<clsEmnuMsgBox> {
  protected:
    void SetUp() override {
        skin.Solid("win_msgbox.bmp", 280, 120, kBox);
        for (int k = 1; k <= 4; ++k) {
            skin.Solid(Look(k, 'a'), kButtonWidth, kButtonHeight, kNormal);
            skin.Solid(Look(k, 'b'), kButtonWidth, kButtonHeight, kHover);
            skin.Solid(Look(k, 'c'), kButtonWidth, kButtonHeight, kPressed);
        }
        skin.Write("colorchip.bmp", ColorChipPicture(ChipCells()));
        Initialize();
    }
};

TEST_F(MessageBox, TwoBoxesTextFieldProgressBarAndButtons) {
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 245}));
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 280);
    EXPECT_EQ(picture->Height(), 245);

    // The menu box, the 5-pixel gap and the loading box.
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 0, 29, 120}, kBox));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 120, 280, 125}, kPaneColor));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 125, 20, 245}, kBox));
    // The text field from (85, 150) to (245, 174), its right part clear of the text.
    EXPECT_TRUE(RegionIs(*picture, RECT{200, 150, 245, 174}, kTextField));
    EXPECT_TRUE(RegionIs(*picture, RECT{245, 150, 280, 174}, kBox));
    EXPECT_TRUE(RegionIs(*picture, RECT{85, 149, 245, 150}, kBox));
    // The progress bar: the track from x 20 to 260, the fill to 100, rows 175 to 189.
    EXPECT_TRUE(RegionIs(*picture, RECT{20, 175, 100, 190}, kBarFill));
    EXPECT_TRUE(RegionIs(*picture, RECT{100, 175, 260, 190}, kBarTrack));
    EXPECT_TRUE(RegionIs(*picture, RECT{20, 190, 260, 191}, kBox));
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(RegionIs(*picture, ButtonRect(k), kNormal)) << k;

    if (mdlMain::GetSkinFont(2, 12) != nullptr) {
        EXPECT_GT(CountColor(*picture, RECT{85, 150, 200, 174}, 0x000000), 0);
    }
}

TEST_F(MessageBox, LoadingBoxFollowsTheBackgroundHeightButTheBarStays) {
    skin.Solid("win_msgbox.bmp", 280, 100, kBox);
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 100, 29, 105}, kPaneColor));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 105, 20, 205}, kBox));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 205, 280, 245}, kPaneColor));
    EXPECT_TRUE(RegionIs(*picture, RECT{200, 130, 245, 154}, kTextField));
    EXPECT_TRUE(RegionIs(*picture, RECT{200, 154, 245, 155}, kBox));
    EXPECT_TRUE(RegionIs(*picture, RECT{20, 175, 100, 190}, kBarFill));
    EXPECT_TRUE(RegionIs(*picture, RECT{100, 175, 260, 190}, kBarTrack));
}

TEST_F(MessageBox, WithoutBackgroundOnlyTheBarAndButtonsAreDrawn) {
    skin.Remove("win_msgbox.bmp");
    // The chip is not read again: the bar takes the colours the window was given.
    ColorChip given{};
    given[5] = ToColor(0x112233), given[6] = ToColor(0x445566);
    window.ClassInitialize(pane, skin.Dir(), given);
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 0, 280, 22}, kPaneColor));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 120, 280, 175}, kPaneColor));  // no text field
    EXPECT_TRUE(RegionIs(*picture, RECT{20, 175, 100, 190}, 0x445566));
    EXPECT_TRUE(RegionIs(*picture, RECT{100, 175, 260, 190}, 0x112233));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 190, 280, 245}, kPaneColor));
    EXPECT_TRUE(RegionIs(*picture, ButtonRect(4), kNormal));

    // Neither does an unreadable chip matter then; with the background it is reported.
    skin.WriteBytes("colorchip.bmp", {'B', 'M'});
    EXPECT_TRUE(window.Refresh().has_value());
    skin.Solid("win_msgbox.bmp", 280, 120, kBox);
    SurfaceResult failed = window.Refresh();
    ASSERT_FALSE(failed.has_value());
    EXPECT_NE(failed.error().message.find("colorchip.bmp"), std::string::npos);
}

TEST_F(MessageBox, PiecesAreKeyed) {
    Bitmap background = test::SolidBitmap(280, 120, kBox);
    for (int x = 0; x < 10; ++x) background.pixels[std::size_t(5 * 280 + x)] = kColorKey;
    skin.Write("win_msgbox.bmp", background);
    SurfacePtr picture = Draw();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 5, 10, 6}, kPaneColor));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 130, 10, 131}, kPaneColor));
    EXPECT_TRUE(RegionIs(*picture, RECT{10, 5, 29, 6}, kBox));
}

TEST_F(MessageBox, PressedLookOnlyForTheLeftButtonHoverOtherwise) {
    Draw();
    for (int button : {0, 1, 2, 4}) {
        const std::uint32_t look = button == 1 ? kPressed : kHover;
        for (bool press : {false, true}) {
            SurfaceResult result =
                press ? window.MouseDown(button, 100, 50) : window.MouseMove(button, 100, 50);
            SurfacePtr picture = PictureOf(std::move(result));
            ASSERT_TRUE(picture);
            EXPECT_TRUE(RegionIs(*picture, ButtonRect(2), look)) << button << press;
            EXPECT_EQ(
                Lit(press ? window.MouseDown(button, 100, 50) : window.MouseMove(button, 100, 50)),
                ButtonRect(2));
        }
    }
    // Away from the buttons the press still returns a plain picture.
    EXPECT_EQ(Lit(window.MouseDown(1, 10, 200)), std::nullopt);
}

TEST_F(MessageBox, HitTestsIncludeTheRightAndBottomEdges) {
    Draw();
    EXPECT_EQ(Lit(window.MouseMove(0, 29 + kButtonWidth, 22 + kButtonHeight)), ButtonRect(1));
    EXPECT_EQ(Lit(window.MouseMove(0, 30 + kButtonWidth, 30)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(0, 28, 30)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(0, 100, 94)), std::nullopt);  // between buttons 3 and 4
    EXPECT_EQ(Lit(window.MouseMove(0, 100, 96)), ButtonRect(4));
}

TEST_F(MessageBox, MissingLooksAndMissingButtons) {
    skin.Remove(Look(3, 'b'));
    Draw();
    EXPECT_EQ(Lit(window.MouseMove(0, 100, 75)), std::nullopt);
    EXPECT_EQ(Lit(window.MouseMove(1, 100, 75)), ButtonRect(3));

    // A normal look that goes away keeps the place where it was last drawn.
    skin.Remove(Look(2, 'a'));
    EXPECT_EQ(Lit(window.MouseMove(0, 100, 50)), ButtonRect(2));

    // One that was never there reacts nowhere, not even at the window's corner.
    skin.Remove(Look(1, 'a'));
    clsEmnuMsgBox fresh;
    fresh.ClassInitialize(pane, skin.Dir(), ColorChip{});
    for (auto [x, y] : {std::pair{100, 30}, std::pair{0, 0}}) {
        EXPECT_EQ(ChangedRect(fresh, fresh.MouseMove(0, x, y)), std::nullopt);
    }
}

}  // namespace
}  // namespace morvish
