#include <gtest/gtest.h>

#include "render/PreviewPane.h"
#include "support/FixtureSkin.h"
#include "support/WindowProbe.h"
#include "windows/clsEmuChat.h"

namespace morvish {
namespace {

using test::ChangedRect;
using test::CountColor;
using test::PictureOf;
using test::RegionIs;
using test::ReturnsNothing;

constexpr std::uint32_t kBack = 0x404040, kTitle = 0x6080C0, kBackground = 0xF0ECE4;
constexpr std::uint32_t kNormal = 0xD0D8E0, kHover = 0xFFE080, kPressed = 0xA08030;
constexpr std::uint32_t kRadio = 0x20A020;

// A control: where it lies, and which of its looks the left button gives.
struct Control {
    const char* name;
    RECT place;
    bool pressedLook;  // false: the same look with and without the left button
};

constexpr Control kControls[] = {
    {"close", {266, 3, 277, 14}, false},     {"member limit", {119, 46, 132, 59}, true},
    {"OK", {189, 96, 231, 116}, true},       {"cancel", {234, 96, 276, 116}, true},
    {"room kind", {256, 46, 269, 59}, true},
};

class ChatWindow : public ::testing::Test {
  protected:
    ChatWindow() {
        skin.Solid("basic_interface\\titlebar_fix.bmp", 280, 17, kTitle);
        skin.Solid("basic_interface\\sys_close_off.bmp", 11, 11, kNormal);
        skin.Solid("basic_interface\\sys_close_on.bmp", 11, 11, kHover);
        skin.Solid("basic_interface\\chatwin0_bg.bmp", 280, 103, kBackground);
        skin.Solid("radiobtn_off.bmp", 11, 11, kRadio);
        skin.Solid("radiobtn_on.bmp", 11, 11, kRadio);
        skin.Solid("basic_interface\\txtbox_btn_a.bmp", 13, 13, kNormal);
        skin.Solid("basic_interface\\txtbox_btn_b.bmp", 13, 13, kHover);
        skin.Solid("basic_interface\\txtbox_btn_c.bmp", 13, 13, kPressed);
        for (const std::string button : {"btn_ok", "btn_cancel"}) {
            skin.Solid(button + ".bmp", 42, 20, kNormal);
            skin.Solid(button + "_a.bmp", 42, 20, kHover);
            skin.Solid(button + "_b.bmp", 42, 20, kPressed);
        }
        window.ClassInitialize(pane, skin.Dir(), ColorChip{});
        window.Refresh();
    }

    test::FixtureSkin skin;
    MemoryPreviewPane pane{600, 400, kBack};
    clsEmuChat window;
};

TEST_F(ChatWindow, DialogShowsItsPiecesAndSampleSettings) {
    SurfacePtr s = PictureOf(window.Refresh());
    ASSERT_EQ(s->Width(), 280);
    ASSERT_EQ(s->Height(), 120);
    EXPECT_EQ(window.getDrawRect(), (RECT{0, 0, 280, 120}));
    EXPECT_TRUE(RegionIs(*s, {100, 0, 260, 17}, kTitle));
    EXPECT_TRUE(RegionIs(*s, {0, 17, 40, 120}, kBackground));
    EXPECT_TRUE(RegionIs(*s, {44, 70, 55, 81}, kRadio));
    EXPECT_TRUE(RegionIs(*s, {84, 70, 95, 81}, kRadio));
    for (const Control& control : kControls) {
        EXPECT_TRUE(RegionIs(*s, control.place, kNormal)) << control.name;
    }
    // The title, the room title, the member limit, the room kind and both radio labels.
    for (RECT text : {RECT{8, 3, 60, 16},
                      {48, 26, 150, 39},
                      {48, 49, 80, 62},
                      {187, 49, 256, 62},
                      {57, 70, 80, 83},
                      {97, 70, 135, 83}}) {
        EXPECT_GT(CountColor(*s, text, 0x000000), 0) << text.Left << ", " << text.Top;
    }
    EXPECT_GT(CountColor(*s, {9, 4, 61, 17}, 0xFFFFFF), 0);  // the title's white edge
}

TEST_F(ChatWindow, ControlsShowHoverWithoutAndPressedWithTheLeftButton) {
    for (const Control& control : kControls) {
        for (int button : {0, 1, 2, 4, 3}) {
            SCOPED_TRACE(::testing::Message() << control.name << " with buttons " << button);
            const std::uint32_t look = button == 1 && control.pressedLook ? kPressed : kHover;
            for (auto operation : {&clsEmuChat::MouseMove, &clsEmuChat::MouseDown}) {
                SurfacePtr lit =
                    PictureOf((window.*operation)(button, control.place.Left, control.place.Top));
                EXPECT_TRUE(RegionIs(*lit, control.place, look));
            }
            EXPECT_EQ(ChangedRect(window,
                                  window.MouseMove(button, control.place.Left, control.place.Top)),
                      control.place);
        }
    }
}

TEST_F(ChatWindow, HitAreasIncludeTheEdgeJustPastEachButton) {
    for (const Control& control : kControls) {
        const RECT& r = control.place;
        EXPECT_EQ(ChangedRect(window, window.MouseMove(0, r.Right, r.Bottom)), r) << control.name;
        EXPECT_EQ(ChangedRect(window, window.MouseMove(0, r.Right + 1, r.Bottom)), std::nullopt);
        EXPECT_EQ(ChangedRect(window, window.MouseMove(0, r.Left, r.Bottom + 1)), std::nullopt);
    }
    EXPECT_EQ(ChangedRect(window, window.MouseMove(0, 150, 30)), std::nullopt);
}

TEST_F(ChatWindow, MissingPiecesLeaveTheirPlaceAndMissingControlsLightNothing) {
    skin.Remove("radiobtn_off.bmp");
    skin.Remove("radiobtn_on.bmp");
    skin.Remove("btn_ok.bmp");
    skin.Remove("btn_cancel_b.bmp");
    clsEmuChat fresh;
    fresh.ClassInitialize(pane, skin.Dir(), ColorChip{});
    SurfacePtr s = PictureOf(fresh.Refresh());
    EXPECT_EQ(CountColor(*s, {44, 70, 95, 81}, kRadio), 0);
    EXPECT_GT(CountColor(*s, {57, 70, 135, 83}, 0x000000), 0);  // the labels stay
    EXPECT_TRUE(RegionIs(*s, {189, 96, 231, 116}, kBackground));
    // OK was never drawn: neither its place nor (0, 0) lights its hover look.
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseMove(0, 200, 100)), std::nullopt);
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseMove(0, 0, 0)), std::nullopt);
    // Cancel without its pressed look stays normal under the left button.
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseDown(1, 240, 100)), std::nullopt);
    EXPECT_EQ(ChangedRect(fresh, fresh.MouseDown(0, 240, 100)), (RECT{234, 96, 276, 116}));
}

TEST_F(ChatWindow, UnreadablePieceIsReported) {
    skin.WriteBytes("btn_cancel_a.bmp", {'B', 'M', 0, 0});
    EXPECT_TRUE(window.Refresh().has_value());
    SurfaceResult broken = window.MouseMove(0, 240, 100);
    ASSERT_FALSE(broken.has_value());
    EXPECT_NE(broken.error().message.find("btn_cancel_a.bmp"), std::string::npos);
}

}  // namespace
}  // namespace morvish
