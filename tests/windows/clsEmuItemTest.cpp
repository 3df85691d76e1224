#include <gtest/gtest.h>

#include "render/PreviewPane.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"
#include "windows/clsEmuItem.h"

namespace morvish {
namespace {

using test::CountColor;
using test::DifferingRect;
using test::PictureOf;
using test::RegionIs;
using test::ReturnsNothing;

constexpr std::uint32_t kBack = 0x404040;
constexpr std::uint32_t kTitleLeft = 0x800000, kTitleMiddle = 0x008000, kTitleRight = 0x000080;
constexpr std::uint32_t kTabs[3] = {0x400000, 0x004000, 0x000040};
constexpr std::uint32_t kFrameLeft = 0x602000, kCell = 0x206020, kFrameRight = 0x202060;
constexpr std::uint32_t kBarLeft = 0x606000, kBarMiddle = 0x006060, kBarRight = 0x600060;
constexpr std::uint32_t kPanel = 0xE0E0C0, kChip = 0x33CC99, kScrollUp = 0xA00000;
constexpr std::uint32_t kSamples[3] = {0xFF8000, 0x80FF00, 0x0080FF};
constexpr std::uint32_t kPanelSample = 0xFF0080;

class ItemWindow : public ::testing::Test {
  protected:
    ItemWindow() {
        skin.Solid("basic_interface\\titlebar_left.bmp", 12, 17, kTitleLeft);
        skin.Solid("basic_interface\\titlebar_mid.bmp", 12, 17, kTitleMiddle);
        skin.Solid("basic_interface\\titlebar_right.bmp", 12, 17, kTitleRight);
        for (const char* look : {"off", "on"}) {
            const std::uint32_t shade = look[1] == 'f' ? 0x80 : 0xC0;
            skin.Solid(std::string("basic_interface\\sys_base_") + look + ".bmp", 11, 11,
                       shade << 16 | shade << 8);
            skin.Solid(std::string("basic_interface\\sys_mini_") + look + ".bmp", 11, 11,
                       shade << 8 | shade);
            skin.Solid(std::string("basic_interface\\sys_close_") + look + ".bmp", 11, 11,
                       shade << 16 | shade);
        }
        for (int page = 0; page < 3; ++page) {
            skin.Solid("basic_interface\\tab_itm_0" + std::to_string(page + 1) + ".bmp", 20, 82,
                       kTabs[page]);
            graphic.Solid("item" + std::to_string(page + 1) + ".bmp", 24, 24, kSamples[page]);
        }
        graphic.Solid("item4.bmp", 24, 24, kPanelSample);
        skin.Solid("basic_interface\\itemwin_left.bmp", 20, 8, kFrameLeft);
        skin.Solid("basic_interface\\itemwin_mid.bmp", 32, 32, kCell);
        skin.Solid("basic_interface\\itemwin_right.bmp", 20, 8, kFrameRight);
        skin.Solid("basic_interface\\btnbar_left.bmp", 21, 26, kBarLeft);
        skin.Solid("basic_interface\\btnbar_mid.bmp", 21, 26, kBarMiddle);
        skin.Solid("basic_interface\\btnbar_right.bmp", 21, 26, kBarRight);
        skin.Solid("btn_resize.bmp", 11, 11, 0xA0A0A0);
        skin.Solid("basic_interface\\collection_bg.bmp", 280, 120, kPanel);
        skin.Solid("scroll0up.bmp", 13, 13, kScrollUp);
        skin.Solid("colorchip.bmp", 32, 8, kChip);
        window.ClassInitialize(pane, skin.Dir(), ColorChip{});
    }

    SurfacePtr Picture() { return PictureOf(window.Refresh()); }

    test::FixtureGraphic graphic;
    test::FixtureSkin skin;
    MemoryPreviewPane pane{600, 400, kBack};
    clsEmuItem window;
};

TEST_F(ItemWindow, OpenWindowPiecesLieWhereTheyBelong) {
    SurfacePtr s = Picture();
    ASSERT_EQ(s->Width(), 280);
    ASSERT_EQ(s->Height(), 259);
    // The 22 middle copies (x 12 to 275) are drawn after both ends and cover the right end's
    // left part; the right end shows from x 276 on.
    EXPECT_TRUE(RegionIs(*s, {0, 0, 12, 3}, kTitleLeft));
    EXPECT_TRUE(RegionIs(*s, {80, 14, 276, 17}, kTitleMiddle));
    EXPECT_TRUE(RegionIs(*s, {276, 14, 280, 17}, kTitleRight));
    EXPECT_TRUE(RegionIs(*s, {0, 17, 20, 99}, kTabs[0]));
    EXPECT_TRUE(RegionIs(*s, {0, 99, 20, 113}, kFrameLeft));
    // The chip's first colour fills the strip between the tabs and the grid.
    EXPECT_TRUE(RegionIs(*s, {20, 17, 40, 113}, kChip));
    // Grid cells from (40, 17) to the last one at (232, 81); the last column covers the right
    // frame, which was drawn before it, up to x 263.
    EXPECT_TRUE(RegionIs(*s, {65, 17, 264, 113}, kCell));
    EXPECT_TRUE(RegionIs(*s, {264, 17, 280, 113}, kFrameRight));
    EXPECT_TRUE(RegionIs(*s, {41, 18, 65, 42}, kSamples[0]));
    // Button bar: its middle copies (x 21 to 272) are drawn after the right end.
    EXPECT_TRUE(RegionIs(*s, {0, 113, 21, 139}, kBarLeft));
    EXPECT_TRUE(RegionIs(*s, {21, 113, 265, 139}, kBarMiddle));
    EXPECT_TRUE(RegionIs(*s, {273, 113, 280, 119}, kBarRight));
    EXPECT_TRUE(RegionIs(*s, {265, 119, 276, 130}, 0xA0A0A0));
    // The description panel with its picture, close button and text area.
    EXPECT_TRUE(RegionIs(*s, {0, 139, 10, 259}, kPanel));
    EXPECT_TRUE(RegionIs(*s, {10, 150, 34, 174}, kPanelSample));
    EXPECT_TRUE(RegionIs(*s, {266, 142, 277, 153}, 0x800080));
    EXPECT_TRUE(RegionIs(*s, {91, 240, 255, 255}, kChip));
    EXPECT_TRUE(RegionIs(*s, {260, 171, 273, 184}, kScrollUp));  // description scroll bar
    // No list scroll bar on the first page.
    EXPECT_EQ(CountColor(*s, {265, 18, 278, 112}, kScrollUp), 0);
}

TEST_F(ItemWindow, LeftClicksOnTabsSwitchPagesAndOnlyTheThirdHasAListScrollBar) {
    for (int page : {2, 1, 0, 2}) {
        const RECT tab[3] = {{5, 18, 18, 40}, {5, 41, 18, 66}, {5, 67, 18, 94}};
        SurfacePtr s = PictureOf(window.MouseDown(1, tab[page].Left, tab[page].Top));
        ASSERT_NE(s, nullptr);
        EXPECT_TRUE(RegionIs(*s, {0, 17, 20, 99}, kTabs[page]));
        EXPECT_TRUE(RegionIs(*s, {41, 18, 65, 42}, kSamples[page]));
        EXPECT_EQ(RegionIs(*s, {265, 18, 278, 31}, kScrollUp), page == 2);
    }
    // The page shown stays put: its own tab, right and middle clicks do nothing.
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 10, 80)));
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(2, 10, 20)));
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(4, 10, 50)));
    EXPECT_TRUE(RegionIs(*Picture(), {0, 17, 20, 99}, kTabs[2]));
}

TEST_F(ItemWindow, TabsTouchWithoutOverlapping) {
    struct Case {
        int x, y, page;
    };
    // Each press starts from page 2 and names the page it should show, or 2 for no tab.
    for (Case c : {Case{10, 40, 0},
                   {10, 41, 1},
                   {10, 66, 1},
                   {18, 18, 0},
                   {5, 94, 2},
                   {10, 95, 2},
                   {19, 30, 2},
                   {4, 30, 2}}) {
        window.MouseDown(1, 10, 70);
        SurfaceResult result = window.MouseDown(1, c.x, c.y);
        SCOPED_TRACE(::testing::Message() << "press at " << c.x << ", " << c.y);
        EXPECT_EQ(result.has_value() && *result != nullptr, c.page != 2);
        EXPECT_TRUE(RegionIs(*Picture(), {0, 17, 20, 99}, kTabs[c.page]));
    }
}

TEST_F(ItemWindow, MinimiseButtonFoldsToTheTitleBarWithTheLeftButtonOnly) {
    Picture();
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(2, 252, 3)));
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 259}));

    SurfacePtr folded = PictureOf(window.MouseDown(1, 263, 14));  // bottom-right edge of the button
    ASSERT_NE(folded, nullptr);
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 17}));
    EXPECT_EQ(folded->Height(), 17);
    EXPECT_TRUE(RegionIs(*folded, {252, 3, 263, 14}, 0x008080));

    // The tabs stay active below the folded bar: the page chosen shows after restoring.
    EXPECT_NE(PictureOf(window.MouseDown(1, 10, 50)), nullptr);
    EXPECT_EQ(window.getDrawRect().Bottom, 17);
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 264, 3)));  // one pixel past the button
    SurfacePtr restored = PictureOf(window.MouseDown(1, 252, 3));
    ASSERT_EQ(restored->Height(), 259);
    EXPECT_TRUE(RegionIs(*restored, {0, 17, 20, 99}, kTabs[1]));
}

TEST_F(ItemWindow, ButtonsLightUpUnderThePointerWhateverTheButtonMask) {
    struct Case {
        int x, y;
        RECT lit;
        std::uint32_t colour;
    };
    SurfacePtr plain = Picture();
    for (Case c : {Case{3, 3, {3, 3, 14, 14}, 0xC0C000},
                   {263, 14, {252, 3, 263, 14}, 0x00C0C0},
                   {266, 3, {266, 3, 277, 14}, 0xC000C0},
                   {277, 153, {266, 142, 277, 153}, 0xC000C0}}) {
        for (int button : {0, 1, 2}) {
            SurfacePtr lit = PictureOf(window.MouseMove(button, c.x, c.y));
            EXPECT_EQ(DifferingRect(*plain, *lit), c.lit) << c.x << ", " << c.y;
            EXPECT_TRUE(RegionIs(*lit, c.lit, c.colour));
        }
    }
    EXPECT_EQ(DifferingRect(*plain, *PictureOf(window.MouseMove(0, 278, 153))), std::nullopt);
    // The hover images are keyed: magenta lets the normal image through.
    Bitmap keyed = test::SolidBitmap(11, 11, 0xC0C000);
    for (int y = 0; y < 11; ++y) keyed.pixels[std::size_t(y) * 11] = kColorKey;
    skin.Write("basic_interface\\sys_base_on.bmp", keyed);
    SurfacePtr lit = PictureOf(window.MouseMove(0, 5, 5));
    EXPECT_TRUE(RegionIs(*lit, {3, 3, 4, 14}, 0x808000));
    EXPECT_TRUE(RegionIs(*lit, {4, 3, 14, 14}, 0xC0C000));
}

TEST_F(ItemWindow, MissingPiecesLeaveWhatLiesBelowAndMissingButtonsHitNothing) {
    skin.Remove("basic_interface\\sys_mini_off.bmp");
    skin.Remove("basic_interface\\tab_itm_01.bmp");
    skin.Remove("basic_interface\\btnbar_right.bmp");
    skin.Remove("basic_interface\\sys_close_on.bmp");
    clsEmuItem fresh;
    fresh.ClassInitialize(pane, skin.Dir(), ColorChip{});
    SurfacePtr s = PictureOf(fresh.Refresh());
    EXPECT_TRUE(RegionIs(*s, {252, 14, 263, 17}, kTitleMiddle));
    EXPECT_TRUE(RegionIs(*s, {252, 3, 263, 14}, kTitleMiddle));
    EXPECT_TRUE(RegionIs(*s, {0, 17, 20, 99}, kBack));
    // Without the right end of the button bar, the right frame's last copy at y 113 shows.
    EXPECT_TRUE(RegionIs(*s, {276, 113, 280, 121}, kFrameRight));
    EXPECT_TRUE(RegionIs(*s, {276, 121, 280, 139}, kBack));
    // A minimise button that was never drawn has no hit area, not even at (0, 0).
    EXPECT_TRUE(ReturnsNothing(fresh.MouseDown(1, 0, 0)));
    EXPECT_TRUE(ReturnsNothing(fresh.MouseDown(1, 252, 3)));
    // A missing hover image lights nothing.
    EXPECT_EQ(DifferingRect(*s, *PictureOf(fresh.MouseMove(0, 270, 5))), std::nullopt);
}

TEST_F(ItemWindow, ColourChipIsReadAgainAtEveryRefresh) {
    skin.Solid("colorchip.bmp", 32, 8, 0x123456);
    EXPECT_TRUE(RegionIs(*Picture(), {20, 17, 40, 113}, 0x123456));
    skin.Remove("colorchip.bmp");
    EXPECT_TRUE(RegionIs(*Picture(), {20, 17, 40, 113}, 0x000000));
    skin.WriteBytes("colorchip.bmp", {'B', 'M', 1, 2});
    SurfaceResult broken = window.Refresh();
    ASSERT_FALSE(broken.has_value());
    EXPECT_NE(broken.error().message.find("colorchip.bmp"), std::string::npos);
    // The folded window does not read the chip.
    window.MouseDown(1, 252, 3);
    EXPECT_TRUE(window.Refresh().has_value());
}

TEST_F(ItemWindow, UnreadablePieceIsReportedAndMissingSamplePicturesLeaveThePanel) {
    skin.WriteBytes("basic_interface\\itemwin_mid.bmp", {'B', 'M'});
    SurfaceResult broken = window.MouseMove(0, 0, 0);
    ASSERT_FALSE(broken.has_value());
    EXPECT_NE(broken.error().message.find("itemwin_mid.bmp"), std::string::npos);

    skin.Solid("basic_interface\\itemwin_mid.bmp", 32, 32, kCell);
    clsEmuItem withoutPictures;
    test::FixtureGraphic empty;
    withoutPictures.ClassInitialize(pane, skin.Dir(), ColorChip{});
    SurfacePtr s = PictureOf(withoutPictures.Refresh());
    EXPECT_TRUE(RegionIs(*s, {40, 17, 72, 49}, kCell));
    EXPECT_TRUE(RegionIs(*s, {10, 150, 34, 174}, kPanel));
}

}  // namespace
}  // namespace morvish
