#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "render/BmpDecoder.h"
#include "render/PreviewPane.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"
#include "windows/clsEmuEquip.h"

namespace morvish {
namespace {

using test::ChangedRect;
using test::CountColor;
using test::PictureOf;
using test::RegionIs;
using test::ReturnsNothing;

constexpr std::uint32_t kBack = 0x404040, kTitle = 0x6080C0, kBackground = 0xE0D0C0;
constexpr std::uint32_t kSample = 0xC0D0FF, kCart = 0xC09060, kItems = 0x90B090;
constexpr std::uint32_t kHighlight = 0xFF8080;

class EquipWindow : public ::testing::Test {
  protected:
    EquipWindow() {
        skin.Solid("basic_interface\\titlebar_fix.bmp", 280, 17, kTitle);
        for (const char* button : {"base", "mini", "close"}) {
            skin.Solid(std::string("basic_interface\\sys_") + button + "_off.bmp", 11, 11,
                       0x808080);
            skin.Solid(std::string("basic_interface\\sys_") + button + "_on.bmp", 11, 11, 0xFFE080);
        }
        skin.Solid("basic_interface\\equipwin_bg.bmp", 280, 130, kBackground);
        skin.Solid("basic_interface\\btn_cartoff.bmp", 36, 16, kCart);
        skin.Solid("basic_interface\\btn_items_off.bmp", 28, 16, kItems);
        skin.Solid("basic_interface\\btn_items_on.bmp", 28, 16, 0xC0F0C0);
        // Larger than the spot that shows it.
        skin.Solid("basic_interface\\item_invert.bmp", 30, 20, kHighlight);
        // The sample picture's left column is magenta: the background shows through it.
        Bitmap sample = test::SolidBitmap(60, 20, kSample);
        for (int y = 0; y < 20; ++y) sample.pixels[std::size_t(y) * 60] = kColorKey;
        WriteSample(sample);
        window.ClassInitialize(pane, skin.Dir(), ColorChip{});
    }

    void WriteSample(const Bitmap& picture) {
        const std::vector<std::uint8_t> bytes = EncodeBmp24(picture);
        std::ofstream(graphic.Dir() / "equip.bmp", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    test::FixtureGraphic graphic;
    test::FixtureSkin skin;
    MemoryPreviewPane pane{600, 400, kBack};
    clsEmuEquip window;
};

TEST_F(EquipWindow, OpenWindowShowsItsPiecesAndAllNineTexts) {
    SurfacePtr s = PictureOf(window.Refresh());
    ASSERT_EQ(s->Width(), 280);
    ASSERT_EQ(s->Height(), 147);
    EXPECT_TRUE(RegionIs(*s, {100, 0, 250, 3}, kTitle));
    EXPECT_TRUE(RegionIs(*s, {252, 3, 263, 14}, 0x808080));
    EXPECT_TRUE(RegionIs(*s, {0, 17, 1, 37}, kBackground));  // through the magenta column
    EXPECT_TRUE(RegionIs(*s, {1, 17, 60, 37}, kSample));
    EXPECT_TRUE(RegionIs(*s, {250, 17, 280, 147}, kBackground));
    EXPECT_TRUE(RegionIs(*s, {122, 107, 158, 123}, kCart));
    EXPECT_TRUE(RegionIs(*s, {126, 87, 154, 103}, kItems));
    // Each text is black with a white edge.
    const RECT texts[] = {{16, 3, 90, 16},    {33, 45, 80, 58},    {33, 71, 80, 84},
                          {33, 97, 80, 110},  {33, 123, 90, 136},  {181, 45, 240, 58},
                          {181, 71, 240, 84}, {181, 97, 240, 110}, {181, 123, 240, 136}};
    for (const RECT& text : texts) {
        EXPECT_GT(CountColor(*s, text, 0x000000), 0) << text.Left << ", " << text.Top;
        EXPECT_GT(CountColor(*s, text, 0xFFFFFF), 0) << text.Left << ", " << text.Top;
    }
}

TEST_F(EquipWindow, MinimiseButtonFoldsAndRestoresWithTheLeftButtonOnly) {
    window.Refresh();
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(2, 252, 3)));
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 264, 3)));
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 147}));

    SurfacePtr folded = PictureOf(window.MouseDown(1, 263, 14));
    ASSERT_NE(folded, nullptr);
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 17}));
    ASSERT_EQ(folded->Height(), 17);
    EXPECT_TRUE(RegionIs(*folded, {100, 0, 250, 3}, kTitle));
    EXPECT_TRUE(RegionIs(*folded, {3, 3, 14, 14}, 0x808080));
    EXPECT_GT(CountColor(*folded, {16, 3, 90, 16}, 0x000000), 0);

    EXPECT_EQ(PictureOf(window.MouseDown(1, 252, 3))->Height(), 147);
}

TEST_F(EquipWindow, ButtonsAndTheHighlightSpotLightUpUnderThePointer) {
    window.Refresh();
    struct Case {
        int x, y;
        std::optional<RECT> lit;
    };
    for (Case c : {Case{3, 3, RECT{3, 3, 14, 14}},
                   {263, 14, RECT{252, 3, 263, 14}},
                   {277, 14, RECT{266, 3, 277, 14}},
                   {154, 103, RECT{126, 87, 154, 103}},
                   // The highlight spot is fixed at (4, 28) to (25, 38), whatever the image.
                   {4, 28, RECT{3, 25, 33, 45}},
                   {25, 38, RECT{3, 25, 33, 45}},
                   {26, 38, std::nullopt},
                   {25, 39, std::nullopt},
                   {3, 30, std::nullopt},
                   // The cart button has no hover image.
                   {130, 110, std::nullopt}}) {
        for (int button : {0, 1, 2}) {
            EXPECT_EQ(ChangedRect(window, window.MouseMove(button, c.x, c.y)), c.lit)
                << c.x << ", " << c.y << " with buttons " << button;
        }
    }
}

TEST_F(EquipWindow, FoldedWindowShowsNoHoverBelowItsBar) {
    window.Refresh();
    window.MouseDown(1, 252, 3);
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 130, 90)), std::nullopt);
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 10, 30)), std::nullopt);
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 3, 3)), (RECT{3, 3, 14, 14}));
}

TEST_F(EquipWindow, MissingPiecesLeaveWhatLiesBelowAndMissingButtonsHitNothing) {
    skin.Remove("basic_interface\\sys_mini_off.bmp");
    skin.Remove("basic_interface\\btn_items_off.bmp");
    std::filesystem::remove(graphic.Dir() / "equip.bmp");
    clsEmuEquip fresh;
    fresh.ClassInitialize(pane, skin.Dir(), ColorChip{});
    SurfacePtr s = PictureOf(fresh.Refresh());
    EXPECT_TRUE(RegionIs(*s, {252, 3, 263, 14}, kTitle));
    EXPECT_TRUE(RegionIs(*s, {0, 17, 60, 37}, kBackground));
    EXPECT_TRUE(RegionIs(*s, {126, 87, 154, 103}, kBackground));
    EXPECT_TRUE(ReturnsNothing(fresh.MouseDown(1, 0, 0)));
    EXPECT_TRUE(ReturnsNothing(fresh.MouseDown(1, 252, 3)));
    // The items button's hover image has nowhere to go while the button was never drawn.
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseMove(0, 130, 90)), std::nullopt);
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseMove(0, 0, 0)), std::nullopt);

    skin.Remove("basic_interface\\equipwin_bg.bmp");
    EXPECT_TRUE(RegionIs(*PictureOf(fresh.Refresh()), {250, 17, 280, 147}, kBack));
}

TEST_F(EquipWindow, UnreadablePieceIsReported) {
    skin.WriteBytes("basic_interface\\equipwin_bg.bmp", {'B', 'M', 0});
    SurfaceResult broken = window.MouseMove(0, 10, 10);
    ASSERT_FALSE(broken.has_value());
    EXPECT_NE(broken.error().message.find("equipwin_bg.bmp"), std::string::npos);
    // The folded window does not load the background.
    window.MouseDown(1, 252, 3);
    EXPECT_TRUE(window.Refresh().has_value());
}

}  // namespace
}  // namespace morvish
