#include <gtest/gtest.h>

#include "render/PreviewPane.h"
#include "render/mdlMain.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"
#include "windows/clsEmuEtc.h"

namespace morvish {
namespace {

using test::ChangedRect;
using test::RegionIs;
using test::ReturnsNothing;

constexpr std::uint32_t kBackground = 0x203040;
constexpr std::uint32_t kChip1 = 0x0A0B01;
constexpr std::uint32_t kChip5 = 0x0A0B05;
constexpr std::uint32_t kChip10 = 0x0A0B10;

// A lit control: where its image goes and the colours of its looks for the left button, the
// right button and anything else.
struct Control {
    RECT image;
    std::uint32_t left, right, other;
};

// Text buttons are 40 × 20; look j of button i has the colour 0x(i+1)(j+1)40.
constexpr std::uint32_t Shade(int button, int look) {
    return std::uint32_t(button + 1) << 16 | std::uint32_t(look + 1) << 8 | 0x40;
}
constexpr const char* kTextButtons[] = {"back", "buy", "cancel", "close", "exchange",
                                        "next", "ok",  "sell",   "use"};

class EtcCanvas : public ::testing::Test {
  protected:
    void SetUp() override {
        skin.Solid("basic_interface\\dialog_bg.bmp", 610, 29, 0x303030);
        skin.Solid("basic_interface\\dialog_btn0.bmp", 12, 16, 0x010101);
        skin.Solid("basic_interface\\dialog_btn1.bmp", 12, 16, 0x020202);
        skin.Solid("basic_interface\\dialog_btn2.bmp", 12, 16, 0x030303);
        skin.Solid("basic_interface\\sys_base_off.bmp", 8, 8, 0x040404);
        skin.Solid("basic_interface\\sys_base_on.bmp", 8, 8, 0x050505);
        skin.Solid("basic_interface\\sys_close_off.bmp", 11, 11, 0x060606);
        skin.Solid("basic_interface\\sys_close_on.bmp", 11, 11, 0x070707);
        skin.Solid("basic_interface\\shortitem_btn.bmp", 24, 3, 0x080808);
        skin.Solid("basic_interface\\lv_up_off.bmp", 40, 20, 0x090909);
        skin.Solid("basic_interface\\lv_up_on.bmp", 40, 20, 0x0A0A0A);
        skin.Solid("basic_interface\\arw_right.bmp", 11, 11, 0x0B0B0B);
        skin.Solid("basic_interface\\arw_right_on.bmp", 11, 11, 0x0C0C0C);
        for (int i = 0; i < 9; ++i) {
            const std::string name = std::string("btn_") + kTextButtons[i];
            skin.Solid(name + ".bmp", 40, 20, Shade(i, 0));
            skin.Solid(name + "_a.bmp", 40, 20, Shade(i, 1));
            skin.Solid(name + "_b.bmp", 40, 20, Shade(i, 2));
        }
        skin.Solid("btn_exchange_dis.bmp", 40, 20, Shade(4, 3));
        skin.Solid("btn_ok_dis.bmp", 40, 20, Shade(6, 3));
        ColorChip chip{};
        chip[1] = ToColor(kChip1), chip[5] = ToColor(kChip5), chip[10] = ToColor(kChip10);
        window.ClassInitialize(pane, skin.Dir(), chip);
    }

    SurfacePtr Refreshed() {
        SurfacePtr picture = test::PictureOf(window.Refresh());
        return picture ? std::move(picture) : std::make_unique<DirectDrawSurface7>(1, 1);
    }

    test::FixtureSkin skin;
    test::FixtureGraphic graphic;
    MemoryPreviewPane pane{700, 200, ToColor(kBackground)};
    clsEmuEtc window;
};

TEST_F(EtcCanvas, ControlsShowTheLookOfTheHeldButtonOverThemselves) {
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 610, 144}));
    EXPECT_EQ(Refreshed()->Width(), 610);

    std::vector<Control> controls{
        {{96, 3, 108, 19}, 0x030303, 0x030303, 0x020202},    // dialog bar button
        {{572, 7, 580, 15}, 0x050505, 0x050505, 0x050505},   // first system button
        {{266, 32, 277, 43}, 0x070707, 0x070707, 0x070707},  // shortcut bar close
        {{423, 99, 463, 119}, 0x0A0A0A, 0x0A0A0A, 0x0A0A0A},
        {{153, 132, 164, 143}, 0x0C0C0C, 0x0C0C0C, 0x0C0C0C},
    };
    for (int i = 0; i < 9; ++i) {
        const int disabledOrHover = (i == 4 || i == 6) ? 3 : 1;  // exchange and OK
        controls.push_back(Control{RECT{47 * i, 107, 47 * i + 40, 127}, Shade(i, 2),
                                   Shade(i, disabledOrHover), Shade(i, 1)});
    }
    window.Refresh();
    for (const Control& control : controls) {
        const int x = control.image.Right, y = control.image.Bottom;  // inclusive edge
        for (int held : {0, 1, 2, 4}) {
            SurfacePtr look = test::PictureOf(window.MouseMove(held, x, y));
            ASSERT_TRUE(look);
            EXPECT_EQ(test::DifferingRect(*look, *Refreshed()), control.image) << x << " " << held;
            const std::uint32_t expected =
                held == 1 ? control.left : (held == 2 ? control.right : control.other);
            EXPECT_EQ(look->Pixel(control.image.Left, control.image.Top), expected);
        }
        EXPECT_EQ(ChangedRect(window, window.MouseMove(0, x + 1, y)), std::nullopt) << x;
    }
}

TEST_F(EtcCanvas, SecondSystemButtonIsTheFirstDrawnAgainWithAFixedHitArea) {
    SurfacePtr plain = Refreshed();
    EXPECT_TRUE(RegionIs(*plain, RECT{572, 7, 580, 15}, 0x040404));
    EXPECT_TRUE(RegionIs(*plain, RECT{586, 7, 594, 15}, 0x040404));
    // It reacts on (587, 8) to (595, 16), not on its bitmap's own top-left pixel.
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 595, 16)), (RECT{586, 7, 594, 15}));
    EXPECT_EQ(ChangedRect(window, window.MouseMove(1, 587, 8)), (RECT{586, 7, 594, 15}));
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 586, 7)), std::nullopt);
}

TEST_F(EtcCanvas, PressesReachOnlyTheDialogTextAndLevelButtonsAndTheArrow) {
    window.Refresh();
    for (int i = 0; i < 9; ++i) {
        const RECT image{47 * i, 107, 47 * i + 40, 127};
        EXPECT_EQ(ChangedRect(window, window.MouseDown(1, image.Left + 5, 110)), image);
    }
    EXPECT_EQ(ChangedRect(window, window.MouseDown(2, 100, 10)), (RECT{96, 3, 108, 19}));
    EXPECT_EQ(ChangedRect(window, window.MouseDown(1, 430, 100)), (RECT{423, 99, 463, 119}));
    EXPECT_EQ(ChangedRect(window, window.MouseDown(1, 155, 135)), (RECT{153, 132, 164, 143}));
    for (auto [x, y] : {std::pair{575, 10}, {590, 10}, {270, 35}, {10, 40}, {300, 5}}) {
        EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, x, y))) << x << "," << y;
    }
}

TEST_F(EtcCanvas, ShortcutSlotIsHighlightedBelowItself) {
    window.Refresh();
    for (int k = 0; k < 9; ++k) {
        const RECT highlight{5 + 29 * k, 59, 29 + 29 * k, 62};
        EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 28 + 29 * k, 57)), highlight) << k;
        EXPECT_EQ(ChangedRect(window, window.MouseMove(2, 4 + 29 * k, 33)), highlight) << k;
        EXPECT_EQ(ChangedRect(window, window.MouseMove(1, 29 + 29 * k, 45)), std::nullopt);
        EXPECT_EQ(ChangedRect(window, window.MouseMove(1, 32 + 29 * k, 45)), std::nullopt);
    }
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 10, 58)), std::nullopt);
}

TEST_F(EtcCanvas, SmallSystemBoxLetsTheCanvasThroughTheCornersMagenta) {
    Bitmap corner = test::SolidBitmap(7, 7, 0x0D0D0D);
    for (int i = 0; i < 3; ++i) corner.pixels[std::size_t(i) * 7 + std::size_t(i)] = kColorKey;
    for (const char* name : {"lu", "ld", "ru", "rd"}) {
        skin.Write(std::string("basic_interface\\sysboxs_") + name + ".bmp", corner);
    }
    SurfacePtr canvas = Refreshed();
    EXPECT_EQ(canvas->Pixel(285, 29), kBackground);                     // lu's magenta
    EXPECT_EQ(canvas->Pixel(286, 29), 0x0D0D0Du);                       // opaque corner pixel
    EXPECT_EQ(canvas->Pixel(285 + 174 + 1, 29 + 25 + 1), kBackground);  // rd's magenta
    EXPECT_EQ(canvas->Pixel(285 + 90, 29), kChip10);                    // outline
    EXPECT_EQ(canvas->Pixel(285 + 90, 29 + 31), kChip10);
    EXPECT_EQ(canvas->Pixel(285 + 170, 29 + 15), kChip1);  // inside
}

TEST_F(EtcCanvas, SystemBoxesCarryTheirBoxesAndBackground) {
    skin.Solid("sysbox_lu.bmp", 14, 14, 0x0E0E01);
    skin.Solid("sysbox_bg.bmp", 14, 14, 0x0E0E02);
    SurfacePtr canvas = Refreshed();
    // Three signs' frames, then the two message boxes.
    for (auto [x, y] : {std::pair{0, 68}, {150, 68}, {300, 68}, {470, 29}, {470, 88}}) {
        EXPECT_EQ(canvas->Pixel(x + 1, y + 1), 0x0E0E01u) << x << "," << y;
    }
    // The first message box holds boxes in chip entries 5 and 1 (they hide its inside), the
    // second has the background between its edges.
    EXPECT_EQ(canvas->Pixel(470 + 120, 29 + 12), kChip5);
    EXPECT_EQ(canvas->Pixel(470 + 100, 29 + 40), kChip1);
    EXPECT_EQ(canvas->Pixel(470 + 100, 88 + 30), 0x0E0E02u);
}

TEST_F(EtcCanvas, TextFieldsAndSignTitlesLieOverThePieces) {
    skin.Solid("shop.bmp", 140, 24, 0x0F0F01);
    SurfacePtr canvas = Refreshed();
    EXPECT_TRUE(RegionIs(*canvas, RECT{5, 4, 95, 20}, 0xF7F3F7));
    EXPECT_TRUE(RegionIs(*canvas, RECT{109, 4, 569, 20}, 0xF7F3F7));
    EXPECT_EQ(canvas->Pixel(100, 10), 0x010101u);  // the dialog bar button between them
    if (mdlMain::GetSkinFont(1, 9) == nullptr) GTEST_SKIP() << "no Japanese face installed";
    EXPECT_GT(test::CountColor(*canvas, RECT{31, 76, 100, 90}, 0x000000), 0);
}

TEST_F(EtcCanvas, MissingButtonHasNoHitArea) {
    skin.Remove("basic_interface\\dialog_btn0.bmp");
    skin.Remove("btn_back.bmp");
    window.Refresh();
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 0, 0)));
    EXPECT_TRUE(ReturnsNothing(window.MouseDown(1, 10, 110)));
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 100, 10)), std::nullopt);
}

}  // namespace
}  // namespace morvish
