// The main window's layout: the design margins for any client size, the splitter drag and its
// limits, the client areas too small to follow, and when the preview is drawn again.

#include <gtest/gtest.h>

#include "FakeView.h"
#include "app/Layout.h"
#include "platform/Platform.h"

namespace morvish::test {
namespace {

// A window with one skin, its "すべて" node selected, on a client area of 600 × 500.
struct LayoutFixture {
    ProgramFolders folders;
    TemporaryFolder skins;
    std::unique_ptr<Program> program;

    LayoutFixture() {
        skins.MakeFolder("skin");
        folders.program.Write("SkinDir.txt", platform::PathToUtf8(skins.Path()) + "\r\n");
        program = std::make_unique<Program>(folders);
        Resize(600, 500);
    }
    FakeView& View() const { return program->view; }
    MainController& Logic() const { return *program->logic; }
    const ControlLayout& Layout() const { return View().layout; }
    NodeId Skin() const { return View().Child(View().Root(0), "skin"); }
    NodeId All() const { return View().Child(Skin(), "すべて"); }
    void Resize(int width, int height) const {
        View().placement.restored = {width + FakeView::kFrame.width,
                                     height + FakeView::kFrame.height};
        Logic().Form_Resize();
    }
    int Drawn() const { return View().pane.Presentations(); }
};

TEST(Layout, ControlsKeepTheDesignMarginsForAnySize) {
    ControlLayout layout;
    EXPECT_EQ(layout.tvwSelectSkin, (ControlRect{4, 8, 121, 265}));
    EXPECT_EQ(layout.cntForResize, (ControlRect{128, 8, 2, 267}));
    EXPECT_EQ(layout.picShowSkin, (ControlRect{136, 8, 313, 273}));

    EXPECT_TRUE(Form_Resize(layout, 600, 500));
    EXPECT_EQ(layout.tvwSelectSkin, (ControlRect{4, 8, 122, 490}));
    EXPECT_EQ(layout.cntForResize, (ControlRect{128, 8, 2, 490}));
    EXPECT_EQ(layout.picShowSkin, (ControlRect{130, 8, 466, 490}));
    EXPECT_EQ(layout.linSplitEnd, 600);
}

TEST(Layout, TheSelectedNodeIsDrawnAgainForTheNewSize) {
    LayoutFixture f;
    f.View().selected = f.All();
    const int before = f.Drawn();
    f.Resize(640, 520);
    EXPECT_GT(f.Drawn(), before);
    EXPECT_EQ(f.View().pane.Shown().width, 640 - 128 - 6 - 4);
    EXPECT_EQ(f.View().pane.Shown().height, 520 - 10 - 4);
}

TEST(Layout, SplitterStopsAtElevenAndOnlyTheLeftButtonDrags) {
    LayoutFixture f;
    f.Logic().cntForResize_MouseMove(1, -118, 5);  // 128 - 118 = 10: too far
    EXPECT_EQ(f.Layout().cntForResize.Left, 128);
    f.Logic().cntForResize_MouseMove(1, -117, 5);
    EXPECT_EQ(f.Layout().cntForResize.Left, 11);
    EXPECT_EQ(f.Layout().tvwSelectSkin.Width, 5);
    EXPECT_EQ(f.Layout().picShowSkin.Left, 13);
    EXPECT_EQ(f.Layout().picShowSkin.Width, 600 - 11 - 6);
    f.Logic().cntForResize_MouseMove(1, -1, 5);
    EXPECT_EQ(f.Layout().cntForResize.Left, 11);

    f.Logic().cntForResize_MouseMove(2, 50, 5);
    f.Logic().cntForResize_MouseMove(3, 50, 5);
    EXPECT_EQ(f.Layout().cntForResize.Left, 11);
    f.Logic().cntForResize_MouseMove(1, 50, 5);
    EXPECT_EQ(f.Layout().cntForResize.Left, 61);
    EXPECT_EQ(f.Layout().tvwSelectSkin.Width, 55);
}

TEST(Layout, LowClientAreaKeepsTheHeights) {
    LayoutFixture f;
    f.View().selected = f.All();
    const int before = f.Drawn();
    f.Resize(700, 28);
    EXPECT_EQ(f.Layout().tvwSelectSkin.Height, 490);
    EXPECT_EQ(f.Layout().cntForResize.Height, 490);
    EXPECT_EQ(f.Layout().picShowSkin.Height, 490);
    EXPECT_EQ(f.Layout().picShowSkin.Width, 700 - 128 - 6);  // widths still follow
    EXPECT_EQ(f.Drawn(), before);

    f.Resize(700, 29);
    EXPECT_EQ(f.Layout().tvwSelectSkin.Height, 19);
    EXPECT_EQ(f.Layout().cntForResize.Height, 19);
    EXPECT_EQ(f.Layout().picShowSkin.Height, 19);
    EXPECT_EQ(f.Drawn(), before + 1);
}

TEST(Layout, SplitterNearTheRightEdgeKeepsThePreview) {
    LayoutFixture f;
    f.View().selected = f.All();
    f.Logic().cntForResize_MouseMove(1, 579 - 128, 5);  // 579 + 20 < 600 still holds
    EXPECT_EQ(f.Layout().picShowSkin, (ControlRect{581, 8, 15, 490}));
    const int before = f.Drawn();

    f.Logic().cntForResize_MouseMove(1, 1, 5);  // 580 + 20 = 600
    EXPECT_EQ(f.Layout().cntForResize.Left, 580);
    EXPECT_EQ(f.Layout().tvwSelectSkin.Width, 574);
    EXPECT_EQ(f.Layout().picShowSkin, (ControlRect{581, 8, 15, 490}));
    EXPECT_EQ(f.Drawn(), before);
}

TEST(Layout, MoveOverTheSplitterWithoutAButtonRedraws) {
    LayoutFixture f;
    f.program->Click(f.All());
    const int before = f.Drawn();
    ASSERT_GT(before, 0);
    const ControlLayout layout = f.Layout();
    f.Logic().cntForResize_MouseMove(0, -60, 5);
    EXPECT_EQ(f.Layout(), layout);
    EXPECT_EQ(f.Drawn(), before + 1);
}

TEST(Layout, ResizeAfterAContextMenuRedrawsAndOpensNoMenu) {
    LayoutFixture f;
    WriteSolidBmp(f.skins.PathOf("skin/ss.bmp"), 20, 10, 0x00FF00);
    f.Logic().tvwSelectSkin_MouseDown(2);
    f.Logic().tvwSelectSkin_NodeClick(f.Skin());
    EXPECT_EQ(f.View().menusOpened, std::vector<std::string>{"mnuPopupForSkinRoot"});
    EXPECT_TRUE(f.View().picturesShown.empty());

    f.Resize(620, 460);
    EXPECT_EQ(f.View().menusOpened.size(), 1u);
    EXPECT_EQ(f.View().picturesShown.size(), 1u);
}

TEST(Layout, StoredPlacesAreFittedToTheScreen) {
    EXPECT_EQ(FitSplitter(128, 510), 128);
    EXPECT_EQ(FitSplitter(489, 510), 489);  // 489 + 20 < 510
    EXPECT_EQ(FitSplitter(490, 510), 489);
    EXPECT_EQ(FitSplitter(1'000'000'000, 510), 489);
    EXPECT_EQ(FitSplitter(10, 510), 11);
    EXPECT_EQ(FitSplitter(-5, 510), 11);
    EXPECT_EQ(FitSplitter(200, 20), 11);  // too narrow for both limits: the tree keeps a pixel
    EXPECT_EQ(FitWindow({800, 600}, {1920, 1040}), (WindowSize{800, 600}));
    EXPECT_EQ(FitWindow({5000, 2000}, {1920, 1040}), (WindowSize{1920, 1040}));
    EXPECT_EQ(FitWindow({0, -10}, {1920, 1040}), (WindowSize{1, 1}));
}

}  // namespace
}  // namespace morvish::test
