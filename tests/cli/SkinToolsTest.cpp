// The renderer's tools for skin artists: the skin check, every kind of a skin at once, and the
// contact sheet of a skin root.
#include <gtest/gtest.h>

#include "ContactSheet.h"
#include "RenderScript.h"
#include "platform/Platform.h"
#include "render/PngFile.h"
#include "support/FixtureSkin.h"
#include "support/RunProgram.h"

namespace morvish::cli {
namespace {

int RunRenderer(const std::vector<std::string>& arguments) {
    return test::RunProgram(MORVISH_RENDER, arguments);
}

TEST(SkinToolArguments, EachTaskNeedsItsOwnArgumentsAndTasksDoNotMix) {
    Result<RenderOptions> check = ParseArguments({"--check", "skin", "--json"});
    ASSERT_TRUE(check);
    EXPECT_EQ(check->task, Task::Check);
    EXPECT_EQ(check->skinDir, "skin");
    EXPECT_TRUE(check->json);

    Result<RenderOptions> kinds = ParseArguments({"--skin", "s", "--all-kinds", "out"});
    ASSERT_TRUE(kinds);
    EXPECT_EQ(kinds->task, Task::AllKinds);
    EXPECT_EQ(kinds->kindsDir, "out");
    EXPECT_FALSE(ParseArguments({"--all-kinds", "out"}));

    Result<RenderOptions> sheet =
        ParseArguments({"--sheet", "root", "-o", "s.png", "--width", "200", "--columns", "3"});
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->task, Task::Sheet);
    EXPECT_EQ(sheet->sheetWidth, 200);
    EXPECT_EQ(sheet->sheetColumns, 3);
    EXPECT_TRUE(ParseArguments({"--sheet", "root", "--html", "page"}));
    EXPECT_FALSE(ParseArguments({"--sheet", "root"}));
    EXPECT_FALSE(ParseArguments({"--sheet", "root", "-o", "s.png", "--width", "0"}));
    EXPECT_FALSE(ParseArguments({"--sheet", "root", "-o", "s.png", "--width", "851"}));
    EXPECT_FALSE(ParseArguments({"--sheet", "root", "-o", "s.png", "--columns", "x"}));

    Result<RenderOptions> mixed = ParseArguments({"--check", "a", "--sheet", "b", "-o", "s.png"});
    ASSERT_FALSE(mixed);
    EXPECT_EQ(mixed.error().message, "--check, --all-kinds and --sheet cannot be combined");
}

TEST(SkinToolProgram, CheckExitsWithOneOnlyWhenAFileIsMissingOrUnreadable) {
    test::FixtureSkin broken;
    broken.Solid("basic_interface\\basewin_bg.bmp", 280, 120, 0x808080);
    EXPECT_EQ(RunRenderer({"--check", platform::PathToUtf8(broken.Dir())}), 1);
    EXPECT_EQ(RunRenderer({"--check", platform::PathToUtf8(broken.Dir()), "--json"}), 1);
    EXPECT_EQ(RunRenderer({"--check", platform::PathToUtf8(broken.Dir() / "nowhere")}), 2);
    // The demo skin beside the program has every piece.
    const std::filesystem::path demo =
        std::filesystem::path(MORVISH_RENDER).parent_path() / "skins" / "parchment";
    EXPECT_EQ(RunRenderer({"--check", platform::PathToUtf8(demo)}), 0);
}

TEST(SkinToolProgram, AllKindsWritesTwelvePicturesNamedAfterTheSkin) {
    test::FixtureSkin skin;
    skin.Solid("basic_interface\\basewin_bg.bmp", 280, 120, 0x336699);
    test::ScratchFolder out;
    EXPECT_EQ(RunRenderer({"--skin", platform::PathToUtf8(skin.Dir()), "--all-kinds",
                           platform::PathToUtf8(out / "pictures"), "--no-text"}),
              0);
    const std::string name = platform::PathToUtf8(SkinName(skin.Dir()));
    EXPECT_EQ(out.Names("pictures").size(), 12u);
    Result<Bitmap> all = ReadPng(out / "pictures" / (name + "-all.png"));
    ASSERT_TRUE(all);
    EXPECT_EQ(all->width, 850);
    Result<Bitmap> basic = ReadPng(out / "pictures" / (name + "-basic.png"));
    ASSERT_TRUE(basic);
    EXPECT_EQ(basic->width, 280);
    EXPECT_EQ(basic->height, 120);
    EXPECT_EQ(basic->At(0, 0), 0x336699u);
}

TEST(ContactSheet, ScalingAveragesTheAreaEachPixelCovers) {
    const Bitmap stripes{4,
                         2,
                         {0xFFFFFF, 0x000000, 0xFF0000, 0xFF0000,  //
                          0xFFFFFF, 0x000000, 0xFF0000, 0xFF0000}};
    const Bitmap half = ScaleToWidth(stripes, 2);
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.height, 1);
    EXPECT_EQ(half.At(0, 0), 0x808080u);
    EXPECT_EQ(half.At(1, 0), 0xFF0000u);
    // Never wider than the source, and the all-windows view keeps its proportions.
    EXPECT_EQ(ScaleToWidth(stripes, 9).width, 4);
    const Bitmap view = ScaleToWidth(test::SolidBitmap(850, 676, 0x123456), 425);
    EXPECT_EQ(view.height, 338);
    EXPECT_EQ(view.At(424, 337), 0x123456u);
}

TEST(ContactSheet, CellsFollowRowByRowWithTheNameBeneathAndAGreyBoxForAFailure) {
    const std::vector<SheetEntry> entries{{"one", test::SolidBitmap(850, 676, 0x0000FF)},
                                          {"two", test::SolidBitmap(850, 676, 0x00FF00)},
                                          {"three", Bitmap{}}};
    const Bitmap sheet = ComposeSheet(entries, 85, 2);
    // Margins of 10, pictures 85 × 68, a name band of 20 beneath each.
    EXPECT_EQ(sheet.width, 10 + 2 * 95);
    EXPECT_EQ(sheet.height, 10 + 2 * 98);
    EXPECT_EQ(sheet.At(10, 10), 0x0000FFu);
    EXPECT_EQ(sheet.At(105, 10), 0x00FF00u);
    EXPECT_EQ(sheet.At(5, 5), 0xFFFFFFu);
    EXPECT_EQ(sheet.At(12, 108 + 2), 0xE0E0E0u);  // the third cell, which could not be drawn
}

TEST(ContactSheet, PageEscapesNamesAndLinksEveryPictureByItsEncodedName) {
    EXPECT_EQ(UrlPath("a b/ü#1.png"), "a%20b/%C3%BC%231.png");
    const std::string page = SheetPage(
        "Skins <&>",
        {PageSkin{"R&D <skin>",
                  "skin-1",
                  {PagePicture{"basic", "基本情報ウィンドウ", "R&D <skin>/basic.png", 280, 120, {}},
                   PagePicture{"item", "アイテムウィンドウ", {}, 0, 0, "x.bmp: not a BMP file"}}}});
    EXPECT_NE(page.find("<title>Skins &lt;&amp;&gt;</title>"), std::string::npos);
    EXPECT_NE(page.find("<li><a href=\"#skin-1\">R&amp;D &lt;skin&gt;</a></li>"),
              std::string::npos);
    EXPECT_NE(page.find("<section id=\"skin-1\">"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"R%26D%20%3Cskin%3E/basic.png\"><img "
                        "src=\"R%26D%20%3Cskin%3E/basic.png\" width=\"280\" height=\"120\""),
              std::string::npos);
    EXPECT_NE(page.find("アイテムウィンドウ (item): cannot be drawn: x.bmp: not a BMP file"),
              std::string::npos);
    EXPECT_EQ(page.find("item.png"), std::string::npos);
}

TEST(SkinToolProgram, SheetOfARootHasOneCellPerSkin) {
    test::ScratchFolder root;
    for (const char* name : {"alpha", "beta", "gamma"}) {
        root.Write(std::filesystem::path(name) / "readme.txt", "skin");
    }
    EXPECT_EQ(RunRenderer({"--sheet", platform::PathToUtf8(root.Dir()), "-o",
                           platform::PathToUtf8(root / "sheet.png"), "--width", "100", "--columns",
                           "2", "--no-text"}),
              0);
    Result<Bitmap> sheet = ReadPng(root / "sheet.png");
    ASSERT_TRUE(sheet);
    // 100 × 80 pictures, two to a row, two rows.
    EXPECT_EQ(sheet->width, 10 + 2 * 110);
    EXPECT_EQ(sheet->height, 10 + 2 * 110);
    EXPECT_EQ(RunRenderer({"--sheet", platform::PathToUtf8(root / "none"), "-o", "x.png"}), 2);
}

}  // namespace
}  // namespace morvish::cli
