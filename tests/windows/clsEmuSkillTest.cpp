#include <gtest/gtest.h>

#include "render/PreviewPane.h"
#include "render/mdlMain.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"
#include "windows/clsEmuSkill.h"

namespace morvish {
namespace {

using test::RegionIs;

// Where two pictures differ; the zero rectangle when they are equal.
RECT Changed(const DirectDrawSurface7& before, const DirectDrawSurface7& after) {
    return test::DifferingRect(before, after).value_or(RECT{});
}

constexpr std::uint32_t kBackground = 0x203040;
constexpr std::uint32_t kListBox = 0x10E0F0;  // colour chip entry 1
constexpr std::uint32_t kChip2 = 0xA00002;
constexpr std::uint32_t kChip3 = 0xA00003;
constexpr std::uint32_t kChip4 = 0xA00004;

// An 11 × 11 button with its off and on images.
struct SystemButton {
    const char* off;
    const char* on;
    RECT drawn;
    std::uint32_t offColor;
    std::uint32_t onColor;
};

class SkillWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        std::array<std::uint32_t, 15> chip{};
        chip[1] = kListBox, chip[2] = kChip2, chip[3] = kChip3, chip[4] = kChip4;
        skin.Write("colorchip.bmp", test::ColorChipPicture(chip));
        skin.Solid("basic_interface\\titlebar_left.bmp", 12, 17, 0x110000);
        skin.Solid("basic_interface\\titlebar_mid.bmp", 12, 17, 0x220000);
        skin.Solid("basic_interface\\titlebar_right.bmp", 12, 17, 0x330000);
        skin.Solid("basic_interface\\sys_mini_off.bmp", 11, 11, 0x00AA00);
        skin.Solid("basic_interface\\sys_mini_on.bmp", 11, 11, 0x00FF00);
        skin.Solid("basic_interface\\sys_base_off.bmp", 11, 11, 0xAA0000);
        skin.Solid("basic_interface\\sys_base_on.bmp", 11, 11, 0xFF0000);
        skin.Solid("basic_interface\\sys_close_off.bmp", 11, 11, 0x0000AA);
        skin.Solid("basic_interface\\sys_close_on.bmp", 11, 11, 0x0000FF);
        for (const char* name : {"btn_use", "btn_close"}) {
            skin.Solid(std::string(name) + ".bmp", 40, 20, 0x404000);
            skin.Solid(std::string(name) + "_a.bmp", 40, 20, 0x808000);
            skin.Solid(std::string(name) + "_b.bmp", 40, 20, 0xC0C000);
        }
        skin.Solid("basic_interface\\skill_up_a.bmp", 11, 11, 0x004040);
        skin.Solid("basic_interface\\skill_up_b.bmp", 11, 11, 0x008080);
        skin.Solid("basic_interface\\skill_up_c.bmp", 11, 11, 0x00C0C0);
        window.ClassInitialize(pane, skin.Dir(), ColorChip{});
    }

    // The picture of an operation; a failure is reported and gives a 1 × 1 stand-in.
    static SurfacePtr Picture(SurfaceResult result) {
        SurfacePtr picture = test::PictureOf(std::move(result));
        if (picture) return picture;
        ADD_FAILURE() << "no picture";
        return std::make_unique<DirectDrawSurface7>(1, 1);
    }
    SurfacePtr Refreshed() { return Picture(window.Refresh()); }

    test::FixtureSkin skin;
    test::FixtureGraphic graphic;
    MemoryPreviewPane pane{400, 400, ToColor(kBackground)};
    clsEmuSkill window;
};

TEST_F(SkillWindow, MinimiseButtonFoldsAndOpensWithTheLeftButtonOnly) {
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 309}));
    EXPECT_EQ(Refreshed()->Height(), 309);

    // Right and middle presses on the minimise button only show its look.
    EXPECT_EQ(Picture(window.MouseDown(2, 255, 5))->Height(), 309);
    EXPECT_EQ(Picture(window.MouseDown(4, 255, 5))->Height(), 309);
    EXPECT_FALSE(window.Minimised());

    // The hit test includes the column right of and the row below the 11 × 11 bitmap.
    SurfacePtr folded = Picture(window.MouseDown(1, 263, 14));
    EXPECT_TRUE(window.Minimised());
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 17}));
    EXPECT_EQ(folded->Width(), 280);
    EXPECT_EQ(folded->Height(), 17);
    EXPECT_TRUE(RegionIs(*folded, RECT{252, 3, 263, 14}, 0x00AA00));  // normal image, not hover
    EXPECT_TRUE(RegionIs(*folded, RECT{0, 14, 12, 17}, 0x110000));

    EXPECT_EQ(Picture(window.MouseDown(1, 264, 14))->Height(), 17);
    EXPECT_TRUE(window.Minimised());
    EXPECT_EQ(Picture(window.MouseDown(1, 252, 3))->Height(), 309);
    EXPECT_FALSE(window.Minimised());
}

TEST_F(SkillWindow, MiddlePiecesLieOverTheEndsAndTheButtonBarOverTheFrameSides) {
    skin.Solid("basic_interface\\itemwin_left.bmp", 20, 5, 0x505050);
    skin.Solid("basic_interface\\itemwin_right.bmp", 20, 5, 0x606060);
    skin.Solid("basic_interface\\btnbar_left2.bmp", 21, 34, 0x707070);
    skin.Solid("basic_interface\\btnbar_mid2.bmp", 21, 34, 0x808080);
    skin.Solid("basic_interface\\btnbar_right2.bmp", 21, 34, 0x909090);
    SurfacePtr picture = Refreshed();

    // The title middle's last copy (264 to 275) covers the right end from 268.
    EXPECT_EQ(picture->Pixel(275, 16), 0x220000u);
    EXPECT_EQ(picture->Pixel(276, 16), 0x330000u);
    // The button bar's last middle copy (252 to 272) covers its right end from 259.
    EXPECT_EQ(picture->Pixel(272, 186), 0x808080u);
    EXPECT_EQ(picture->Pixel(273, 186), 0x909090u);

    // Frame sides: 18 copies 8 pixels apart from y 17, whatever their height.
    EXPECT_EQ(picture->Pixel(2, 17), 0x505050u);
    EXPECT_EQ(picture->Pixel(2, 22), kBackground);
    EXPECT_EQ(picture->Pixel(2, 153), 0x505050u);
    EXPECT_EQ(picture->Pixel(278, 153), 0x606060u);
    EXPECT_EQ(picture->Pixel(278, 152), kBackground);
    // The last copies reach to y 157; the button bar from 155 lies over them.
    EXPECT_EQ(picture->Pixel(2, 155), 0x707070u);
    EXPECT_EQ(picture->Pixel(278, 155), 0x909090u);
}

TEST_F(SkillWindow, SelectedRowIsHighlightedInItsChipColour) {
    SurfacePtr plain = Refreshed();
    const std::uint32_t expected[] = {0, kChip4, kChip3, kChip4, kChip2};
    for (int row = 1; row <= 4; ++row) {
        const int top = 19 + 32 * (row - 1);
        SurfacePtr selected = Picture(window.MouseDown(1, 180, top + 10));
        EXPECT_EQ(window.SelectedRow(), row);
        EXPECT_EQ(Changed(*plain, *selected), (RECT{104, top, 267, top + 28})) << row;
        EXPECT_EQ(selected->Pixel(263, top + 1), expected[row]) << row;
    }
}

TEST_F(SkillWindow, RowsAreSelectedByTheLeftButtonInTheirInclusiveRectangles) {
    window.MouseDown(1, 267, 47);
    EXPECT_EQ(window.SelectedRow(), 1);
    window.MouseDown(1, 104, 51);
    EXPECT_EQ(window.SelectedRow(), 2);
    // Between two rows, right of the rows and with another button: no change.
    window.MouseDown(1, 180, 48);
    window.MouseDown(1, 268, 60);
    window.MouseDown(4, 180, 90);
    EXPECT_EQ(window.SelectedRow(), 2);

    // The right button clears the selection anywhere.
    EXPECT_EQ(Picture(window.MouseDown(2, 5, 300))->Height(), 309);
    EXPECT_EQ(window.SelectedRow(), 0);
    // With nothing selected it falls through to the hover looks.
    SurfacePtr plain = Refreshed();
    SurfacePtr hover = Picture(window.MouseDown(2, 180, 165));
    EXPECT_EQ(Changed(*plain, *hover), (RECT{173, 160, 213, 180}));
    EXPECT_EQ(hover->Pixel(180, 165), 0x808000u);
}

TEST_F(SkillWindow, RowCanBeSelectedWhileMinimisedAndShowsWhenOpened) {
    window.Refresh();
    window.MouseDown(1, 255, 5);
    ASSERT_TRUE(window.Minimised());
    EXPECT_EQ(Picture(window.MouseDown(1, 150, 60))->Height(), 17);
    EXPECT_EQ(window.SelectedRow(), 2);
    SurfacePtr opened = Picture(window.MouseDown(1, 255, 5));
    EXPECT_EQ(opened->Pixel(263, 52), kChip3);
}

TEST_F(SkillWindow, ColourChipIsReadAnewAtEveryRefresh) {
    ColorChip given{};
    given[1] = 0x123456;
    window.ClassInitialize(pane, skin.Dir(), given);
    EXPECT_EQ(Refreshed()->Pixel(100, 150), kListBox);

    std::array<std::uint32_t, 15> changed{};
    changed[1] = 0x0A0B0C;
    skin.Write("colorchip.bmp", test::ColorChipPicture(changed));
    EXPECT_EQ(Refreshed()->Pixel(100, 150), 0x0A0B0Cu);

    skin.Remove("colorchip.bmp");
    EXPECT_EQ(Refreshed()->Pixel(100, 150), 0x000000u);

    skin.WriteBytes("colorchip.bmp", {'B', 'M', 1, 2, 3});
    SurfaceResult broken = window.Refresh();
    ASSERT_FALSE(broken.has_value());
    EXPECT_NE(broken.error().message.find("colorchip.bmp"), std::string::npos);
}

TEST_F(SkillWindow, ButtonsShowHoverAndPressedImagesOnlyOverThemselves) {
    struct Case {
        RECT drawn;
        std::uint32_t pressed;
        std::uint32_t hover;
    };
    const Case cases[] = {
        {{3, 3, 14, 14}, 0xFF0000, 0xFF0000},        // system
        {{252, 3, 263, 14}, 0x00FF00, 0x00FF00},     // minimise
        {{266, 3, 277, 14}, 0x0000FF, 0x0000FF},     // close
        {{173, 160, 213, 180}, 0xC0C000, 0x808000},  // use
        {{219, 160, 259, 180}, 0xC0C000, 0x808000},  // button bar close
        {{78, 53, 89, 64}, 0x00C0C0, 0x008080},      // skill up
        {{266, 192, 277, 203}, 0x0000FF, 0x0000FF},  // description close
    };
    SurfacePtr plain = Refreshed();
    for (const Case& button : cases) {
        const int x = button.drawn.Right, y = button.drawn.Bottom;  // inclusive edge
        for (int held : {0, 1, 2, 4}) {
            SurfacePtr look = Picture(window.MouseMove(held, x, y));
            EXPECT_EQ(Changed(*plain, *look), button.drawn) << x << "," << y << " " << held;
            EXPECT_EQ(look->Pixel(button.drawn.Left, button.drawn.Top),
                      held == 1 ? button.pressed : button.hover);
        }
        EXPECT_EQ(Changed(*plain, *Picture(window.MouseMove(0, x + 1, y))), RECT{});
    }
    // A left press on a button that is not the minimise button shows its pressed image.
    SurfacePtr pressed = Picture(window.MouseDown(1, 180, 165));
    EXPECT_EQ(Changed(*plain, *pressed), (RECT{173, 160, 213, 180}));
    EXPECT_EQ(pressed->Pixel(180, 165), 0xC0C000u);
}

TEST_F(SkillWindow, MissingMinimiseButtonKeepsTheHitAreaItHad) {
    skin.Remove("basic_interface\\sys_mini_off.bmp");
    window.Refresh();
    window.MouseDown(1, 255, 5);
    window.MouseDown(1, 0, 0);
    EXPECT_FALSE(window.Minimised());

    skin.Solid("basic_interface\\sys_mini_off.bmp", 11, 11, 0x00AA00);
    window.Refresh();
    skin.Remove("basic_interface\\sys_mini_off.bmp");
    window.MouseDown(1, 255, 5);
    EXPECT_TRUE(window.Minimised());
}

TEST_F(SkillWindow, ElementsLieOverTheListTexts) {
    if (mdlMain::GetSkinFont(1, 9) == nullptr) GTEST_SKIP() << "no Japanese face installed";
    skin.Solid("basic_interface\\arw_left.bmp", 40, 12, 0x445566);
    SurfacePtr picture = Refreshed();
    // "Lv :" at (124, 130) lies under the arrow; the highlight lies under the row's text.
    EXPECT_TRUE(RegionIs(*picture, RECT{112, 130, 152, 142}, 0x445566));
    window.MouseDown(1, 180, 60);
    SurfacePtr selected = Refreshed();
    EXPECT_GT(test::CountColor(*selected, RECT{112, 54, 200, 70}, 0x808080), 0);
}

TEST_F(SkillWindow, ScrollBarsPanelAndSamplePicturesTakeTheirPlaces) {
    skin.Solid("scroll0up.bmp", 13, 13, 0x0F0F01);
    skin.Solid("scroll0down.bmp", 13, 13, 0x0F0F02);
    Bitmap panel = test::SolidBitmap(280, 120, 0x0F0F03);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) panel.pixels[std::size_t(y) * 280 + x] = kColorKey;
    }
    skin.Write("basic_interface\\skillcollection.bmp", panel);
    graphic.Solid("skill2.bmp", 20, 20, 0x0F0F04);
    SurfacePtr picture = Refreshed();

    EXPECT_TRUE(RegionIs(*picture, RECT{265, 15, 278, 28}, 0x0F0F01));
    EXPECT_TRUE(RegionIs(*picture, RECT{265, 146, 278, 159}, 0x0F0F02));
    EXPECT_TRUE(RegionIs(*picture, RECT{260, 221, 273, 234}, 0x0F0F01));
    EXPECT_TRUE(RegionIs(*picture, RECT{260, 291, 273, 304}, 0x0F0F02));
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 189, 8, 197}, kBackground));  // keyed
    EXPECT_EQ(picture->Pixel(8, 197), 0x0F0F03u);
    EXPECT_TRUE(RegionIs(*picture, RECT{10, 200, 30, 220}, 0x0F0F04));
    EXPECT_TRUE(RegionIs(*picture, RECT{48, 220, 260, 221}, kListBox));  // description box
}

TEST_F(SkillWindow, UnreadablePieceIsReportedByName) {
    skin.WriteBytes("basic_interface\\skillcollection.bmp", {'B', 'M', 0, 0});
    auto reportsIt = [](const SurfaceResult& result) {
        return !result && result.error().message.find("skillcollection.bmp") != std::string::npos;
    };
    EXPECT_TRUE(reportsIt(window.Refresh()));
    EXPECT_TRUE(reportsIt(window.MouseMove(0, 1, 1)));
    EXPECT_TRUE(reportsIt(window.MouseDown(1, 150, 60)));
}

}  // namespace
}  // namespace morvish
