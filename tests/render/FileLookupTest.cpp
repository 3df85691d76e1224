#include <gtest/gtest.h>

#include <filesystem>

#include "render/FileLookup.h"
#include "support/FixtureSkin.h"

namespace morvish {
namespace {

TEST(FileLookup, SkinNamesBecomeComponentsAndFoldersEndWithOneSeparator) {
    namespace fs = std::filesystem;
    EXPECT_EQ(SkinRelativePath("basic_interface\\x.bmp"), fs::path("basic_interface") / "x.bmp");
    EXPECT_EQ(SkinRelativePath("\\a//b\\\\c\\"), fs::path("a") / "b" / "c");
    EXPECT_EQ(SkinRelativePath(""), fs::path());
    EXPECT_EQ(WithTrailingSeparator(fs::path("skins") / "a"), fs::path("skins") / "a" / "");
    EXPECT_EQ(WithTrailingSeparator(fs::path("skins") / "a" / ""), fs::path("skins") / "a" / "");
    EXPECT_EQ(WithTrailingSeparator(fs::path()), fs::path());
}

TEST(FileLookup, NamesMadeOnWindowsAreFoundWhateverTheirCase) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\btn_ok.bmp", 2, 2, 0x010203);
    skin.Solid("Sysbox_LU.BMP", 2, 2, 0x010203);

    EXPECT_TRUE(FileExists(skin.Path("basic_interface\\btn_ok.bmp")));
    EXPECT_TRUE(FileExists(skin.Path("Basic_Interface\\BTN_OK.BMP")));
    EXPECT_TRUE(FileExists(skin.Path("sysbox_lu.bmp")));
    EXPECT_TRUE(FileExists(skin.Path("\\sysbox_lu.bmp"))) << "a doubled separator is one";
    EXPECT_FALSE(FileExists(skin.Path("basic_interface\\btn_ok_a.bmp")));
    EXPECT_FALSE(FileExists(skin.Path("basic_interface"))) << "a folder is not a file";
    EXPECT_TRUE(DirectoryExists(skin.Path("BASIC_INTERFACE")));
    EXPECT_FALSE(FileExists(std::filesystem::path()));

    std::optional<std::filesystem::path> found =
        ResolvePath(skin.Path("BASIC_interface\\Btn_Ok.bmp"));
    ASSERT_TRUE(found);
#ifdef _WIN32
    // The file system ignores case itself: the name as written reaches the file.
    EXPECT_TRUE(std::filesystem::equivalent(*found, skin.Path("basic_interface\\btn_ok.bmp")));
#else
    EXPECT_EQ(found->filename(), "btn_ok.bmp");
    EXPECT_EQ(found->parent_path().filename(), "basic_interface");
#endif
}

TEST(FileLookup, AnExactMatchWinsOverOtherCases) {
    test::FixtureSkin skin;
    skin.Solid("a.bmp", 1, 1, 0x000001);
    skin.Solid("A.bmp", 1, 1, 0x000002);
    std::optional<std::filesystem::path> upper = ResolvePath(skin.Path("A.bmp"));
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->filename(), "A.bmp");
}

}  // namespace
}  // namespace morvish
