#include <gtest/gtest.h>

#include "render/clsEmuAll.h"
#include "render/clsSkinMng.h"
#include "support/FixtureSkin.h"
#include "support/RecordingWindow.h"
#include "windows/WindowSlots.h"

namespace morvish {
namespace {

using test::RecordingWindow;
using test::RegionIs;

constexpr Color kBackground = RGB(0x20, 0x40, 0x60);
constexpr std::uint32_t kBackgroundPixel = 0x204060;

class AllWindowsView : public ::testing::Test {
  protected:
    AllWindowsView() : pane(900, 700, kBackground) { manager.ClassInitialize(pane, skin.Dir()); }

    clsEmuAll& View() { return static_cast<clsEmuAll&>(*manager.Window(1)); }

    // Puts a one-colour stand-in into every slot 2 to 12 with the windows' initial sizes; the
    // colour of slot s is s × 0x10 in red.
    void InstallStandIns() {
        static constexpr int kSizes[13][2] = {
            {0, 0},     {0, 0},     {280, 120}, {280, 245}, {280, 120}, {280, 120}, {280, 259},
            {280, 147}, {280, 120}, {212, 155}, {280, 309}, {280, 120}, {610, 144}};
        for (int slot = 2; slot <= 12; ++slot) {
            auto window = std::make_unique<RecordingWindow>(kSizes[slot][0], kSizes[slot][1],
                                                            SlotPixel(slot));
            standIns[slot] = window.get();
            manager.ReplaceWindow(slot, std::move(window));
        }
    }
    static std::uint32_t SlotPixel(int slot) { return std::uint32_t(slot) << 20; }

    test::FixtureSkin skin;
    MemoryPreviewPane pane;
    clsSkinMng manager{kWindowSlots};
    RecordingWindow* standIns[13] = {};
};

TEST_F(AllWindowsView, PlacesFollowFromTheInitialSizes) {
    struct Place {
        int slot, left, top;
    };
    const Place places[] = {{2, 0, 0},    {4, 0, 125},   {7, 0, 250},    {5, 0, 402},
                            {12, 0, 527}, {6, 285, 0},   {11, 285, 264}, {8, 285, 389},
                            {10, 570, 0}, {3, 570, 314}, {9, 615, 516}};
    for (const Place& p : places) {
        EXPECT_EQ(View().Place(p.slot).Left, p.left) << "slot " << p.slot;
        EXPECT_EQ(View().Place(p.slot).Top, p.top) << "slot " << p.slot;
    }
    EXPECT_EQ(View().getDrawRect(), (RECT{0, 0, 850, 676}));
    int right = 0, bottom = 0;
    for (int slot = 2; slot <= 12; ++slot) {
        right = std::max(right, View().Place(slot).Right);
        bottom = std::max(bottom, View().Place(slot).Bottom);
    }
    EXPECT_LE(right, 850);
    EXPECT_LE(bottom, 671);
}

TEST_F(AllWindowsView, ComposesEveryWindowOpaqueInSlotOrder) {
    InstallStandIns();
    ASSERT_TRUE(manager.Refresh(1));
    const DirectDrawSurface7* picture = manager.LastPicture();
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->Width(), 850);
    ASSERT_EQ(picture->Height(), 676);
    for (int slot = 2; slot <= 12; ++slot) {
        const RECT& place = View().Place(slot);
        EXPECT_EQ(picture->Pixel(place.Left, place.Top), SlotPixel(slot)) << slot;
        EXPECT_EQ(standIns[slot]->calls, 0) << "the view does not pass the mouse on";
    }
    // Between the windows the pane's background shows.
    EXPECT_EQ(picture->Pixel(282, 10), kBackgroundPixel);
    EXPECT_EQ(picture->Pixel(10, 122), kBackgroundPixel);
    EXPECT_TRUE(RegionIs(*picture, RECT{0, 671, 850, 676}, kBackgroundPixel));
}

TEST_F(AllWindowsView, MessageBoxShowsOnlyItsTopHundredTwentyRows) {
    InstallStandIns();
    standIns[3]->lowerRgb = 0x00FF00;  // rows 122 to 244 of the message box
    standIns[3]->Resize(280, 244);
    ASSERT_TRUE(manager.Refresh(1));
    const DirectDrawSurface7& picture = *manager.LastPicture();
    const RECT& place = View().Place(3);
    EXPECT_TRUE(RegionIs(picture, RECT{place.Left, place.Top, place.Left + 280, place.Top + 120},
                         SlotPixel(3)));
    EXPECT_EQ(picture.Pixel(place.Left, place.Top + 120), kBackgroundPixel);
    EXPECT_EQ(test::CountColor(picture, RECT{0, 0, 850, 676}, 0x00FF00), 0);
}

TEST_F(AllWindowsView, AWindowThatShrinksKeepsItsPlaceAndLeavesBackgroundBelow) {
    InstallStandIns();
    standIns[2]->Resize(280, 34);  // the basic window, minimised to its bar
    ASSERT_TRUE(manager.Refresh(1));
    const DirectDrawSurface7& picture = *manager.LastPicture();
    EXPECT_TRUE(RegionIs(picture, RECT{0, 0, 280, 34}, SlotPixel(2)));
    EXPECT_TRUE(RegionIs(picture, RECT{0, 34, 280, 125}, kBackgroundPixel));
    EXPECT_EQ(View().Place(4).Top, 125) << "the layout is not computed again";
    EXPECT_EQ(picture.Pixel(0, 125), SlotPixel(4));
}

TEST_F(AllWindowsView, GrownWindowsAreClippedToThePicture) {
    InstallStandIns();
    standIns[9]->Resize(400, 400);  // the party window, now reaching past both edges
    ASSERT_TRUE(manager.Refresh(1));
    const DirectDrawSurface7& picture = *manager.LastPicture();
    EXPECT_EQ(picture.Width(), 850);
    EXPECT_EQ(picture.Pixel(849, 675), SlotPixel(9));
}

TEST_F(AllWindowsView, MouseChangesNothing) {
    InstallStandIns();
    ASSERT_TRUE(manager.Refresh(1));
    const int presented = pane.Presentations();
    ASSERT_TRUE(manager.MouseDown(1, 30, 30));
    ASSERT_TRUE(manager.MouseMove(0, 30, 30));
    ASSERT_TRUE(manager.MouseUp(1, 30, 30));
    ASSERT_TRUE(manager.MouseDblClick(1, 30, 30));
    EXPECT_EQ(pane.Presentations(), presented);
    for (int slot = 2; slot <= 12; ++slot) EXPECT_EQ(standIns[slot]->calls, 0);
}

TEST_F(AllWindowsView, AnErrorInOneWindowIsTheViewsError) {
    InstallStandIns();
    standIns[7]->failing = true;
    Result<void> shown = manager.Refresh(1);
    ASSERT_FALSE(shown);
    EXPECT_NE(shown.error().message.find("broken.bmp"), std::string::npos);
}

}  // namespace
}  // namespace morvish
