// The skin tree: roots, skins and window kinds with their tags and managers; adding, removing and
// rescanning roots (and releasing the managers of what goes); what a click, a right click and the
// keyboard show.

#include <gtest/gtest.h>

#include <filesystem>

#include "FakeView.h"
#include "platform/Platform.h"

namespace morvish::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWindowKinds = {"すべて",
                                               "基本情報ウィンドウ",
                                               "メッセージボックス",
                                               "ステータスウィンドウ",
                                               "オプションウィンドウ",
                                               "アイテムウィンドウ",
                                               "装備ウィンドウ",
                                               "チャットウィンドウ",
                                               "パーティウィンドウ",
                                               "スキルウィンドウ",
                                               "トレードウィンドウ",
                                               "その他"};

// A program started on one root folder that the test fills first.
struct TreeFixture {
    ProgramFolders folders;
    TemporaryFolder root;
    std::unique_ptr<Program> program;

    void Start() {
        folders.program.Write("SkinDir.txt", platform::PathToUtf8(root.Path()) + "\r\n");
        program = std::make_unique<Program>(folders);
    }
    FakeView& View() const { return program->view; }
    MainController& Logic() const { return *program->logic; }
    const SkinTree& Tree() const { return program->logic->Tree(); }
    NodeId Root() const { return View().Root(0); }
    NodeId Skin(const char* name) const { return View().Child(Root(), name); }
    NodeId Kind(const char* skin, const char* label) const {
        return View().Child(Skin(skin), label);
    }
    std::string RootText() const { return platform::PathToUtf8(root.Path() / ""); }
    std::vector<std::string> Tags(NodeId parent) const {
        std::vector<std::string> tags;
        for (NodeId child : View().items.at(parent).children) tags.push_back(Tree().Tag(child));
        return tags;
    }
    void RightClick(NodeId node) const {
        Logic().tvwSelectSkin_MouseDown(2);
        Logic().tvwSelectSkin_NodeClick(node);
    }
};

TEST(SkinTree, RootOfFilesOnlyHasNoSkins) {
    TreeFixture t;
    t.root.Write("readme.txt", "x");
    t.root.Write("ss.bmp", "x");
    t.Start();
    ASSERT_EQ(t.View().roots.size(), 1u);
    EXPECT_EQ(t.View().items.at(t.Root()).text, t.RootText());
    EXPECT_EQ(t.Tree().Tag(t.Root()), "");
    EXPECT_TRUE(t.View().ChildTexts(t.Root()).empty());
    EXPECT_EQ(t.Tree().LiveManagers(), 0u);
    t.program->Click(t.Root());
    EXPECT_EQ(t.View().pane.Presentations(), 0);
    EXPECT_TRUE(t.View().picturesShown.empty());
}

TEST(SkinTree, SkinsWithTwelveWindowKindsEach) {
    TreeFixture t;
    t.root.MakeFolder("beta");
    t.root.MakeFolder("Alpha/basic_interface");
    t.root.MakeFolder(".hidden");
    t.root.Write("notes.txt", "x");
    t.Start();
    EXPECT_EQ(t.View().ChildTexts(t.Root()), (std::vector<std::string>{"Alpha", "beta"}));
    EXPECT_EQ(t.Tags(t.Root()), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(t.Tree().LiveManagers(), 2u);
    EXPECT_EQ(t.Tree().ManagerOf(t.Skin("Alpha"))->DirName(), t.root.PathOf("Alpha") / "");
    EXPECT_EQ(t.Tree().ManagerOf(t.Skin("beta"))->DirName(), t.root.PathOf("beta") / "");
    for (const char* skin : {"Alpha", "beta"}) {
        EXPECT_EQ(t.View().ChildTexts(t.Skin(skin)), kWindowKinds);
        EXPECT_EQ(t.Tags(t.Skin(skin)), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7",
                                                                  "8", "9", "10", "11", "12"}));
        EXPECT_TRUE(t.Tree().IsSkin(t.Skin(skin)));
        EXPECT_TRUE(t.Tree().IsWindowKind(t.Kind(skin, "その他")));
        EXPECT_EQ(t.Tree().ManagerOf(t.Kind(skin, "その他")), t.Tree().ManagerOf(t.Skin(skin)));
    }
    EXPECT_TRUE(t.Tree().IsRoot(t.Root()));
}

TEST(SkinTree, MissingRootsAreSkippedAndTheSameRootMayComeTwice) {
    TreeFixture t;
    t.root.MakeFolder("skin");
    t.Start();
    fs::path missing = t.root.PathOf("gone");
    t.Logic().ScanSkinRoot(missing, kNoNode);
    EXPECT_EQ(missing, t.root.PathOf("gone") / "");
    EXPECT_EQ(t.View().roots.size(), 1u);

    t.View().folderAnswers = {"", "  " + platform::PathToUtf8(t.root.Path()) + " "};
    t.Logic().Run(Command::AddSkinDirectory);  // cancelled
    EXPECT_EQ(t.View().roots.size(), 1u);
    t.View().selected = t.Skin("skin");
    t.Logic().Run(Command::AddSkinDirectory);
    EXPECT_EQ(t.View().folderPrompts.back(),
              "スキン(ディレクトリ)の親ディレクトリを選択して下さい");
    ASSERT_EQ(t.View().roots.size(), 2u);
    EXPECT_EQ(t.View().items.at(t.View().Root(1)).text, t.RootText());
    EXPECT_EQ(t.Tags(t.View().Root(1)), std::vector<std::string>{"2"});
    // The dialog opens in the home folder, or beside the root of the selected node.
    EXPECT_EQ(t.View().folderStarts.front(), platform::HomeDirectory());
    EXPECT_EQ(t.View().folderStarts.back(), t.root.Path().parent_path());
}

TEST(SkinTree, RescanMakesNewManagersAndReleasesTheOld) {
    TreeFixture t;
    t.root.MakeFolder("one");
    t.root.MakeFolder("two");
    t.Start();
    t.root.Remove("two");
    t.root.MakeFolder("three");
    t.View().selected = t.Root();
    for (int rescan = 0; rescan < 5; ++rescan) t.Logic().Run(Command::SubDirRefresh);
    EXPECT_EQ(t.View().ChildTexts(t.Root()), (std::vector<std::string>{"one", "three"}));
    EXPECT_EQ(t.Tags(t.Root()), (std::vector<std::string>{"11", "12"}));
    EXPECT_EQ(t.Tree().LiveManagers(), 2u);
    EXPECT_EQ(t.Tree().ManagerOf(t.Skin("three"))->DirName(), t.root.PathOf("three") / "");
    EXPECT_EQ(t.View().items.at(t.Root()).text, t.RootText());
    // The view was told of every node that went: only the two skins and their kinds are left.
    EXPECT_EQ(t.View().items.size(), 1u + 2u * 13u);
}

TEST(SkinTree, RescanOfARootWithoutSkinsDoesNothing) {
    TreeFixture t;
    t.Start();
    t.root.MakeFolder("new");
    t.View().selected = t.Root();
    t.Logic().Run(Command::SubDirRefresh);
    EXPECT_TRUE(t.View().ChildTexts(t.Root()).empty());
    EXPECT_EQ(t.Tree().NextManagerIndex(), 1);
}

TEST(SkinTree, RemoveAsksFirstAndReleasesTheManagers) {
    TreeFixture t;
    t.root.MakeFolder("skin");
    t.Start();
    t.View().menuChoices = {"ディレクトリの削除", "ディレクトリの削除"};
    t.View().yesNoAnswers = {false, true};
    t.RightClick(t.Root());
    EXPECT_EQ(t.View().menusOpened, std::vector<std::string>{"mnuPopupForRootNode"});
    ASSERT_EQ(t.View().questions.size(), 1u);
    EXPECT_EQ(t.View().questions[0].title, "スキンディレクトリの削除");
    // The question names the folder it is about.
    EXPECT_EQ(t.View().questions[0].text,
              "このディレクトリをスキンリストから外しますか？\n\n" + t.RootText());
    EXPECT_EQ(t.View().roots.size(), 1u);
    t.RightClick(t.Root());
    EXPECT_TRUE(t.View().roots.empty());
    EXPECT_TRUE(t.View().items.empty());
    EXPECT_EQ(t.Tree().LiveManagers(), 0u);
    EXPECT_TRUE(t.root.Exists("skin"));
}

TEST(SkinTree, RightClickSelectsAndOpensTheMenuOfItsLevel) {
    TreeFixture t;
    t.root.MakeFolder("skin");
    t.Start();
    const NodeId kind = t.Kind("skin", "基本情報ウィンドウ");
    t.RightClick(t.Skin("skin"));
    EXPECT_EQ(t.Logic().TreeButton(), 2);
    EXPECT_EQ(t.View().selected, t.Skin("skin"));
    t.RightClick(kind);
    EXPECT_EQ(t.View().selected, kind);
    EXPECT_EQ(t.View().menusOpened, std::vector<std::string>{"mnuPopupForSkinRoot"});
    EXPECT_EQ(t.View().menuPlaces, std::vector<MenuPlace>{MenuPlace::AtPointer});
    EXPECT_EQ(t.View().pane.Presentations(), 0);
    EXPECT_EQ(t.Tree().ManagerOf(kind)->CurrentMode(), 0);

    t.program->Click(kind);
    EXPECT_EQ(t.Logic().TreeButton(), 1);
    EXPECT_EQ(t.View().pane.Presentations(), 1);
    EXPECT_EQ(t.Tree().ManagerOf(kind)->CurrentMode(), 2);
    EXPECT_EQ(t.View().menusOpened.size(), 1u);

    // The menu key opens the menu of the selected node beside it; a window kind has none.
    t.View().selected = t.Root();
    t.Logic().tvwSelectSkin_ContextMenuKey();
    EXPECT_EQ(t.View().menusOpened.back(), "mnuPopupForRootNode");
    EXPECT_EQ(t.View().menuPlaces.back(), MenuPlace::AtSelectedNode);
    t.View().selected = kind;
    t.Logic().tvwSelectSkin_ContextMenuKey();
    EXPECT_EQ(t.View().menusOpened.size(), 2u);
}

TEST(SkinTree, SkinNodeShowsItsScreenshot) {
    TreeFixture t;
    t.root.MakeFolder("plain");
    WriteSolidBmp(t.root.PathOf("shot/ss.png.bak/x.bmp"), 1, 1, 0);  // a folder, not a file
    WriteSolidBmp(t.root.PathOf("shot/SS.bmp"), 30, 20, 0x0000FF);
    WriteSolidBmp(t.root.PathOf("shot/ssx.bmp"), 5, 5, 0xFF0000);
    WriteSolidBmp(t.root.PathOf("shot/ss.jpg"), 5, 5, 0xFF0000);
    t.Start();
    t.program->Click(t.Skin("shot"));
    EXPECT_EQ(t.View().picturesShown, std::vector<fs::path>{t.root.PathOf("shot/SS.bmp")});
    // No screenshot: the pane keeps what it shows.
    t.program->Click(t.Skin("plain"));
    EXPECT_EQ(t.View().picturesShown.size(), 1u);
    // The keyboard shows a node as a left click does.
    t.Logic().tvwSelectSkin_KeyboardSelect(t.Kind("plain", "その他"));
    EXPECT_EQ(t.Tree().ManagerOf(t.Skin("plain"))->CurrentMode(), 12);
}

TEST(SkinTree, JapaneseNamesAreListedAndDrawn) {
    TreeFixture t;
    WriteSolidBmp(t.root.PathOf("夜桜/basic_interface/basewin_bg.bmp"), 280, 120, 0x102030);
    t.Start();
    const NodeId kind = t.Kind("夜桜", "基本情報ウィンドウ");
    ASSERT_NE(kind, kNoNode);
    t.program->Click(kind);
    ASSERT_EQ(t.View().pane.Presentations(), 1);
    EXPECT_TRUE(t.View().status.empty()) << t.View().status;
    EXPECT_EQ(t.Tree().ManagerOf(kind)->LastPicture()->Pixel(1, 1), 0x102030u);
}

}  // namespace
}  // namespace morvish::test
