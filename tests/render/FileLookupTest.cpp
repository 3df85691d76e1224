#include <gtest/gtest.h>

#include <filesystem>

#include "render/FileLookup.h"
#include "support/FixtureSkin.h"

namespace morvish {
namespace {

TEST(FileLookup, SeparatorsAreFoldedAndTrailingOnesAddedOnce) {
    EXPECT_EQ(ToNativePath("skin\\basic_interface\\x.bmp"), "skin/basic_interface/x.bmp");
    EXPECT_EQ(ToNativePath("/a//b\\\\c"), "/a/b/c");
    EXPECT_EQ(WithTrailingSeparator("/skins/a"), "/skins/a/");
    EXPECT_EQ(WithTrailingSeparator("/skins/a/"), "/skins/a/");
    EXPECT_EQ(WithTrailingSeparator("C:\\skins\\"), "C:\\skins\\");
    EXPECT_EQ(WithTrailingSeparator(""), "/");
}

TEST(FileLookup, NamesMadeOnWindowsAreFoundWhateverTheirCase) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\btn_ok.bmp", 2, 2, 0x010203);
    skin.Solid("Sysbox_LU.BMP", 2, 2, 0x010203);

    EXPECT_TRUE(FileExists(skin.Dir() + "basic_interface\\btn_ok.bmp"));
    EXPECT_TRUE(FileExists(skin.Dir() + "Basic_Interface\\BTN_OK.BMP"));
    EXPECT_TRUE(FileExists(skin.Dir() + "sysbox_lu.bmp"));
    EXPECT_TRUE(FileExists(skin.Dir() + "\\sysbox_lu.bmp")) << "a doubled separator is one";
    EXPECT_FALSE(FileExists(skin.Dir() + "basic_interface\\btn_ok_a.bmp"));
    EXPECT_FALSE(FileExists(skin.Dir() + "basic_interface")) << "a folder is not a file";
    EXPECT_TRUE(DirectoryExists(skin.Dir() + "BASIC_INTERFACE"));
    EXPECT_FALSE(FileExists(""));

    std::optional<std::filesystem::path> found =
        ResolvePath(skin.Dir() + "BASIC_interface\\Btn_Ok.bmp");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "btn_ok.bmp");
    EXPECT_EQ(found->parent_path().filename(), "basic_interface");
}

TEST(FileLookup, AnExactMatchWinsOverOtherCases) {
    test::FixtureSkin skin;
    skin.Solid("a.bmp", 1, 1, 0x000001);
    skin.Solid("A.bmp", 1, 1, 0x000002);
    std::optional<std::filesystem::path> upper = ResolvePath(skin.Dir() + "A.bmp");
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->filename(), "A.bmp");
}

}  // namespace
}  // namespace morvish
