// The skin install against skins and game folders made to lead it astray: names that climb out of
// the game's skin folder, links on either side, and what a partial install reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/SkinInstall.h"
#include "support/FixtureSkin.h"

namespace morvish {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;

// Every entry below a folder, relative to it, sorted; folders end with "/" and links show where
// they lead.
std::vector<std::string> Tree(const fs::path& folder) {
    std::vector<std::string> names;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        std::string name = fs::relative(it->path(), folder).string();
        if (it->is_symlink()) {
            name += " -> " + fs::read_symlink(it->path()).string();
        } else if (it->is_directory()) {
            name += "/";
        }
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A place with a skin root "skins" and a game folder "game" inside a folder "outer", so that a
// write that climbs out of the game's skin folder lands somewhere the test can see.
struct Place {
    ScratchFolder outer;
    fs::path root = outer / "skins";
    fs::path game = outer / "game";

    Place() {
        fs::create_directories(root);
        fs::create_directories(game);
    }
    InstallResult Install(const fs::path& name) const { return InstallSkin(game, root, name); }
};

// A skin whose name climbs out, such as "\..\" with a dinput.dll (a name tar and some unzip tools
// make from Windows archives), put that file into the game folder itself. Every name that is not
// one plain folder name is refused, and nothing at all is created or copied.
TEST(SkinInstall, NamesThatAreNotOnePlainFolderAreRefused) {
    for (const std::string name :
         {"\\..\\", "..\\..\\..\\tmp", "..", ".", "a/b", "C:", "C:evil", "skin:stream", ""}) {
        SCOPED_TRACE(name);
        Place place;
        // Only Linux lets such names be folders; on Windows they come from nowhere but a tree's
        // text, and the refusal is the same.
#ifndef _WIN32
        if (name != "." && name != ".." && name.find('/') == std::string::npos && !name.empty()) {
            place.outer.Write(fs::path("skins") / name / "dinput.dll", "not a skin");
        }
#endif
        place.outer.Write("skins/dinput.dll", "not a skin");
        const InstallResult result = place.Install(name);
        EXPECT_EQ(result.unsafeName, fs::path(name));
        EXPECT_TRUE(result.failures.empty());
        EXPECT_EQ(result.copied, 0u);
        EXPECT_TRUE(result.target.empty());
        EXPECT_EQ(Tree(place.game), std::vector<std::string>());
        EXPECT_FALSE(fs::exists(place.outer / "dinput.dll"));
    }
    EXPECT_TRUE(IsPlainFolderName("ＲＯスキン v1.2 (final)"));
    EXPECT_TRUE(IsPlainFolderName("..hidden.."));
}

#ifndef _WIN32
// A skin folder that is a link to "/" or to a parent copied that folder's files; now a skin is
// read only from a folder that lies inside its root, and nothing is made in the game otherwise.
// A link to another folder inside the root is followed.
TEST(SkinInstall, SkinFolderLinkedOutsideItsRootCopiesNothing) {
    for (const char* leadsTo : {"/", "..", ".", "../game"}) {
        SCOPED_TRACE(leadsTo);
        Place place;
        place.outer.Write("skins/readme.txt", "the root's own file");
        place.outer.Write("private.txt", "the user's own file");
        fs::create_symlink(leadsTo, place.root / "Linked");
        const InstallResult result = place.Install("Linked");
        ASSERT_EQ(result.failures.size(), 1u);
        EXPECT_NE(result.failures[0].message.find((place.root / "Linked").string() + ": is a link"),
                  std::string::npos)
            << result.failures[0].message;
        EXPECT_EQ(result.copied, 0u);
        EXPECT_EQ(Tree(place.game), std::vector<std::string>());
    }

    Place place;
    place.outer.Write("skins/Real/ss.bmp", "shot");
    fs::create_symlink("Real", place.root / "Alias");
    const InstallResult result = place.Install("Alias");
    EXPECT_TRUE(result.failures.empty());
    EXPECT_EQ(result.copied, 1u);
    EXPECT_EQ(place.outer.Read("game/skin/Alias/ss.bmp"), "shot");
}
#endif

#ifndef _WIN32
// Only regular files inside the skin's folder are read: a link to a piece inside the skin is
// copied as a file, a link to a file elsewhere is a failure naming it, and a basic_interface that
// is a link to "/" copies nothing from there.
TEST(SkinInstall, LinksInsideTheSkinAreReadOthersAreNot) {
    Place place;
    place.outer.Write("skins/Sample/ss.bmp", "shot");
    place.outer.Write("private.txt", "the user's own file");
    fs::create_symlink("ss.bmp", place.root / "Sample/alias.bmp");
    fs::create_symlink("../../private.txt", place.root / "Sample/secret.bmp");
    fs::create_symlink("/", place.root / "Sample/basic_interface");
    const InstallResult result = place.Install("Sample");
    EXPECT_EQ(result.copied, 2u);
    ASSERT_EQ(result.failures.size(), 2u);
    EXPECT_NE(result.failures[0].message.find("secret.bmp: is a link to a file outside"),
              std::string::npos)
        << result.failures[0].message;
    EXPECT_NE(result.failures[1].message.find("basic_interface: is a link to a place outside"),
              std::string::npos)
        << result.failures[1].message;
    EXPECT_EQ(Tree(place.game),
              (std::vector<std::string>{"skin/", "skin/Sample/", "skin/Sample/alias.bmp",
                                        "skin/Sample/ss.bmp"}));
    EXPECT_EQ(place.outer.Read("game/skin/Sample/alias.bmp"), "shot");
}
#endif

#ifndef _WIN32
// Links already in the game's folder never lead a copy out of the skin's folder there: a linked
// file is replaced by the skin's file, and a linked skin folder or basic_interface is a failure.
TEST(SkinInstall, LinksInTheGameAreReplacedOrRefusedNeverWrittenThrough) {
    Place place;
    place.outer.Write("skins/Sample/ss.bmp", "shot");
    place.outer.Write("skins/Sample/basic_interface/btn_ok.bmp", "ok");
    place.outer.Write("private.txt", "the user's own file");
    fs::create_directories(place.game / "skin/Sample");
    fs::create_symlink(place.outer / "private.txt", place.game / "skin/Sample/ss.bmp");
    fs::create_symlink(place.outer.Dir(), place.game / "skin/Sample/basic_interface");
    InstallResult result = place.Install("Sample");
    EXPECT_EQ(result.copied, 1u);
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].message, (place.game / "skin/Sample/basic_interface").string() +
                                              ": is a link; nothing is written through it");
    EXPECT_FALSE(fs::is_symlink(place.game / "skin/Sample/ss.bmp"));
    EXPECT_EQ(place.outer.Read("game/skin/Sample/ss.bmp"), "shot");
    EXPECT_EQ(place.outer.Read("private.txt"), "the user's own file");
    EXPECT_FALSE(fs::exists(place.outer / "btn_ok.bmp"));

    Place linked;
    linked.outer.Write("skins/Sample/ss.bmp", "shot");
    fs::create_directories(linked.outer / "elsewhere");
    fs::create_directories(linked.game / "skin");
    fs::create_symlink(linked.outer / "elsewhere", linked.game / "skin/Sample");
    result = linked.Install("Sample");
    EXPECT_EQ(result.copied, 0u);
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_NE(result.failures[0].message.find("is a link; nothing is written through it"),
              std::string::npos);
    EXPECT_TRUE(result.target.empty());
    EXPECT_EQ(linked.outer.Names("elsewhere"), std::vector<std::string>());
}
#endif

#ifndef _WIN32
// A partial install says how many files it copied and which failed. A file name of 255 bytes
// installs (the temporary name is short), and a read-only file of the game's skin is replaced
// and stays read-only.
TEST(SkinInstall, CountsCopiesKeepsModesAndTakesTheLongestNames) {
    Place place;
    const std::string longest(251, 'n');
    place.outer.Write(fs::path("skins/Sample") / (longest + ".bmp"), "long");
    place.outer.Write("skins/Sample/readme.txt", "new text");
    place.outer.Write("skins/Sample/ss.bmp", "shot");
    place.outer.Write("skins/Sample/basic_interface/btn_ok.bmp", "ok");
    place.outer.Write("game/skin/Sample/readme.txt", "old text");
    fs::permissions(place.game / "skin/Sample/readme.txt", fs::perms(0444));
    fs::create_directories(place.game / "skin/Sample/ss.bmp/in the way");

    const InstallResult result = place.Install("Sample");
    EXPECT_EQ(result.target, place.game / "skin/Sample/");
    EXPECT_EQ(result.copied, 3u);
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(
        result.failures[0].message.rfind((place.game / "skin/Sample/ss.bmp").string() + ": ", 0),
        0u)
        << result.failures[0].message;
    EXPECT_EQ(place.outer.Read(fs::path("game/skin/Sample") / (longest + ".bmp")), "long");
    EXPECT_EQ(place.outer.Read("game/skin/Sample/readme.txt"), "new text");
    EXPECT_EQ(fs::status(place.game / "skin/Sample/readme.txt").permissions(), fs::perms(0444));
    EXPECT_EQ(place.outer.Read("game/skin/Sample/basic_interface/btn_ok.bmp"), "ok");
    EXPECT_EQ(
        place.outer.Names("game/skin/Sample"),
        (std::vector<std::string>{"basic_interface", longest + ".bmp", "readme.txt", "ss.bmp"}));
}
#endif

}  // namespace
}  // namespace morvish
