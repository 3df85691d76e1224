// What the program tells its user: the status line names what the preview shows and the game
// folder, a picture of a skin that left the tree is cleared away, the interface speaks Japanese
// or English (saved between runs), and the keys that reach the tree's commands.

#include <gtest/gtest.h>

#include "FakeView.h"
#include "app/Catalog.h"
#include "app/IniFile.h"
#include "platform/Platform.h"
#include "render/BmpDecoder.h"
#include "render/SkinFont.h"

namespace morvish::test {
namespace {

namespace fs = std::filesystem;

struct InterfaceFixture {
    ProgramFolders folders;
    TemporaryFolder root;
    std::unique_ptr<Program> program;

    InterfaceFixture() {
        WriteSolidBmp(root.PathOf("parchment/basic_interface/basewin_bg.bmp"), 280, 120, 0x336699);
        WriteSolidBmp(root.PathOf("nightfall/ss.bmp"), 20, 10, 0x00FF00);
    }
    void Start() {
        folders.program.Write("SkinDir.txt", platform::PathToUtf8(root.Path()) + "\r\n");
        program = std::make_unique<Program>(folders);
    }
    FakeView& View() const { return program->view; }
    MainController& Logic() const { return *program->logic; }
    NodeId Root() const { return View().Root(0); }
    NodeId Skin(const char* name) const { return View().Child(Root(), name); }
};

TEST(Interface, StatusLineNamesWhatIsShownAndTheGameFolder) {
    InterfaceFixture f;
    f.Start();
    EXPECT_EQ(f.View().showing, "");
    EXPECT_EQ(f.View().gameFolder, "ＲＯ: 未設定");
    f.program->Click(f.View().Child(f.Skin("parchment"), "基本情報ウィンドウ"));
    EXPECT_EQ(f.View().showing, "parchment — 基本情報ウィンドウ");
    f.program->Click(f.Skin("nightfall"));
    EXPECT_EQ(f.View().showing, "nightfall — ss.bmp");

    // A skin without a screenshot keeps the picture, and the status line keeps saying whose it is.
    f.root.MakeFolder("plain");
    f.View().selected = f.Root();
    f.Logic().Run(Command::SubDirRefresh);
    f.program->Click(f.Skin("plain"));
    EXPECT_EQ(f.View().showing, "");  // the rescan took nightfall's node away
    EXPECT_EQ(f.View().previewsCleared, 1);

    f.View().folderAnswers = {"/games/ro"};
    f.Logic().Run(Command::Setting);
    EXPECT_EQ(f.View().gameFolder, "ＲＯ: /games/ro");
}

TEST(Interface, PictureOfARemovedRootIsCleared) {
    InterfaceFixture f;
    f.root.MakeFolder("other/skin");
    f.Start();
    fs::path other = f.root.PathOf("other");
    f.Logic().ScanSkinRoot(other, kNoNode);
    f.program->Click(f.View().Child(f.Skin("parchment"), "すべて"));
    ASSERT_GT(f.View().pane.Shown().width, 0);

    // Removing another root leaves the picture; removing its own clears it.
    f.View().selected = f.View().Root(1);
    f.Logic().Run(Command::RemoveRootDir);
    EXPECT_EQ(f.View().previewsCleared, 0);
    f.View().selected = f.Root();
    f.Logic().Run(Command::RemoveRootDir);
    EXPECT_EQ(f.View().previewsCleared, 1);
    EXPECT_EQ(f.View().pane.Shown().width, 0);
    EXPECT_EQ(f.View().showing, "");
}

TEST(Interface, EnglishIsOfferedAndKeptBetweenRuns) {
    InterfaceFixture f;
    f.Start();
    EXPECT_TRUE(f.Logic().IsChecked(Command::LanguageJapanese));
    f.Logic().Run(Command::LanguageEnglish);
    EXPECT_EQ(f.View().language, Language::English);
    EXPECT_TRUE(f.Logic().IsChecked(Command::LanguageEnglish));
    EXPECT_FALSE(f.Logic().IsChecked(Command::LanguageJapanese));
    EXPECT_EQ(f.Logic().Caption(Text::MenuFile), "&File");
    EXPECT_EQ(f.View().ChildTexts(f.Skin("parchment")).at(1), "Basic information");
    f.program->Click(f.View().Child(f.Skin("parchment"), "Basic information"));
    EXPECT_EQ(f.View().showing, "parchment — Basic information");
    EXPECT_EQ(f.View().gameFolder, "Game: not set");
    f.View().selected = f.Skin("parchment");
    f.Logic().Run(Command::AddSkinToRO);
    EXPECT_EQ(f.View().messages.back().title, "Game Folder Error");
    f.program->Close();
    EXPECT_EQ(IniFile::Parse(f.folders.program.Read("Quorel.ini")).Get("Morvish", "Language"),
              "en");

    // The next start speaks English from its first message on; Japanese comes back as it went.
    Program again(f.folders);
    EXPECT_EQ(again.view.language, Language::English);
    EXPECT_EQ(again.view.ChildTexts(again.view.Child(again.view.Root(0), "nightfall")).front(),
              "All windows");
    again.logic->Run(Command::LanguageJapanese);
    EXPECT_EQ(again.view.ChildTexts(again.view.Child(again.view.Root(0), "nightfall")).front(),
              "すべて");
}

TEST(Interface, KeysReachTheTreesCommands) {
    InterfaceFixture f;
    f.Start();
    // Enter opens a skin node; a window kind has nothing to open.
    f.Logic().tvwSelectSkin_Enter(f.Skin("parchment"));
    f.Logic().tvwSelectSkin_Enter(f.View().Child(f.Skin("parchment"), "その他"));
    EXPECT_EQ(f.View().expanded, std::vector<NodeId>{f.Skin("parchment")});

    // F5 rescans the root of whatever is selected, and leaves the root selected.
    f.root.MakeFolder("added");
    f.View().selected = f.View().Child(f.Skin("parchment"), "その他");
    f.Logic().Run(Command::SubDirRefresh);
    EXPECT_EQ(f.View().selected, f.Root());
    EXPECT_NE(f.Skin("added"), kNoNode);

    // Delete removes only a root.
    f.View().selected = f.Skin("added");
    f.Logic().Run(Command::RemoveRootDir);
    EXPECT_TRUE(f.View().questions.empty());
    EXPECT_EQ(f.View().roots.size(), 1u);
}

TEST(Interface, MissingFontsAreToldWithWhatToInstall) {
    SetTextsDrawn(false);  // as on a system without the sample texts' faces
    ProgramFolders folders;
    Program program(folders);
    SetTextsDrawn(true);
    EXPECT_EQ(program.view.status,
              std::string(Tr(Text::MissingJapaneseFont, Language::Japanese)) + " " +
                  std::string(Tr(Text::MissingEnglishFont, Language::Japanese)));
}

TEST(Interface, CatalogueFillsPlaceholders) {
    EXPECT_EQ(Format(Text::StatusInstalled, Language::English, {"3", "/g/skin/a/"}),
              "Copied 3 files to /g/skin/a/");
    EXPECT_EQ(Format(Text::StatusInstalled, Language::Japanese, {"3", "/g/"}),
              "3 個のファイルを /g/ にコピーしました");
    EXPECT_EQ(Format(Text::AboutText, Language::Japanese, {}), "Morvish ver {0}");
    EXPECT_EQ(WindowKindLabel(12, Language::Japanese), "その他");
    EXPECT_EQ(WindowKindLabel(13, Language::English), "");
    EXPECT_EQ(LanguageFromCode("en"), Language::English);
    EXPECT_EQ(LanguageFromCode("fr"), Language::Japanese);
}

TEST(Interface, FailuresAreToldInTheUsersLanguage) {
    TemporaryFolder folder;
    folder.Write("broken.bmp", "BM");
    const Result<Bitmap> broken = LoadBmpFile(folder.PathOf("broken.bmp"));
    ASSERT_FALSE(broken);
    const std::string file = platform::DisplayText(folder.PathOf("broken.bmp"));
    EXPECT_EQ(Describe(broken.error(), Language::Japanese),
              file + ": BMP ファイルが途中で切れています");
    EXPECT_EQ(Describe(broken.error(), Language::English), broken.error().message);

    const Result<std::string> missing = platform::ReadRegularFile(folder.PathOf("gone.ini"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(Describe(missing.error(), Language::Japanese),
              platform::DisplayText(folder.PathOf("gone.ini")) +
                  ": 読み込めません (ファイルまたはフォルダがありません)");

    Error full;
    full.kind = ErrorKind::CannotWrite;
    full.file = "/g/skin/a/btn.bmp";
    full.code = std::make_error_code(std::errc::no_space_on_device);
    EXPECT_EQ(Describe(full, Language::Japanese),
              "/g/skin/a/btn.bmp: 書き込めません (ディスクの空きがありません)");
    Error large;
    large.kind = ErrorKind::PictureTooLarge;
    large.file = "a.bmp";
    large.numbers = {8192, 8192, 4096};
    EXPECT_EQ(Describe(large, Language::Japanese),
              "a.bmp: 画像が大きすぎます (8192 × 8192 ピクセル、一辺の上限は 4096 ピクセル)");
    // What has no kind keeps its own words.
    EXPECT_EQ(Describe(Failure("x: odd").error(), Language::Japanese), "x: odd");
}

}  // namespace
}  // namespace morvish::test
