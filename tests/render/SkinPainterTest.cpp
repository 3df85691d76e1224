// The painter's composite pieces and the element tables it draws from.

#include <gtest/gtest.h>

#include "render/SkinPainter.h"
#include "support/FixtureSkin.h"

namespace morvish {
namespace {

using test::RegionIs;

constexpr std::uint32_t kPane = 0x203040;
constexpr std::uint32_t kLeft = 0x800000, kMiddle = 0x008000, kRight = 0x000080;

TEST(ElementTable, SkinNamesLieUnderTheSkinAndSamplesInTheSampleFolder) {
    test::FixtureGraphic graphic;
    constexpr ElementEntry kTable[] = {
        {"basic_interface\\titlebar_fix.bmp", 3, 4, "title bar", Role::Background},
        {"trade.bmp", 5, 6, "sample", Role::Piece, Folder::SamplePictures},
    };
    const std::filesystem::path skin = "/skins/plain/";
    const std::vector<Element> elements = MakeElements(skin, kTable);
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].path, skin / "basic_interface" / "titlebar_fix.bmp");
    EXPECT_EQ(elements[0].x, 3);
    EXPECT_EQ(elements[0].y, 4);
    EXPECT_EQ(elements[1].path, graphic.Dir() / "trade.bmp");
    EXPECT_EQ(elements[1].y, 6);
    // The skin check reads what a piece is for and where it lies from the made elements.
    EXPECT_EQ(elements[0].purpose, "title bar");
    EXPECT_EQ(elements[0].role, Role::Background);
    EXPECT_EQ(elements[0].folder, Folder::Skin);
    EXPECT_EQ(elements[1].purpose, "sample");
    EXPECT_EQ(elements[1].folder, Folder::SamplePictures);
}

class BarTest : public ::testing::Test {
  protected:
    BarTest() {
        skin.Solid("left.bmp", 5, 4, kLeft);
        skin.Solid("middle.bmp", 3, 4, kMiddle);
        skin.Solid("right.bmp", 5, 4, kRight);
        elements = MakeElements(skin.Dir(), kTable);
    }

    static constexpr ElementEntry kTable[] = {
        {"left.bmp", 0, 2},
        {"middle.bmp", 5, 2},
        {"right.bmp", 13, 2},
    };
    test::FixtureSkin skin;
    std::vector<Element> elements;
};

TEST_F(BarTest, MiddleCopiesComeAfterTheEndsAndLieOverTheRightOne) {
    SkinPainter painter(20, 8, ToColor(kPane));
    // Four copies 3 apart reach from x 5 to 16, three columns into the right end.
    painter.Bar(elements[0], elements[1], elements[2], 4, 3);
    SurfacePtr picture = std::move(*painter.Finish());
    EXPECT_TRUE(RegionIs(*picture, {0, 2, 5, 6}, kLeft));
    EXPECT_TRUE(RegionIs(*picture, {5, 2, 17, 6}, kMiddle));
    EXPECT_TRUE(RegionIs(*picture, {17, 2, 18, 6}, kRight));
    EXPECT_TRUE(RegionIs(*picture, {18, 0, 20, 8}, kPane));
    EXPECT_TRUE(RegionIs(*picture, {0, 0, 20, 2}, kPane));
}

TEST_F(BarTest, MissingPiecesAreLeftOutAndOpaqueCopiesKeepTheirMagenta) {
    Bitmap keyed = test::SolidBitmap(3, 4, kMiddle);
    keyed.pixels[0] = kColorKey;
    skin.Write("middle.bmp", keyed);
    skin.Remove("left.bmp");
    SkinPainter painter(20, 8, ToColor(kPane));
    painter.Bar(elements[0], elements[1], elements[2], 2, 3, Blit::Opaque);
    SurfacePtr picture = std::move(*painter.Finish());
    EXPECT_TRUE(RegionIs(*picture, {0, 2, 5, 6}, kPane));
    EXPECT_EQ(picture->Pixel(5, 2), kColorKey);
    EXPECT_EQ(picture->Pixel(8, 2), kColorKey);
    EXPECT_TRUE(RegionIs(*picture, {6, 2, 8, 3}, kMiddle));
    EXPECT_TRUE(RegionIs(*picture, {13, 2, 18, 6}, kRight));
}

}  // namespace
}  // namespace morvish
