// The skin install: the target layout with and without a trailing separator, what is copied and
// what is not, a second install, folders named in another case, and failed copies.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "FakeView.h"
#include "app/SkinInstall.h"
#include "platform/Platform.h"

namespace morvish::test {
namespace {

namespace fs = std::filesystem;

// The names of all entries below a folder, relative to it with "/" between names, sorted;
// folders end with "/".
std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).generic_string();
        names.push_back(name + (entry.is_directory() ? "/" : ""));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A root folder with the skin "Sample": two top-level files, a basic_interface folder with two
// bitmaps, a folder that is not copied and a hidden file.
struct InstallFixture {
    TemporaryFolder root;
    TemporaryFolder game;

    InstallFixture() {
        root.Write("Sample/ss.bmp", "shot");
        root.Write("Sample/readme.txt", "read me");
        root.Write("Sample/.hidden", "no");
        root.Write("Sample/basic_interface/titlebar_fix.bmp", "title");
        root.Write("Sample/basic_interface/btn_ok.bmp", "ok");
        root.Write("Sample/basic_interface/old/unused.bmp", "no");
        root.Write("Sample/sounds/click.wav", "no");
    }
    InstallResult Install() const { return InstallSkin(game.Path(), root.Path(), "Sample"); }
};

const std::vector<std::string> kInstalled = {"skin/",
                                             "skin/Sample/",
                                             "skin/Sample/basic_interface/",
                                             "skin/Sample/basic_interface/btn_ok.bmp",
                                             "skin/Sample/basic_interface/titlebar_fix.bmp",
                                             "skin/Sample/readme.txt",
                                             "skin/Sample/ss.bmp"};

TEST(Install, TargetIsTheSameWithAndWithoutATrailingSeparator) {
    for (const char* ending : {"", "/", "//"}) {
        InstallFixture f;
        const fs::path game = platform::PathToUtf8(f.game.Path()) + ending;
        const InstallResult result = InstallSkin(game, f.root.Path(), "Sample");
        EXPECT_TRUE(result.failures.empty());
        EXPECT_EQ(result.target, f.game.PathOf("skin/Sample") / "");
        EXPECT_EQ(Listing(f.game.Path()), kInstalled);
        EXPECT_EQ(f.game.Read("skin/Sample/basic_interface/btn_ok.bmp"), "ok");
    }
}

TEST(Install, SkinWithoutBasicInterfaceCopiesTopLevelFilesOnly) {
    InstallFixture f;
    f.root.Remove("Sample/basic_interface");
    EXPECT_TRUE(f.Install().failures.empty());
    EXPECT_EQ(Listing(f.game.Path()),
              (std::vector<std::string>{"skin/", "skin/Sample/", "skin/Sample/readme.txt",
                                        "skin/Sample/ss.bmp"}));
}

TEST(Install, SecondInstallReplacesAndDeletesNothing) {
    InstallFixture f;
    EXPECT_TRUE(f.Install().failures.empty());
    f.game.Write("skin/Sample/basic_interface/mine.bmp", "kept");
    f.root.Write("Sample/basic_interface/btn_ok.bmp", "new ok");
    EXPECT_TRUE(f.Install().failures.empty());
    EXPECT_EQ(f.game.Read("skin/Sample/basic_interface/btn_ok.bmp"), "new ok");
    EXPECT_EQ(f.game.Read("skin/Sample/basic_interface/mine.bmp"), "kept");
    std::vector<std::string> expected = kInstalled;
    expected.push_back("skin/Sample/basic_interface/mine.bmp");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing(f.game.Path()), expected);
}

TEST(Install, FoldersMadeOnWindowsAreFoundInAnyCase) {
    InstallFixture f;
    fs::rename(f.root.PathOf("Sample/basic_interface"), f.root.PathOf("Sample/Basic_Interface"));
    f.game.MakeFolder("Skin");
    EXPECT_TRUE(f.Install().failures.empty());
    EXPECT_TRUE(f.game.Exists("Skin/Sample/basic_interface/titlebar_fix.bmp"));
}

TEST(Install, FailedCopiesAreListedAndTheRestIsCopied) {
    InstallFixture f;
    // A folder where a file is to go: that copy cannot be renamed into place.
    f.game.MakeFolder("skin/Sample/readme.txt/x");
    const InstallResult result = f.Install();
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_NE(result.failures[0].message.find("readme.txt"), std::string::npos);
    EXPECT_EQ(f.game.Read("skin/Sample/ss.bmp"), "shot");
    EXPECT_EQ(f.game.Read("skin/Sample/basic_interface/btn_ok.bmp"), "ok");

    // A file where the skin folder is to go: nothing can be copied, and that is said.
    InstallFixture g;
    g.game.Write("skin/Sample", "a file");
    const InstallResult blocked = g.Install();
    ASSERT_EQ(blocked.failures.size(), 1u);
    EXPECT_NE(blocked.failures[0].message.find("Sample"), std::string::npos);
    EXPECT_TRUE(blocked.target.empty());
}

TEST(Install, JapaneseNamesKeepTheirOwnBytes) {
    InstallFixture f;
    f.root.Write("夜桜/basic_interface/btn_ok.bmp", "ok");
    EXPECT_TRUE(
        InstallSkin(f.game.Path(), f.root.Path(), platform::PathFromUtf8("夜桜")).failures.empty());
    EXPECT_EQ(f.game.Read("skin/夜桜/basic_interface/btn_ok.bmp"), "ok");
#ifndef _WIN32
    // A name in Shift-JIS bytes, as archives from Japanese Windows unpack on Linux: the game
    // folder gets the same bytes, not an empty folder of replacement characters.
    const fs::path shiftJis = std::string("\x96\xE9");  // 夜
    fs::create_directories(f.root.Path() / shiftJis);
    std::ofstream(f.root.Path() / shiftJis / "ss.bmp") << "shot";
    EXPECT_TRUE(InstallSkin(f.game.Path(), f.root.Path(), shiftJis).failures.empty());
    EXPECT_EQ(f.game.Read("skin/" + shiftJis.string() + "/ss.bmp"), "shot");
#endif
}

}  // namespace
}  // namespace morvish::test
