// The main window's logic between the controls and the skins: the preview's mouse input routed to
// the selected skin's manager (with the double-click rule), drawing failures reported, start-up,
// and the game folder and install commands with their messages.

#include <gtest/gtest.h>

#include <filesystem>

#include "FakeView.h"
#include "platform/Platform.h"
#include "render/PngFile.h"
#include "render/clsDirectDraw.h"

namespace morvish::test {
namespace {

namespace fs = std::filesystem;

struct Routed {
    std::string operation;
    int Button, X, Y;
    friend bool operator==(const Routed&, const Routed&) = default;
};

// The basic information window is 280 × 120; its minimise button lies at (266, 3).
constexpr int kBasicWidth = 280;
constexpr int kBasicHeight = 120;
constexpr std::uint32_t kBackground = 0x808080;
constexpr std::uint32_t kMinimiseOff = 0x0000FF;
constexpr std::uint32_t kMinimiseOn = 0xFF0000;

// A program with two skins of the same pieces, recording what it routes.
struct RoutingFixture {
    ProgramFolders folders;
    TemporaryFolder root;
    std::unique_ptr<Program> program;
    std::vector<Routed> routed;

    RoutingFixture() {
        for (const char* skin : {"first", "second"}) {
            const fs::path dir = root.PathOf(skin) / "basic_interface";
            WriteSolidBmp(dir / "basewin_bg.bmp", kBasicWidth, kBasicHeight, kBackground);
            WriteSolidBmp(dir / "sys_mini_off.bmp", 11, 11, kMinimiseOff);
            WriteSolidBmp(dir / "sys_mini_on.bmp", 11, 11, kMinimiseOn);
        }
        folders.program.Write("SkinDir.txt", platform::PathToUtf8(root.Path()) + "\r\n");
        program = std::make_unique<Program>(folders);
        Logic().SetInputObserver([this](std::string_view operation, int Button, int X, int Y) {
            routed.push_back({std::string(operation), Button, X, Y});
        });
    }
    FakeView& View() const { return program->view; }
    MainController& Logic() const { return *program->logic; }
    NodeId Skin(const char* name) const { return View().Child(View().Root(0), name); }
    NodeId Basic(const char* skin) const { return View().Child(Skin(skin), "基本情報ウィンドウ"); }
    // Where a window pixel lies in the pane's drawing area, for a centred picture.
    int PaneX(int x) const { return (View().pane.Width() - 4 - kBasicWidth) / 2 + x; }
    int PaneY(int y, int height = kBasicHeight) const {
        return (View().pane.Height() - 4 - height) / 2 + y;
    }
    std::uint32_t ShownAt(int x, int y) const { return View().pane.Shown().At(PaneX(x), PaneY(y)); }
};

TEST(Routing, InputIsIgnoredUnlessAWindowKindIsSelected) {
    RoutingFixture f;
    for (NodeId node : {kNoNode, f.View().Root(0), f.Skin("first")}) {
        f.View().selected = node;
        f.Logic().picShowSkin_MouseDown(1, 30, 30);
        f.Logic().picShowSkin_MouseMove(1, 31, 30);
        f.Logic().picShowSkin_MouseUp(1, 31, 30);
        f.Logic().picShowSkin_DblClick();
    }
    EXPECT_TRUE(f.routed.empty());
    EXPECT_EQ(f.View().pane.Presentations(), 0);
}

TEST(Routing, DoubleClickReachesTheWindowAsAReleaseAtTheLastPress) {
    RoutingFixture f;
    f.program->Click(f.Basic("first"));
    // What the platform reports for a double click: press, release, double click, release.
    f.Logic().picShowSkin_MouseDown(1, 10, 20);
    f.Logic().picShowSkin_MouseUp(1, 10, 20);
    f.Logic().picShowSkin_DblClick();
    f.Logic().picShowSkin_MouseUp(1, 12, 23);
    f.Logic().picShowSkin_MouseDown(4, 6, 7);
    f.Logic().picShowSkin_DblClick();
    const std::vector<Routed> expected = {
        {"MouseDown", 1, 10, 20}, {"MouseUp", 1, 10, 20}, {"MouseUp", 1, 10, 20},
        {"MouseUp", 1, 12, 23},   {"MouseDown", 4, 6, 7}, {"MouseUp", 4, 6, 7},
    };
    EXPECT_EQ(f.routed, expected);
}

TEST(Routing, MovesWithoutAButtonShowTheHover) {
    RoutingFixture f;
    f.program->Click(f.Basic("first"));
    EXPECT_EQ(f.ShownAt(270, 7), kMinimiseOff);
    f.Logic().picShowSkin_MouseMove(0, f.PaneX(270), f.PaneY(7));
    EXPECT_EQ(f.ShownAt(270, 7), kMinimiseOn);
    f.Logic().picShowSkin_MouseMove(0, f.PaneX(100), f.PaneY(100));
    EXPECT_EQ(f.ShownAt(270, 7), kMinimiseOff);
}

// At each zoom the picture is enlarged into z × z squares, centred as a picture of the
// enlarged size would be (to within a pixel of the zoom), and every pane position reaches the
// window as the pixel drawn there.
class ZoomedRouting : public ::testing::TestWithParam<int> {};

TEST_P(ZoomedRouting, EveryPointerPositionLandsOnThePixelDrawnUnderIt) {
    const int z = GetParam();
    RoutingFixture f;
    f.View().pane.Resize(1204, 604);  // a drawing area of 1200 × 600
    f.Logic().SetZoom(z);
    f.program->Click(f.Basic("first"));
    const int left = (1200 / z - kBasicWidth) / 2;
    const int top = (600 / z - kBasicHeight) / 2;
    // Window pixel (x, y) fills pane pixels z·(left + x) to z·(left + x) + z − 1.
    auto paneX = [&](int x) { return z * (left + x); };
    auto paneY = [&](int y) { return z * (top + y); };
    const Bitmap& shown = f.View().pane.Shown();
    for (int d = 0; d < z; ++d) {
        EXPECT_EQ(shown.At(paneX(266) + d, paneY(3) + d), kMinimiseOff);
        EXPECT_EQ(shown.At(paneX(0) + d, paneY(0) + d), kBackground);
    }
    EXPECT_NE(shown.At(paneX(0) - 1, paneY(0)), kBackground);

    // The last pane pixel of the button's top-left pixel lights it; the one left of its first
    // does not.
    f.Logic().picShowSkin_MouseMove(0, paneX(266) + z - 1, paneY(3) + z - 1);
    EXPECT_EQ(f.routed.back(), (Routed{"MouseMove", 0, left + 266, top + 3}));
    EXPECT_EQ(f.View().pane.Shown().At(paneX(266), paneY(3)), kMinimiseOn);
    f.Logic().picShowSkin_MouseMove(0, paneX(266) - 1, paneY(3));
    EXPECT_EQ(f.routed.back(), (Routed{"MouseMove", 0, left + 265, top + 3}));
    EXPECT_EQ(f.View().pane.Shown().At(paneX(266), paneY(3)), kMinimiseOff);
    // A press on the button minimises the window to its bar, as at ×1.
    f.Logic().picShowSkin_MouseDown(1, paneX(276) + z - 1, paneY(13) + z - 1);
    EXPECT_EQ(f.Logic().Tree().ManagerOf(f.Skin("first"))->Window(2)->getDrawRect().Bottom, 34);
}

INSTANTIATE_TEST_SUITE_P(Zoom, ZoomedRouting, ::testing::Values(1, 2, 3, 4));

TEST(SkinTools, ExportAndCopyGiveExactlyTheWindowsPixelsAtAnyZoom) {
    RoutingFixture f;
    f.Logic().SetZoom(2);
    f.Logic().Run(Command::ExportPicture);  // nothing on show yet
    EXPECT_EQ(f.View().proposedName, "");
    f.program->Click(f.Basic("first"));
    f.View().savePath = f.root.PathOf("out.png");
    f.Logic().Run(Command::ExportPicture);
    EXPECT_EQ(f.View().proposedName, "first-basic.png");
    Result<Bitmap> saved = ReadPng(f.root.PathOf("out.png"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->width, kBasicWidth);
    EXPECT_EQ(saved->height, kBasicHeight);
    EXPECT_EQ(saved->At(266, 3), kMinimiseOff);
    EXPECT_EQ(saved->At(0, 0), kBackground);

    f.Logic().Run(Command::CopyPicture);
    ASSERT_TRUE(f.View().copied);
    EXPECT_EQ(f.View().copied->pixels, saved->pixels);
    EXPECT_EQ(f.View().status, "画像をクリップボードにコピーしました");

    // A clipboard that will not take the picture is told, not reported as a copy.
    f.View().clipboardTakes = false;
    f.Logic().Run(Command::CopyPicture);
    EXPECT_EQ(f.View().status, "画像をクリップボードにコピーできませんでした");
}

TEST(SkinTools, CheckWindowAndTreeMarkTellSkinsWithMissingFiles) {
    RoutingFixture f;
    f.program->Click(f.Basic("first"));
    // The fixture skins have three pieces: every other file is missing.
    EXPECT_EQ(f.View().marks.at(f.Skin("first")), true);
    EXPECT_EQ(f.View().marks.count(f.Skin("second")), 0u);
    f.Logic().Run(Command::CheckSkin);
    ASSERT_EQ(f.View().reports.size(), 1u);
    EXPECT_EQ(f.View().reports[0].first, "スキンのチェック: first");
    EXPECT_NE(f.View().reports[0].second.find(
                  "  present     basic_interface/sys_mini_on.bmp (11 x 11): minimise button, lit"),
              std::string::npos);
}

TEST(Zoom, IsKeptInTheSettingsFileUnderItsOwnKeyWithinOneToFour) {
    RoutingFixture f;
    f.Logic().Run(Command::Zoom3);
    EXPECT_TRUE(f.Logic().IsChecked(Command::Zoom3));
    f.Logic().Run(Command::ZoomIn);
    f.Logic().Run(Command::ZoomIn);
    EXPECT_EQ(f.Logic().Zoom(), 4);
    f.Logic().Run(Command::ZoomOut);
    f.Logic().SaveSetting();
    EXPECT_EQ(f.folders.Setting("Morvish", "Zoom"), "3");

    f.folders.program.Write("Quorel.ini", "[Morvish]\r\nZoom=9\r\n");
    Program again(f.folders);
    EXPECT_EQ(again.logic->Zoom(), 4);
}

TEST(Routing, InputGoesToTheSkinSelectedNow) {
    RoutingFixture f;
    f.program->Click(f.Basic("first"));
    f.program->Click(f.Basic("second"));
    f.Logic().picShowSkin_MouseDown(1, f.PaneX(270), f.PaneY(7));
    const SkinTree& tree = f.Logic().Tree();
    EXPECT_EQ(tree.ManagerOf(f.Skin("second"))->Window(2)->getDrawRect().Bottom, 34);
    EXPECT_EQ(tree.ManagerOf(f.Skin("first"))->Window(2)->getDrawRect().Bottom, kBasicHeight);
    EXPECT_EQ(f.View().pane.Shown().At(f.PaneX(270), f.PaneY(7, 34)), kMinimiseOff);
}

TEST(Routing, DrawingFailureIsReportedAndThePreviewKept) {
    RoutingFixture f;
    f.program->Click(f.Basic("first"));
    const int shown = f.View().pane.Presentations();
    const Bitmap before = f.View().pane.Shown();
    f.root.Write("first/basic_interface/sys_mini_on.bmp", "BM broken");

    f.Logic().picShowSkin_MouseMove(0, f.PaneX(270), f.PaneY(7));
    EXPECT_EQ(f.View().pane.Presentations(), shown);
    EXPECT_NE(f.View().status.find("sys_mini_on.bmp"), std::string::npos);

    f.root.Write("first/basic_interface/basewin_bg.bmp", "");
    f.program->Click(f.View().Child(f.Skin("first"), "すべて"));
    f.program->Click(f.Basic("first"));
    EXPECT_NE(f.View().status.find("basewin_bg.bmp"), std::string::npos);
    EXPECT_EQ(f.View().pane.Shown().pixels, before.pixels);

    // Once the files are whole again the picture comes back and the report goes.
    WriteSolidBmp(f.root.PathOf("first/basic_interface/basewin_bg.bmp"), kBasicWidth, kBasicHeight,
                  kBackground);
    WriteSolidBmp(f.root.PathOf("first/basic_interface/sys_mini_on.bmp"), 11, 11, kMinimiseOn);
    f.program->Click(f.Basic("first"));
    EXPECT_TRUE(f.View().status.empty());
    EXPECT_EQ(f.View().pane.Presentations(), shown + 1);
}

TEST(StartUp, FailedSurfaceLayerEndsWithAMessageAndWritesNothing) {
    ProgramFolders folders;
    FakeView view;
    MainController logic(view, folders.Settings(), "1.2.3");
    EXPECT_FALSE(logic.StartUp([] { return false; }));
    EXPECT_FALSE(view.shown);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], (Message{MessageIcon::Critical, "DirectX初期化エラー",
                                         "DirectXの初期化に失敗しました"}));
    EXPECT_FALSE(folders.program.Exists("Quorel.ini"));
    EXPECT_FALSE(folders.program.Exists("SkinDir.txt"));
}

TEST(Commands, AboutAndExit) {
    ProgramFolders folders;
    Program program(folders);
    program.logic->Run(Command::About);
    ASSERT_EQ(program.view.messages.size(), 1u);
    EXPECT_EQ(program.view.messages[0],
              (Message{MessageIcon::Information, "バージョン情報", "Morvish ver 1.2.3"}));
    // The commands offered disabled do nothing.
    for (Command inert : {Command::DownloadSkin, Command::AddSkinSite, Command::SetToROSkin}) {
        program.logic->Run(inert);
    }
    EXPECT_EQ(program.view.messages.size(), 1u);
    program.logic->Run(Command::Exit);
    EXPECT_TRUE(program.view.closed);
    EXPECT_TRUE(folders.program.Exists("Quorel.ini"));
    EXPECT_TRUE(folders.program.Exists("SkinDir.txt"));
}

TEST(Commands, SettingChoosesTheGameFolder) {
    ProgramFolders folders;
    folders.program.Write("Quorel.ini", "[General]\r\nRODir=/old\r\n");
    Program program(folders);
    program.view.folderAnswers = {"  /games/ro  ", ""};
    program.logic->Run(Command::Setting);
    EXPECT_EQ(program.view.folderPrompts.back(), "RanarokOnlineのディレクトリを選択して下さい");
    EXPECT_EQ(program.logic->RODir(), fs::path("/games/ro"));
    program.logic->Run(Command::Setting);  // cancelled
    EXPECT_EQ(program.logic->RODir(), fs::path("/games/ro"));
    EXPECT_EQ(program.view.folderStarts, (std::vector<fs::path>{"/old", "/games/ro"}));
    program.Close();
    EXPECT_EQ(folders.Setting("General", "RODir"), "/games/ro");
}

TEST(Commands, InstallChecksTheGameFolderAndNamesWhatFailed) {
    ProgramFolders folders;
    TemporaryFolder root;
    TemporaryFolder game;
    root.Write("Sample/ss.bmp", "shot");
    root.Write("Sample/basic_interface/btn_ok.bmp", "ok");
    folders.program.Write("SkinDir.txt", platform::PathToUtf8(root.Path()) + "\r\n");
    Program program(folders);
    const NodeId skin = program.view.Child(program.view.Root(0), "Sample");
    program.view.menuChoices = {"このスキンをＲＯのスキンに加える"};
    program.logic->tvwSelectSkin_MouseDown(2);
    program.logic->tvwSelectSkin_NodeClick(skin);
    ASSERT_EQ(program.view.messages.size(), 1u);
    EXPECT_EQ(program.view.messages[0], (Message{MessageIcon::Warning, "ＲＯディレクトリエラー",
                                                 "ＲＯのディレクトリが設定されていません"}));

    program.view.folderAnswers = {platform::PathToUtf8(game.PathOf("missing"))};
    program.logic->Run(Command::Setting);
    program.logic->Run(Command::AddSkinToRO);
    ASSERT_EQ(program.view.messages.size(), 2u);
    EXPECT_EQ(program.view.messages[1],
              (Message{MessageIcon::Warning, "ＲＯディレクトリエラー",
                       "ＲＯのディレクトリがみつかりません\n\n" +
                           platform::DisplayText(game.PathOf("missing"))}));
    EXPECT_TRUE(fs::is_empty(game.Path()));

    program.view.folderAnswers = {platform::PathToUtf8(game.Path())};
    program.logic->Run(Command::Setting);
    program.logic->Run(Command::AddSkinToRO);
    EXPECT_EQ(program.view.messages.size(), 2u);  // no message box on success, a status line
    EXPECT_EQ(game.Read("skin/Sample/basic_interface/btn_ok.bmp"), "ok");
    const std::string target = platform::DisplayText(game.PathOf("skin/Sample") / "");
    EXPECT_EQ(program.view.status, "2 個のファイルを " + target + " にコピーしました");
    EXPECT_EQ(program.view.progressTitles.back(), "スキン「Sample」をコピーしています");

    // Part of the skin: the message says how many files were copied and which failed.
    game.Remove("skin/Sample/ss.bmp");
    game.MakeFolder("skin/Sample/ss.bmp/x");
    program.logic->Run(Command::AddSkinToRO);
    ASSERT_EQ(program.view.messages.size(), 3u);
    EXPECT_EQ(program.view.messages[2].title, "スキンのコピーエラー");
    EXPECT_NE(program.view.messages[2].text.find("1 個のファイルはコピーしました"),
              std::string::npos);
    EXPECT_NE(program.view.messages[2].text.find("ss.bmp"), std::string::npos);

    // None of it: not "part of the skin".
    game.Remove("skin/Sample/basic_interface");
    game.MakeFolder("skin/Sample/basic_interface/btn_ok.bmp/x");
    program.logic->Run(Command::AddSkinToRO);
    ASSERT_EQ(program.view.messages.size(), 4u);
    EXPECT_EQ(program.view.messages[3].text.rfind(
                  "スキンをＲＯのスキンディレクトリにコピーできませんでした。", 0),
              0u);

    // Only for a skin node.
    program.view.selected = program.view.Root(0);
    program.logic->Run(Command::AddSkinToRO);
    EXPECT_EQ(program.view.messages.size(), 4u);
}

TEST(Commands, CancelledInstallSaysHowFarItGot) {
    ProgramFolders folders;
    TemporaryFolder root;
    TemporaryFolder game;
    for (int i = 0; i < 40; ++i) root.Write("Big/piece" + std::to_string(i) + ".bmp", "x");
    folders.program.Write("SkinDir.txt", platform::PathToUtf8(root.Path()) + "\r\n");
    folders.program.Write("Quorel.ini", "[General]\r\nRODir=" + platform::PathToUtf8(game.Path()));
    Program program(folders);
    program.view.selected = program.view.Child(program.view.Root(0), "Big");
    program.view.cancelAfter = 3;
    program.logic->Run(Command::AddSkinToRO);
    const auto copied = std::distance(fs::directory_iterator(game.PathOf("skin/Big")), {});
    EXPECT_GE(copied, 3);
    EXPECT_LT(copied, 40);
    EXPECT_TRUE(program.view.messages.empty());
    EXPECT_EQ(program.view.status,
              "コピーを中止しました (" + std::to_string(copied) + " / 40 個のファイルを " +
                  platform::DisplayText(game.PathOf("skin/Big") / "") + " にコピー済み)");
}

#ifndef _WIN32
TEST(Commands, InstallOfANameThatLeadsOutOfTheSkinFolderIsRefused) {
    ProgramFolders folders;
    TemporaryFolder root;
    TemporaryFolder game;
    root.Write("\\..\\/dinput.dll", "planted");
    folders.program.Write("SkinDir.txt", platform::PathToUtf8(root.Path()) + "\r\n");
    folders.program.Write("Quorel.ini", "[General]\r\nRODir=" + platform::PathToUtf8(game.Path()));
    Program program(folders);
    program.view.selected = program.view.Child(program.view.Root(0), "\\..\\");
    ASSERT_NE(program.view.selected, kNoNode);
    program.logic->Run(Command::AddSkinToRO);
    ASSERT_EQ(program.view.messages.size(), 1u);
    EXPECT_NE(program.view.messages[0].text.find("「\\..\\」"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(game.Path()));
}
#endif

}  // namespace
}  // namespace morvish::test
