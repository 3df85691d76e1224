#include <gtest/gtest.h>

#include "render/clsSkinMng.h"
#include "support/FixtureSkin.h"
#include "support/RecordingWindow.h"
#include "windows/WindowSlots.h"

namespace morvish {
namespace {

using test::RecordingWindow;

constexpr std::uint32_t kPicture = 0x3366CC;
constexpr Color kPaneColor = RGB(0xEE, 0xEE, 0xEE);
constexpr std::uint32_t kPanePixel = 0xEEEEEE;

class SkinManager : public ::testing::Test {
  protected:
    // A pane of 104 × 54 outside: its drawing area is 100 × 50 inside the 2-pixel border.
    SkinManager() : pane(104, 54, kPaneColor) {}

    RecordingWindow& Install(int slot, int width, int height) {
        auto window = std::make_unique<RecordingWindow>(width, height);
        RecordingWindow& installed = *window;
        manager.ReplaceWindow(slot, std::move(window));
        return installed;
    }

    std::uint32_t Shown(int x, int y) const { return pane.Shown().At(x, y); }

    test::FixtureSkin skin;
    MemoryPreviewPane pane;
    clsSkinMng manager{kWindowSlots};
};

TEST_F(SkinManager, DirectoryIsNormalisedWithOrWithoutTrailingSeparator) {
    const std::filesystem::path bare = skin.Dir().parent_path();
    ASSERT_TRUE(bare.has_filename());
    manager.ClassInitialize(pane, bare);
    EXPECT_EQ(manager.DirName(), skin.Dir());
    clsSkinMng other(kWindowSlots);
    other.ClassInitialize(pane, skin.Dir());
    EXPECT_EQ(other.DirName(), skin.Dir());
    RecordingWindow& window = Install(4, 10, 10);
    EXPECT_EQ(window.dir, skin.Dir()) << "windows receive the normalised directory";
}

TEST_F(SkinManager, TwelveSlotsAndTheAllWindowsViewFirst) {
    manager.ClassInitialize(pane, skin.Dir());
    for (int slot = 1; slot <= 12; ++slot) EXPECT_NE(manager.Window(slot), nullptr) << slot;
    EXPECT_EQ(manager.Window(0), nullptr);
    EXPECT_EQ(manager.Window(13), nullptr);
    EXPECT_EQ(manager.Window(1)->getDrawRect(), (RECT{0, 0, 850, 676}));
    EXPECT_EQ(manager.Window(2)->getDrawRect(), (RECT{0, 0, 280, 120}));
    EXPECT_EQ(manager.Window(12)->getDrawRect(), (RECT{0, 0, 610, 144}));
}

TEST_F(SkinManager, SmallerPictureIsCentredWithTheOddPixelRightAndBelow) {
    manager.ClassInitialize(pane, skin.Dir());
    Install(3, 51, 21);
    ASSERT_TRUE(manager.Refresh(3));
    ASSERT_EQ(pane.Shown().width, 100);
    ASSERT_EQ(pane.Shown().height, 50);
    // (100 - 51) \ 2 = 24 columns left, 25 right; (50 - 21) \ 2 = 14 rows above, 15 below.
    EXPECT_EQ(Shown(23, 20), kPanePixel);
    EXPECT_EQ(Shown(24, 20), kPicture);
    EXPECT_EQ(Shown(74, 20), kPicture);
    EXPECT_EQ(Shown(75, 20), kPanePixel);
    EXPECT_EQ(Shown(30, 13), kPanePixel);
    EXPECT_EQ(Shown(30, 14), kPicture);
    EXPECT_EQ(Shown(30, 34), kPicture);
    EXPECT_EQ(Shown(30, 35), kPanePixel);
}

// A mouse move in the same place hands the pane only the picture's rectangle; whatever else the
// pane was shown meanwhile, or a change of size or colour, brings the whole area back.
TEST_F(SkinManager, PresentingAgainInPlaceShowsTheWholeAreaWhateverCameBetween) {
    manager.ClassInitialize(pane, skin.Dir());
    RecordingWindow& window = Install(3, 51, 21);
    ASSERT_TRUE(manager.Refresh(3));
    const auto expect = [&](std::uint32_t picture, std::uint32_t around) {
        for (int y = 0; y < 50; ++y) {
            for (int x = 0; x < 100; ++x) {
                const bool inside = x >= 24 && x < 75 && y >= 14 && y < 35;
                ASSERT_EQ(Shown(x, y), inside ? picture : around) << x << "," << y;
            }
        }
    };
    window.lowerRgb = 0x00FF00;
    ASSERT_TRUE(manager.MouseMove(0, 30, 20));
    EXPECT_EQ(Shown(30, 30), 0x00FF00u);
    EXPECT_EQ(Shown(30, 14), kPicture);
    // A screenshot of the same size shown in between.
    pane.ShowPicture(Bitmap(100, 50, std::vector<std::uint32_t>(5000, 0x123456)));
    window.lowerRgb.reset();
    ASSERT_TRUE(manager.MouseMove(0, 30, 20));
    expect(kPicture, kPanePixel);
    pane.SetBackColor(RGB(0, 0, 255));
    ASSERT_TRUE(manager.MouseMove(0, 30, 20));
    expect(kPicture, 0x0000FFu);
}

TEST_F(SkinManager, LargerPictureIsShownFromItsTopLeftAndCutOff) {
    manager.ClassInitialize(pane, skin.Dir());
    Install(3, 150, 80);
    ASSERT_TRUE(manager.Refresh(3));
    EXPECT_TRUE(test::RegionIs(DirectDrawSurface7(pane.Shown()), RECT{0, 0, 100, 50}, kPicture));

    // Wider only: cut at the right, centred vertically.
    Install(4, 150, 20);
    ASSERT_TRUE(manager.Refresh(4));
    EXPECT_EQ(Shown(0, 14), kPanePixel);
    EXPECT_EQ(Shown(0, 15), kPicture);
    EXPECT_EQ(Shown(99, 34), kPicture);
}

TEST_F(SkinManager, MousePositionsReachTheWindowInItsOwnCoordinates) {
    manager.ClassInitialize(pane, skin.Dir());
    RecordingWindow& window = Install(3, 51, 21);
    ASSERT_TRUE(manager.Refresh(3));

    ASSERT_TRUE(manager.MouseDown(1, 24, 14));
    EXPECT_EQ(window.last, "down");
    EXPECT_EQ(window.button, 1);
    EXPECT_EQ(window.x, 0);
    EXPECT_EQ(window.y, 0);

    ASSERT_TRUE(manager.MouseMove(0, 30, 20));
    EXPECT_EQ(window.last, "move");
    EXPECT_EQ(window.button, 0) << "moves without a button are passed on";
    EXPECT_EQ(window.x, 6);
    ASSERT_TRUE(manager.MouseUp(2, 25, 15));
    EXPECT_EQ(window.last, "up");
    ASSERT_TRUE(manager.MouseDblClick(4, 25, 15));
    EXPECT_EQ(window.last, "dblclick");
    EXPECT_EQ(window.button, 4);
}

TEST_F(SkinManager, PointsLeftOrAboveThePictureAreNotPassedOnButRightAndBelowAre) {
    manager.ClassInitialize(pane, skin.Dir());
    RecordingWindow& window = Install(3, 51, 21);
    ASSERT_TRUE(manager.Refresh(3));

    ASSERT_TRUE(manager.MouseMove(0, 23, 20));  // x - 24 = -1
    ASSERT_TRUE(manager.MouseMove(0, 30, 13));  // y - 14 = -1
    EXPECT_EQ(window.calls, 0);

    // Right of and below the picture but inside the pane: passed on, both ends inclusive
    // against the pane's outer size (104 × 54).
    ASSERT_TRUE(manager.MouseMove(0, 99, 49));
    EXPECT_EQ(window.calls, 1);
    EXPECT_EQ(window.x, 75);
    EXPECT_EQ(window.y, 35);
    ASSERT_TRUE(manager.MouseMove(0, 24 + 104, 14 + 54));
    EXPECT_EQ(window.calls, 2);
    ASSERT_TRUE(manager.MouseMove(0, 24 + 105, 14));
    ASSERT_TRUE(manager.MouseMove(0, 24, 14 + 55));
    EXPECT_EQ(window.calls, 2);
}

TEST_F(SkinManager, TranslationFollowsTheWindowsCurrentSize) {
    manager.ClassInitialize(pane, skin.Dir());
    RecordingWindow& window = Install(3, 51, 21);
    ASSERT_TRUE(manager.Refresh(3));
    window.Resize(51, 5);  // minimised, as a window does after a press on its minimise button
    ASSERT_TRUE(manager.MouseDown(1, 24, 22));
    EXPECT_EQ(window.y, 0) << "(50 - 5) \\ 2 = 22";
}

TEST_F(SkinManager, NothingFromTheWindowLeavesThePreviewAsItWas) {
    manager.ClassInitialize(pane, skin.Dir());
    RecordingWindow& window = Install(3, 51, 21);
    ASSERT_TRUE(manager.Refresh(3));
    const int presented = pane.Presentations();
    window.answerWithPicture = false;
    ASSERT_TRUE(manager.MouseDown(1, 30, 20));
    EXPECT_EQ(window.calls, 1);
    EXPECT_EQ(pane.Presentations(), presented);
}

TEST_F(SkinManager, ErrorsReachTheCallerAndThePreviewKeepsItsPicture) {
    manager.ClassInitialize(pane, skin.Dir());
    RecordingWindow& window = Install(3, 51, 21);
    ASSERT_TRUE(manager.Refresh(3));
    const int presented = pane.Presentations();
    window.failing = true;
    Result<void> moved = manager.MouseMove(0, 30, 20);
    ASSERT_FALSE(moved);
    EXPECT_NE(moved.error().message.find("broken.bmp"), std::string::npos);
    EXPECT_FALSE(manager.Refresh(3));
    EXPECT_EQ(pane.Presentations(), presented);
}

TEST_F(SkinManager, OutOfRangeModesAndEarlyMouseEventsAreIgnored) {
    manager.ClassInitialize(pane, skin.Dir());
    RecordingWindow& window = Install(3, 51, 21);
    ASSERT_TRUE(manager.MouseDown(1, 30, 20));
    EXPECT_EQ(window.calls, 0) << "before the first Refresh";
    EXPECT_TRUE(manager.Refresh(0));
    EXPECT_TRUE(manager.Refresh(13));
    EXPECT_EQ(manager.CurrentMode(), 0);
    EXPECT_EQ(pane.Presentations(), 0);
    ASSERT_TRUE(manager.Refresh(3));
    EXPECT_EQ(manager.CurrentMode(), 3);
}

TEST_F(SkinManager, RefreshingTheSameSlotAgainShowsTheSameWindowObject) {
    manager.ClassInitialize(pane, skin.Dir());
    RecordingWindow& window = Install(3, 51, 21);
    ASSERT_TRUE(manager.Refresh(3));
    window.Resize(20, 20);
    ASSERT_TRUE(manager.Refresh(5));
    ASSERT_TRUE(manager.Refresh(3));
    ASSERT_NE(manager.LastPicture(), nullptr);
    EXPECT_EQ(manager.LastPicture()->Width(), 20);
}

}  // namespace
}  // namespace morvish
