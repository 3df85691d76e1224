// The painter's composite pieces and the element tables it draws from.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "render/SkinFont.h"
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

// The painter owes the background rather than painting it first, and lays pieces onto it where
// nothing lies yet. Whatever the order, overlap and clipping of pieces, boxes and texts, the
// picture must be the one a painter that fills first and then draws each step would make.
TEST(OwedBackground, EveryLayoutLooksAsIfTheBackgroundWerePaintedFirst) {
    constexpr int kWidth = 40, kHeight = 30, kPieces = 6;
    constexpr std::uint32_t kInk = 0x102030, kBoxColour = 0x607080;
    const std::uint32_t kColours[] = {kColorKey, 0xC00000, 0x00C000, 0x0000C0, kColorKey};
    std::mt19937 random(20261208);
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    test::FixtureSkin skin;
    std::vector<Bitmap> pieces;
    std::vector<ElementEntry> table;
    std::vector<std::string> names;
    for (int k = 0; k < kPieces; ++k) {
        Bitmap piece = test::SolidBitmap(between(1, 24), between(1, 20), 0);
        // Some pieces are solid, some have key holes and runs of every length.
        for (std::uint32_t& pixel : piece.pixels) pixel = kColours[k < 2 ? 1 + k : between(0, 4)];
        names.push_back("piece" + std::to_string(k) + ".bmp");
        skin.Write(names.back(), piece);
        pieces.push_back(piece);
    }
    for (const std::string& name : names) table.push_back({name, 0, 0});
    const std::vector<Element> elements = MakeElements(skin.Dir(), table);
    const SkinFont* font = FindSkinFont(FontFace::English, 9);

    for (int layout = 0; layout < 300; ++layout) {
        SkinPainter painter(kWidth, kHeight, ToColor(kPane));
        std::vector<std::uint32_t> expected(std::size_t(kWidth * kHeight), kPane);
        const auto at = [&](int x, int y) -> std::uint32_t& {
            return expected[std::size_t(y * kWidth + x)];
        };
        const int steps = between(1, 12);
        for (int step = 0; step < steps; ++step) {
            const int kind = between(0, 11);
            const int x = between(-12, kWidth + 2), y = between(-12, kHeight + 2);
            // The pixels of piece k at (x, y), as drawing it over what is there leaves them.
            const auto expect = [&](int k, int x, int y, Blit mode) {
                const Bitmap& piece = pieces[std::size_t(k)];
                for (int py = 0; py < piece.height; ++py) {
                    for (int px = 0; px < piece.width; ++px) {
                        const int tx = x + px, ty = y + py;
                        if (tx < 0 || ty < 0 || tx >= kWidth || ty >= kHeight) continue;
                        if (mode == Blit::Keyed && piece.At(px, py) == kColorKey) continue;
                        at(tx, ty) = piece.At(px, py);
                    }
                }
            };
            if (kind < 7) {
                const int k = between(0, kPieces - 1);
                const Blit mode = kind == 6 ? Blit::Opaque : Blit::Keyed;
                painter.Piece(elements[std::size_t(k)], x, y, mode);
                expect(k, x, y, mode);
            } else if (kind < 9) {
                // Rows, columns and grids of copies: edge to edge, apart, or overlapping.
                const int k = between(0, kPieces - 1);
                const Blit mode = between(0, 2) == 0 ? Blit::Opaque : Blit::Keyed;
                const Bitmap& piece = pieces[std::size_t(k)];
                const int columns = between(0, 4), rows = between(1, 3);
                const int stepX = between(0, 2) > 0 ? piece.width : between(0, 30);
                const int stepY = between(0, 2) > 0 ? piece.height : between(0, 30);
                Element at = elements[std::size_t(k)];
                at.x = x;
                at.y = y;
                if (kind == 7) {
                    const bool alongRow = between(0, 1) == 0;
                    painter.Tile(at, columns, alongRow ? stepX : 0, alongRow ? 0 : stepY, mode);
                    for (int c = 0; c < columns; ++c) {
                        expect(k, x + c * (alongRow ? stepX : 0), y + c * (alongRow ? 0 : stepY),
                               mode);
                    }
                } else {
                    painter.Grid(at, columns, rows, stepX, stepY, mode);
                    for (int r = 0; r < rows; ++r) {
                        for (int c = 0; c < columns; ++c)
                            expect(k, x + c * stepX, y + r * stepY, mode);
                    }
                }
            } else if (kind < 11) {
                const int x2 = x + between(0, 15), y2 = y + between(0, 10);
                painter.Box(ToColor(kBoxColour), x, y, x2, y2);
                for (int ty = std::max(y, 0); ty < std::min(y2, kHeight); ++ty) {
                    for (int tx = std::max(x, 0); tx < std::min(x2, kWidth); ++tx) {
                        at(tx, ty) = kBoxColour;
                    }
                }
            } else if (font != nullptr) {
                painter.Text(font, ToColor(kInk), x, y, "Ag_|");
                font->Draw(PixelTarget{expected.data(), kWidth, kHeight, kWidth}, x, y, "Ag_|",
                           kInk);
            }
        }
        SurfaceResult picture = painter.Finish();
        ASSERT_TRUE(picture.has_value());
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                ASSERT_EQ((*picture)->Pixel(x, y), at(x, y))
                    << "layout " << layout << " at (" << x << ", " << y << ")";
            }
        }
    }
}

}  // namespace
}  // namespace morvish
