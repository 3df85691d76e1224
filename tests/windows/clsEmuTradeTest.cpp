#include <gtest/gtest.h>

#include "render/PreviewPane.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"
#include "windows/clsEmuTrade.h"

namespace morvish {
namespace {

using test::ChangedRect;
using test::RegionIs;
using test::ReturnsNothing;

constexpr std::uint32_t kBackground = 0x203040;
constexpr std::uint32_t kPanels = 0xD0D0D0;  // exchange_bg
constexpr std::uint32_t kLock = 0x11AA22;    // colour chip entry 11 given at initialisation
constexpr std::uint32_t kCaret = 0xAA1122;   // colour chip entry 2
constexpr std::uint32_t kSample = 0x00C8FA;

constexpr RECT kOk{3, 97, 43, 117};
constexpr RECT kExchange{119, 97, 159, 117};
constexpr RECT kCancel{235, 97, 275, 117};

class TradeWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        skin.Solid("basic_interface\\titlebar_fix.bmp", 280, 17, 0x5A8CE6);
        skin.Solid("basic_interface\\exchange_bg.bmp", 280, 103, kPanels);
        int shade = 0x10;
        for (const char* name : {"btn_ok", "btn_exchange", "btn_cancel"}) {
            for (const char* look : {"", "_a", "_b", "_dis"}) {
                skin.Solid(std::string(name) + look + ".bmp", 40, 20, 0x010101u * shade);
                shade += 0x10;
            }
        }
        skin.Remove("btn_cancel_dis.bmp");
        graphic.Solid("trade.bmp", 20, 20, kSample);
        // The window keeps the chip it was given; a colorchip.bmp on disk plays no part.
        skin.Write("colorchip.bmp", test::ColorChipPicture({}));
        ColorChip chip{};
        chip[2] = ToColor(kCaret);
        chip[11] = ToColor(kLock);
        window.ClassInitialize(pane, skin.Dir(), chip);
    }

    SurfacePtr Refreshed() {
        SurfacePtr picture = test::PictureOf(window.Refresh());
        return picture ? std::move(picture) : std::make_unique<DirectDrawSurface7>(1, 1);
    }
    // The colour of the button look drawn in the first row of `button`.
    static std::uint32_t Look(const DirectDrawSurface7& picture, const RECT& button) {
        return picture.Pixel(button.Left + 10, button.Top + 10);
    }

    test::FixtureSkin skin;
    test::FixtureGraphic graphic;
    MemoryPreviewPane pane{400, 400, ToColor(kBackground)};
    clsEmuTrade window;
};

TEST_F(TradeWindow, LeftClickLocksAPanelAndAnyOtherButtonClearsIt) {
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 120}));
    SurfacePtr open = Refreshed();
    EXPECT_EQ(open->Width(), 280);
    EXPECT_EQ(open->Height(), 120);
    EXPECT_TRUE(RegionIs(*open, RECT{50, 74, 104, 90}, 0xEFEBEF));  // the zeny field
    EXPECT_GT(test::CountColor(*open, RECT{43, 74, 49, 90}, kCaret), 48);

    // The panel's hit rectangle is inclusive and covers exactly the locked box.
    SurfacePtr locked = test::PictureOf(window.MouseDown(1, 137, 70));
    ASSERT_TRUE(locked);
    EXPECT_TRUE(window.Locked(0));
    EXPECT_FALSE(window.Locked(1));
    EXPECT_TRUE(RegionIs(*locked, RECT{4, 37, 138, 71}, kLock));
    EXPECT_EQ(locked->Pixel(138, 50), kPanels);
    EXPECT_TRUE(RegionIs(*locked, RECT{40, 74, 96, 90}, kPanels));  // no zeny field
    // The sample item is drawn again over the box.
    EXPECT_TRUE(RegionIs(*locked, RECT{4, 17, 24, 37}, kSample));

    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 138, 40)));  // between the panels
    EXPECT_TRUE(window.Locked(0));
    window.MouseDown(2, 4, 17);
    EXPECT_FALSE(window.Locked(0));
    window.MouseDown(1, 60, 40);
    window.MouseDown(4, 60, 40);
    EXPECT_FALSE(window.Locked(0));

    SurfacePtr partner = test::PictureOf(window.MouseDown(1, 277, 70));
    ASSERT_TRUE(partner);
    EXPECT_TRUE(window.Locked(1));
    EXPECT_TRUE(RegionIs(*partner, RECT{144, 17, 278, 71}, kLock));
    EXPECT_TRUE(RegionIs(*partner, RECT{50, 74, 104, 90}, 0xEFEBEF));
    window.MouseDown(2, 144, 17);
    EXPECT_FALSE(window.Locked(1));
}

TEST_F(TradeWindow, ButtonLooksFollowTheHeldButton) {
    window.Refresh();
    struct Case {
        RECT button;
        std::uint32_t hover, pressed, rightHeld;
    };
    // Shades 0x10 apart in the order normal, hover, pressed, disabled; cancel has no disabled
    // look and shows its hover look for the right button.
    const Case cases[] = {
        {kOk, 0x202020, 0x303030, 0x404040},
        {kExchange, 0x606060, 0x707070, 0x808080},
        {kCancel, 0xA0A0A0, 0xB0B0B0, 0xA0A0A0},
    };
    for (const Case& c : cases) {
        const int x = c.button.Right, y = c.button.Bottom;  // inclusive edge
        for (int held : {0, 1, 2, 4}) {
            SurfacePtr look = test::PictureOf(window.MouseMove(held, x, y));
            ASSERT_TRUE(look);
            EXPECT_EQ(test::DifferingRect(*look, *Refreshed()), c.button) << held;
            EXPECT_EQ(Look(*look, c.button), held == 1   ? c.pressed
                                             : held == 2 ? c.rightHeld
                                                         : c.hover);
        }
        EXPECT_EQ(ChangedRect(window, window.MouseMove(0, x + 1, y)), std::nullopt);
    }

    // Without a disabled exchange image the right button leaves the normal one.
    skin.Remove("btn_exchange_dis.bmp");
    EXPECT_EQ(ChangedRect(window, window.MouseMove(2, 130, 100)), std::nullopt);
}

TEST_F(TradeWindow, PressOnAButtonReturnsNothing) {
    window.Refresh();
    for (int held : {1, 2}) {
        EXPECT_TRUE(ReturnsNothing(window.MouseDown(held, 10, 100)));
        EXPECT_TRUE(ReturnsNothing(window.MouseDown(held, 130, 100)));
        EXPECT_TRUE(ReturnsNothing(window.MouseDown(held, 250, 100)));
    }
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 100, 115)));
    EXPECT_FALSE(window.Locked(0));

    // An error in drawing the look is not swallowed.
    skin.WriteBytes("basic_interface\\exchange_bg.bmp", {'B', 'M', 7});
    SurfaceResult broken = window.MouseDown(1, 10, 100);
    ASSERT_FALSE(broken.has_value());
    EXPECT_NE(broken.error().message.find("exchange_bg.bmp"), std::string::npos);
}

TEST_F(TradeWindow, MissingButtonHasNoHitAreaUntilItIsDrawn) {
    skin.Remove("btn_ok.bmp");
    window.Refresh();
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 0, 0)), std::nullopt);
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 10, 100)), std::nullopt);

    skin.Solid("btn_ok.bmp", 40, 20, 0x101010);
    window.Refresh();
    skin.Remove("btn_ok.bmp");
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 10, 100)), kOk);
}

}  // namespace
}  // namespace morvish
