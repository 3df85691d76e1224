#include <gtest/gtest.h>

#include "render/PreviewPane.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"
#include "windows/clsEmuFriend.h"

namespace morvish {
namespace {

using test::ChangedRect;
using test::CountColor;
using test::PictureOf;
using test::RegionIs;
using test::ReturnsNothing;

constexpr std::uint32_t kBack = 0x404040, kChip = 0x33CC99;
constexpr std::uint32_t kLeft = 0x800000, kMiddle = 0x008000, kRight = 0x000080;
constexpr std::uint32_t kNormal = 0xD0D8E0, kHover = 0xFFE080, kPressed = 0xA08030;
constexpr std::uint32_t kIcon = 0xFFD700, kRadio = 0x20A020;

struct Button {
    const char* name;
    RECT place;
    bool pressedLook;  // false: the same look with and without the left button
};

constexpr Button kButtons[] = {
    {"system", {3, 3, 14, 14}, false},         {"close", {198, 3, 209, 14}, false},
    {"message 1", {5, 115, 29, 134}, true},    {"message 2", {31, 115, 55, 134}, true},
    {"message 3", {57, 115, 81, 134}, true},   {"message 4", {83, 115, 107, 134}, true},
    {"message 5", {108, 115, 132, 134}, true},
};

class PartyWindow : public ::testing::Test {
  protected:
    PartyWindow() {
        const std::string bi = "basic_interface\\";
        for (const auto& [bar, width, height] :
             {std::tuple{"titlebar_", 12, 17}, {"mesbtn_", 7, 19}, {"btnbar_", 21, 21}}) {
            skin.Solid(bi + bar + "left.bmp", width, height, kLeft);
            skin.Solid(bi + bar + "mid.bmp", width, height, kMiddle);
            skin.Solid(bi + bar + "right.bmp", width, height, kRight);
        }
        for (const char* icon : {"grp_leader", "grp_offline", "grp_online"}) {
            skin.Solid(bi + icon + ".bmp", 14, 14, kIcon);
        }
        skin.Solid("radiobtn_off.bmp", 11, 11, kRadio);
        skin.Solid("radiobtn_on.bmp", 11, 11, kRadio);
        skin.Solid("btn_resize.bmp", 11, 11, 0x606060);
        for (const char* button : {"sys_base", "sys_close"}) {
            skin.Solid(bi + button + "_off.bmp", 11, 11, kNormal);
            skin.Solid(bi + button + "_on.bmp", 11, 11, kHover);
        }
        for (int i = 1; i <= 5; ++i) {
            const std::string name = bi + "mesbtn_0" + std::to_string(i);
            skin.Solid(name + ".bmp", 24, 19, kNormal);
            skin.Solid(name + "_a.bmp", 24, 19, kHover);
            skin.Solid(name + "_b.bmp", 24, 19, kPressed);
        }
        // The window draws with the chip it was given, not with the file.
        skin.Solid("colorchip.bmp", 32, 8, 0x123456);
        ColorChip chip{};
        chip[1] = ToColor(kChip);
        window.ClassInitialize(pane, skin.Dir(), chip);
        window.Refresh();
    }

    test::FixtureSkin skin;
    MemoryPreviewPane pane{600, 400, kBack};
    clsEmuFriend window;
};

TEST_F(PartyWindow, FrameBarsHaveTheirMiddleOverTheRightEnd) {
    SurfacePtr s = PictureOf(window.Refresh());
    ASSERT_EQ(s->Width(), 212);
    ASSERT_EQ(s->Height(), 155);
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 212, 155}));
    // Title bar: middle copies x 12 to 203, right end from 200, visible from 204.
    EXPECT_TRUE(RegionIs(*s, {0, 14, 12, 17}, kLeft));
    EXPECT_TRUE(RegionIs(*s, {12, 14, 16, 17}, kMiddle));
    EXPECT_TRUE(RegionIs(*s, {160, 14, 204, 17}, kMiddle));
    EXPECT_TRUE(RegionIs(*s, {204, 14, 212, 17}, kRight));
    // Message bar: middle copies x 7 to 209, right end from 205, visible from 210.
    EXPECT_TRUE(RegionIs(*s, {0, 115, 5, 134}, kLeft));
    EXPECT_TRUE(RegionIs(*s, {132, 115, 210, 134}, kMiddle));
    EXPECT_TRUE(RegionIs(*s, {210, 115, 212, 134}, kRight));
    // Bottom bar: middle copies x 21 to 209, right end from 191, visible from 210.
    EXPECT_TRUE(RegionIs(*s, {0, 134, 4, 155}, kLeft));
    EXPECT_TRUE(RegionIs(*s, {150, 134, 197, 155}, kMiddle));
    EXPECT_TRUE(RegionIs(*s, {210, 134, 212, 155}, kRight));
}

TEST_F(PartyWindow, ListShowsTheMembersInTheirColoursOnTheChipColour) {
    SurfacePtr s = PictureOf(window.Refresh());
    EXPECT_TRUE(RegionIs(*s, {0, 92, 212, 115}, kChip));
    EXPECT_TRUE(RegionIs(*s, {4, 21, 18, 35}, kIcon));
    EXPECT_TRUE(RegionIs(*s, {4, 39, 18, 53}, kIcon));
    EXPECT_TRUE(RegionIs(*s, {4, 57, 18, 71}, kIcon));
    EXPECT_TRUE(RegionIs(*s, {0, 73, 22, 115}, kChip));  // the fourth member has no icon
    // Form colours 0x00BBGGRR: blue, red, magenta and cyan.
    const std::pair<RECT, std::uint32_t> members[] = {{{22, 23, 200, 36}, 0x0000FF},
                                                      {{22, 41, 100, 54}, 0xFF0000},
                                                      {{22, 59, 200, 72}, 0xFF00FF},
                                                      {{22, 77, 100, 90}, 0x00FFFF}};
    for (const auto& [area, colour] : members) {
        EXPECT_GT(CountColor(*s, area, colour), 0) << area.Top;
    }
    EXPECT_GT(CountColor(*s, {16, 3, 150, 16}, 0x000000), 0);
    EXPECT_GT(CountColor(*s, {17, 4, 151, 17}, 0xFFFFFF), 0);
    EXPECT_GT(CountColor(*s, {17, 139, 60, 152}, 0x000000), 0);
    EXPECT_GT(CountColor(*s, {77, 139, 120, 152}, 0x000000), 0);
    EXPECT_TRUE(RegionIs(*s, {4, 139, 15, 150}, kRadio));
    EXPECT_TRUE(RegionIs(*s, {64, 139, 75, 150}, kRadio));
}

TEST_F(PartyWindow, ButtonsShowHoverWithoutAndPressedWithTheLeftButton) {
    for (const Button& button : kButtons) {
        for (int mask : {0, 1, 2, 4}) {
            SCOPED_TRACE(::testing::Message() << button.name << " with buttons " << mask);
            const std::uint32_t look = mask == 1 && button.pressedLook ? kPressed : kHover;
            const RECT& r = button.place;
            for (auto operation : {&clsEmuFriend::MouseMove, &clsEmuFriend::MouseDown}) {
                EXPECT_TRUE(
                    RegionIs(*PictureOf((window.*operation)(mask, r.Left, r.Top)), r, look));
            }
            // Inclusive on the right and bottom edges, and not a pixel further (the fifth
            // message button starts right after the fourth's hit area).
            EXPECT_EQ(ChangedRect(window, window.MouseMove(mask, r.Right, r.Bottom)), r);
            EXPECT_NE(ChangedRect(window, window.MouseMove(mask, r.Right + 1, r.Bottom)), r);
            EXPECT_EQ(ChangedRect(window, window.MouseMove(mask, r.Right, r.Bottom + 1)),
                      std::nullopt);
        }
    }
}

TEST_F(PartyWindow, MissingLooksAndButtonsLeaveTheNormalPicture) {
    skin.Remove("basic_interface\\mesbtn_03_b.bmp");
    skin.Remove("basic_interface\\mesbtn_02.bmp");
    skin.Remove("basic_interface\\titlebar_mid.bmp");
    clsEmuFriend fresh;
    fresh.ClassInitialize(pane, skin.Dir(), ColorChip{});
    SurfacePtr s = PictureOf(fresh.Refresh());
    EXPECT_TRUE(RegionIs(*s, {160, 14, 200, 17}, kBack));
    EXPECT_TRUE(RegionIs(*s, {200, 14, 212, 17}, kRight));
    EXPECT_TRUE(RegionIs(*s, {31, 115, 55, 134}, kMiddle));
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseDown(1, 60, 120)), std::nullopt);
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseDown(0, 60, 120)), (RECT{57, 115, 81, 134}));
    // The second message button was never drawn: it answers nowhere, not even at (0, 0).
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseMove(0, 40, 120)), std::nullopt);
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseMove(0, 0, 0)), std::nullopt);
}

TEST_F(PartyWindow, UnreadablePieceIsReported) {
    skin.WriteBytes("basic_interface\\mesbtn_mid.bmp", {'B', 'M', 0, 0});
    SurfaceResult broken = window.MouseMove(0, 10, 120);
    ASSERT_FALSE(broken.has_value());
    EXPECT_NE(broken.error().message.find("mesbtn_mid.bmp"), std::string::npos);
}

}  // namespace
}  // namespace morvish
