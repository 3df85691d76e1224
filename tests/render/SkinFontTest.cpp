#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "render/Bitmap.h"
#include "render/DirectDrawSurface7.h"
#include "render/PngFile.h"
#include "render/SkinFont.h"
#include "render/SkinFontBackend.h"
#include "render/mdlMain.h"

#ifdef _WIN32
#include "platform/WindowsApi.h"
#else
#include <unistd.h>
#endif

namespace morvish {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kGuard = 0x5A5A5A;

// Texts the windows draw; together they use most shapes of both faces.
constexpr const char* kJapaneseSamples[] = {"基本情報", "アイテム", "一部、モンスターを倒したら",
                                            "剣_修練(Sword Mastery)"};
constexpr const char* kEnglishSamples[] = {"Base Lv. 29", "Weight : 863 / 4020   Zeny : 57414"};
constexpr const char* kReplacement = "\xEF\xBF\xBD";

std::vector<const char*> SamplesOf(FontFace face) {
    if (face == FontFace::Japanese) {
        return {std::begin(kJapaneseSamples), std::end(kJapaneseSamples)};
    }
    return {std::begin(kEnglishSamples), std::end(kEnglishSamples)};
}

// A buffer of one colour to draw into, with rows `width` pixels apart.
struct Canvas {
    int width;
    int height;
    std::vector<std::uint32_t> pixels;

    Canvas(int w, int h, std::uint32_t rgb)
        : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), rgb) {}
    PixelTarget Target() { return PixelTarget{pixels.data(), width, height}; }
    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// The painted area of a canvas (pixels that differ from the background), right/bottom exclusive.
struct Extent {
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;
    int bottom = INT_MIN;
    int count = 0;
};

Extent PaintedExtent(const Canvas& canvas, std::uint32_t background) {
    Extent extent;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            if (canvas.At(x, y) == background) continue;
            extent.left = std::min(extent.left, x);
            extent.top = std::min(extent.top, y);
            extent.right = std::max(extent.right, x + 1);
            extent.bottom = std::max(extent.bottom, y + 1);
            ++extent.count;
        }
    }
    return extent;
}

#define FONT_OR_SKIP(font, face, points)               \
    const SkinFont* font = FindSkinFont(face, points); \
    if (font == nullptr) GTEST_SKIP() << MissingFontReport()

TEST(SkinFont, BothFacesLoadWhenInstalled) {
    for (FontFace face : {FontFace::Japanese, FontFace::English}) {
        FONT_OR_SKIP(font, face, 9);
        EXPECT_GT(font->TextWidth("Base Lv. 29"), 0);
    }
    EXPECT_EQ(MissingFontReport(), "");
}

TEST(SkinFont, FontsAreCachedPerFaceAndSize) {
    FONT_OR_SKIP(japanese, FontFace::Japanese, 9);
    FONT_OR_SKIP(english, FontFace::English, 9);
    EXPECT_EQ(FindSkinFont(FontFace::Japanese, 9), japanese);
    EXPECT_EQ(FindSkinFont(FontFace::English, 9), english);
    EXPECT_NE(japanese, english);
    EXPECT_NE(FindSkinFont(FontFace::Japanese, 12), japanese);
    // The font pick hands out the same objects; unknown kinds and sizes give no font.
    EXPECT_EQ(mdlMain::GetSkinFont(1, 9), japanese);
    EXPECT_EQ(mdlMain::GetSkinFont(2, 9), english);
    EXPECT_EQ(mdlMain::GetSkinFont(0, 9), nullptr);
    EXPECT_EQ(mdlMain::GetSkinFont(3, 9), nullptr);
    EXPECT_EQ(FindSkinFont(FontFace::English, 0), nullptr);
    EXPECT_EQ(FindSkinFont(FontFace::English, -9), nullptr);
    EXPECT_EQ(FindSkinFont(FontFace::English, INT_MAX), nullptr);
}

TEST(SkinFont, TextsHeldBackOnOneThreadAreStillDrawnOnTheOthers) {
    FONT_OR_SKIP(font, FontFace::Japanese, 9);
    {
        const NoTextsOnThisThread noTexts;
        EXPECT_EQ(FindSkinFont(FontFace::Japanese, 9), nullptr);
        { const NoTextsOnThisThread nested; }
        EXPECT_EQ(FindSkinFont(FontFace::Japanese, 9), nullptr) << "the outer one still holds";
        const SkinFont* elsewhere = nullptr;
        std::thread([&] { elsewhere = FindSkinFont(FontFace::Japanese, 9); }).join();
        EXPECT_EQ(elsewhere, font);
    }
    EXPECT_EQ(FindSkinFont(FontFace::Japanese, 9), font);
}

// The character cell follows GDI: usWinAscent and usWinDescent scaled to the pixel size
// (8 pt = 11 px, 9 pt = 12 px, 12 pt = 16 px) and rounded each on its own.
TEST(SkinFont, CellMetricsMatchTheWindowsCell) {
    struct Expected {
        FontFace face;
        int points;
        int ascent;
        int cell;
    };
    const Expected table[] = {
        {FontFace::Japanese, 8, 10, 12},  {FontFace::Japanese, 9, 11, 13},
        {FontFace::Japanese, 12, 14, 17}, {FontFace::English, 8, 10, 12},
        {FontFace::English, 9, 11, 14},   {FontFace::English, 12, 14, 17},
    };
    for (const Expected& expected : table) {
        FONT_OR_SKIP(font, expected.face, expected.points);
        SCOPED_TRACE(expected.points);
        EXPECT_EQ(font->Ascent(), expected.ascent);
        EXPECT_EQ(font->CellHeight(), expected.cell);
    }
}

TEST(SkinFont, CellTopLeftIsTheAnchorAndTheBaselineLiesAtAscent) {
    for (FontFace face : {FontFace::Japanese, FontFace::English}) {
        for (int points : {8, 9, 12}) {
            FONT_OR_SKIP(font, face, points);
            SCOPED_TRACE(points);
            const int x = 20;
            const int y = 15;
            Canvas capital(80, 50, kWhite);
            font->Draw(capital.Target(), x, y, "H", 0);
            const Extent h = PaintedExtent(capital, kWhite);
            ASSERT_GT(h.count, 0);
            // A capital stands on the baseline and its top lies a few pixels below the cell top.
            EXPECT_EQ(h.bottom, y + font->Ascent());
            EXPECT_GT(h.top, y);
            EXPECT_LE(h.top, y + 4);
            EXPECT_GE(h.left, x);
            EXPECT_LE(h.left, x + 2);

            // A descender goes below the baseline but stays inside the cell.
            Canvas descender(80, 50, kWhite);
            font->Draw(descender.Target(), x, y, "g", 0);
            const Extent g = PaintedExtent(descender, kWhite);
            EXPECT_GT(g.bottom, y + font->Ascent());
            EXPECT_LE(g.bottom, y + font->CellHeight());
        }
    }
}

TEST(SkinFont, OnlyGlyphPixelsArePaintedInExactlyTheTextColour) {
    struct Case {
        std::uint32_t background;
        std::uint32_t text;
    };
    const Case cases[] = {{kWhite, kMagenta}, {kMagenta, 0x000000}, {0x123456, 0xFEDCBA}};
    for (FontFace face : {FontFace::Japanese, FontFace::English}) {
        for (int points : {8, 9, 12}) {
            FONT_OR_SKIP(font, face, points);
            for (const Case& colours : cases) {
                for (const char* text : SamplesOf(face)) {
                    SCOPED_TRACE(std::string(text) + " at " + std::to_string(points));
                    const int x = 7;
                    const int y = 5;
                    Canvas canvas(320, 40, colours.background);
                    font->Draw(canvas.Target(), x, y, text, colours.text);
                    int painted = 0;
                    for (std::uint32_t pixel : canvas.pixels) {
                        if (pixel == colours.text) ++painted;
                        // 1-bit glyphs: no blended edge colours anywhere.
                        ASSERT_TRUE(pixel == colours.text || pixel == colours.background)
                            << std::hex << pixel;
                    }
                    const Extent extent = PaintedExtent(canvas, colours.background);
                    EXPECT_GT(painted, 20);
                    EXPECT_GE(extent.top, y);
                    EXPECT_LE(extent.bottom, y + font->CellHeight());
                    EXPECT_GE(extent.left, x - 1);
                    EXPECT_LE(extent.right, x + font->TextWidth(text) + 1);
                    // Glyphs are thin strokes: most of the text's box keeps its background.
                    EXPECT_LT(painted, (extent.right - extent.left) * font->CellHeight() / 2);
                }
            }
        }
    }
}

TEST(SkinFont, TextIsClippedAtEveryEdgeOfTheTarget) {
    for (FontFace face : {FontFace::Japanese, FontFace::English}) {
        FONT_OR_SKIP(font, face, 9);
        const char* text = face == FontFace::Japanese ? "一部、モンスター" : "Weight : 863";
        // The whole text, drawn on a canvas large enough for it at every offset used below.
        const int originX = 100;
        const int originY = 40;
        Canvas reference(400, 100, kWhite);
        font->Draw(reference.Target(), originX, originY, text, 0);

        const int width = 30;
        const int height = 9;
        const int guard = 64;
        struct Place {
            int x;
            int y;
        };
        const Place places[] = {
            {-7, 2},         {width - 12, 1},  {2, -6},
            {3, height - 4}, {-5, -5},         {width - 6, height - 3},
            {-40, 0},        {width, 0},       {0, height},
            {0, -20},        {INT_MIN + 5, 0}, {INT_MAX - 5, INT_MAX - 5},
        };
        for (const Place& place : places) {
            SCOPED_TRACE(std::to_string(place.x) + "," + std::to_string(place.y));
            // The target lies inside a larger buffer whose guard areas must stay untouched; a
            // row written past the right edge would show up at the next row's left.
            std::vector<std::uint32_t> buffer(guard + width * height + guard, kGuard);
            std::fill(buffer.begin() + guard, buffer.begin() + guard + width * height, kWhite);
            font->Draw(PixelTarget{buffer.data() + guard, width, height}, place.x, place.y, text,
                       0);
            for (int i = 0; i < guard; ++i) {
                ASSERT_EQ(buffer[i], kGuard);
                ASSERT_EQ(buffer[guard + width * height + i], kGuard);
            }
            // Places from which every target pixel maps onto the reference canvas.
            const bool inReference =
                place.x >= originX + width - reference.width && place.x <= originX &&
                place.y >= originY + height - reference.height && place.y <= originY;
            for (int ty = 0; ty < height; ++ty) {
                for (int tx = 0; tx < width; ++tx) {
                    const std::uint32_t expected =
                        inReference ? reference.At(originX - place.x + tx, originY - place.y + ty)
                                    : kWhite;
                    ASSERT_EQ(buffer[guard + ty * width + tx], expected) << tx << "," << ty;
                }
            }
        }
    }
}

// A text is kept laid out for the row width it was last drawn at: drawn at other widths in turn,
// and back, it must land exactly where the same text lands on a fresh canvas of that width.
TEST(SkinFont, ATextDrawnIntoPicturesOfManyWidthsLandsTheSameInEach) {
    for (FontFace face : {FontFace::Japanese, FontFace::English}) {
        FONT_OR_SKIP(font, face, 9);
        const char* text = face == FontFace::Japanese ? "スキルポイント : 1" : "Sword Mastery";
        const RECT ink = font->InkBounds(text);
        Canvas reference(200, 30, kWhite);
        font->Draw(reference.Target(), 5, 4, text, 0);
        for (const int stride : {200, 137, 850, 200, 301}) {
            SCOPED_TRACE(stride);
            // The 200 × 30 picture as a view into rows `stride` pixels apart.
            std::vector<std::uint32_t> rows(std::size_t(stride) * 30, kGuard);
            for (int y = 0; y < 30; ++y) {
                std::fill_n(rows.begin() + y * stride, std::min(stride, 200), kWhite);
            }
            const int width = std::min(stride, 200);
            font->Draw(PixelTarget{rows.data(), width, 30, stride}, 5, 4, text, 0);
            for (int y = 0; y < 30; ++y) {
                for (int x = 0; x < stride; ++x) {
                    const std::uint32_t expected = x < width ? reference.At(x, y) : kGuard;
                    ASSERT_EQ(rows[std::size_t(y * stride + x)], expected) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(font->InkBounds(text), ink);
    }
}

// The painter pays for the background under a text's ink box only: a box too small would leave
// glyph pixels to be painted over, so it must be exact for every sample.
TEST(SkinFont, InkBoundsAreTheBoxOfThePaintedPixels) {
    for (FontFace face : {FontFace::Japanese, FontFace::English}) {
        FONT_OR_SKIP(font, face, 9);
        std::vector<const char*> texts = SamplesOf(face);
        texts.push_back("_|gjQ(");
        texts.push_back(kReplacement);
        for (const char* text : texts) {
            SCOPED_TRACE(text);
            Canvas canvas(600, 60, kWhite);
            constexpr int kX = 20, kY = 20;
            font->Draw(canvas.Target(), kX, kY, text, 0);
            const Extent painted = PaintedExtent(canvas, kWhite);
            const RECT ink = font->InkBounds(text);
            EXPECT_EQ(ink, (RECT{painted.left - kX, painted.top - kY, painted.right - kX,
                                 painted.bottom - kY}));
        }
        // Nothing painted, nothing owed.
        for (const char* blank : {"", "   "}) {
            const RECT ink = font->InkBounds(blank);
            EXPECT_TRUE(ink.Left >= ink.Right || ink.Top >= ink.Bottom) << '"' << blank << '"';
        }
    }
}

TEST(SkinFont, InvalidUtf8IsReplacedNotFatal) {
    for (FontFace face : {FontFace::Japanese, FontFace::English}) {
        FONT_OR_SKIP(font, face, 9);
        const int replacement = font->TextWidth(kReplacement);
        const int a = font->TextWidth("A");
        struct Case {
            std::string text;
            int width;
        };
        const Case cases[] = {
            {"\xFF", replacement},  // never a lead byte
            {"\x80"
             "A",
             replacement + a},      // stray continuation byte
            {"\xC3", replacement},  // cut short at the end
            {"\xE3\x81"
             "A",
             replacement + a},                      // cut short before a letter
            {"\xC0\x80", 2 * replacement},          // overlong NUL
            {"\xED\xA0\x80", 3 * replacement},      // surrogate
            {"\xF4\x90\x80\x80", 4 * replacement},  // past U+10FFFF
            {"\xF0\x9F\x98", replacement},          // four-byte sequence cut short
        };
        for (const Case& invalid : cases) {
            EXPECT_EQ(font->TextWidth(invalid.text), invalid.width);
            Canvas canvas(40, 20, kWhite);
            font->Draw(canvas.Target(), 2, 2, invalid.text, 0);
        }
        // Valid text around broken bytes still comes out whole.
        EXPECT_EQ(font->TextWidth("Base\xFFLv"),
                  font->TextWidth("Base") + replacement + font->TextWidth("Lv"));
        EXPECT_EQ(font->TextWidth(std::string("A\0A", 3)),
                  2 * a + font->TextWidth(std::string(1, '\0')));
        // Nothing to draw into, or nothing to draw: no effect.
        font->Draw(PixelTarget{}, 0, 0, "Base", 0);
        Canvas canvas(10, 10, kWhite);
        font->Draw(canvas.Target(), 0, 0, "", 0);
        EXPECT_EQ(PaintedExtent(canvas, kWhite).count, 0);
    }
}

TEST(SkinFont, SurfaceDrawTextUsesTheFormColourAndKeepsTheBackground) {
    FONT_OR_SKIP(font, FontFace::English, 8);
    DirectDrawSurface7 surface(120, 20);
    surface.BltColorFill(RECT{}, RGB(255, 0, 255));
    surface.SetFont(font);
    surface.SetForeColor(RGB(255, 0, 0));  // red, in the form's 0x00BBGGRR
    surface.DrawText(3, 2, "Zeny : 57414");
    int red = 0;
    for (std::uint32_t pixel : surface.Pixels()) {
        EXPECT_TRUE(pixel == 0xFF0000 || pixel == kMagenta) << std::hex << pixel;
        red += pixel == 0xFF0000;
    }
    EXPECT_GT(red, 30);
}

#ifndef _WIN32
// fontconfig answers every question with some font. With a configuration that holds only some
// faces, a face that is not there must come out missing, and the report must name its package.
// Each case runs in a fresh process so that the configuration is read anew.
class SkinFontMissing : public ::testing::Test {
  protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        root_ = std::filesystem::temp_directory_path() /
                ("morvish-fonts-" + std::to_string(::getpid()));
        // Left by an earlier process of the same number that did not end its test.
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "fonts");
        std::filesystem::create_directories(root_ / "cache");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    // Makes `file` the only font fontconfig knows of (none for an empty name).
    std::string ConfigWith(const std::filesystem::path& file) {
        if (!file.empty()) std::filesystem::create_symlink(file, root_ / "fonts" / file.filename());
        const std::filesystem::path config = root_ / "fonts.conf";
        std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig>\n<dir>"
                              << (root_ / "fonts").string() << "</dir>\n<cachedir>"
                              << (root_ / "cache").string() << "</cachedir>\n</fontconfig>\n";
        return config.string();
    }

    std::filesystem::path root_;
};

// Runs in the child: reads the fonts with `config` and exits 0 when the result is as expected.
// The child never reaches TearDown: it removes its own folder, the one that holds `config`.
[[noreturn]] void ExpectFaces(const std::string& config, bool japanese, bool english,
                              const std::string& report) {
    ::setenv("FONTCONFIG_FILE", config.c_str(), 1);
    const bool japaneseFound = FindSkinFont(FontFace::Japanese, 9) != nullptr;
    const bool englishFound = FindSkinFont(FontFace::English, 9) != nullptr;
    std::fprintf(stderr, "japanese %d english %d report [%s]\n", japaneseFound, englishFound,
                 MissingFontReport().c_str());
    const bool expected =
        japaneseFound == japanese && englishFound == english && MissingFontReport() == report;
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(config).parent_path(), error);
    std::exit(expected ? 0 : 1);
}

const std::string kJapaneseMissing =
    "The Japanese sample font IPAPGothic is not installed: install the Debian package "
    "fonts-ipafont-gothic.";
const std::string kEnglishMissing =
    "The English sample font Liberation Sans is not installed: install the Debian package "
    "fonts-liberation.";

TEST_F(SkinFontMissing, NoFontsAtAllLeaveBothFacesOut) {
    const std::string config = ConfigWith({});
    EXPECT_EXIT(ExpectFaces(config, false, false, kJapaneseMissing + "\n" + kEnglishMissing),
                ::testing::ExitedWithCode(0), "");
}

TEST_F(SkinFontMissing, AnotherFamilyDoesNotStandInForTheRequestedOne) {
    // IPAGothic (fixed pitch) is the nearest match fontconfig finds for IPAPGothic and for
    // Liberation Sans; neither may be taken for them.
    const std::filesystem::path ipaGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
    if (!std::filesystem::exists(ipaGothic)) GTEST_SKIP() << ipaGothic << " is not installed";
    const std::string config = ConfigWith(ipaGothic);
    EXPECT_EXIT(ExpectFaces(config, false, false, kJapaneseMissing + "\n" + kEnglishMissing),
                ::testing::ExitedWithCode(0), "");
}

TEST_F(SkinFontMissing, OnlyTheMissingFaceIsReported) {
    const std::filesystem::path liberation =
        "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
    if (!std::filesystem::exists(liberation)) GTEST_SKIP() << liberation << " is not installed";
    const std::string config = ConfigWith(liberation);
    EXPECT_EXIT(ExpectFaces(config, false, true, kJapaneseMissing), ::testing::ExitedWithCode(0),
                "");
}

#else

// Windows chooses among the installed families by name and by the glyphs they have: a family
// that lacks Japanese glyphs never stands in for a Japanese one, and a name that is not installed
// is not answered with some other face, as CreateFontW would.
TEST(SkinFontFaces, OnlyInstalledFamiliesWithTheWantedGlyphsAreChosen) {
    EXPECT_EQ(fontbackend::InstalledFace(L"No Such Face", ANSI_CHARSET), std::nullopt);
    EXPECT_EQ(fontbackend::InstalledFace(L"No Such Face", SHIFTJIS_CHARSET), std::nullopt);
    ASSERT_EQ(fontbackend::InstalledFace(L"arial", ANSI_CHARSET), L"Arial") << MissingFontReport();
    EXPECT_EQ(fontbackend::InstalledFace(L"Arial", SHIFTJIS_CHARSET), std::nullopt);

    const std::optional<std::wstring> japanese = fontbackend::InstalledFace(L"", SHIFTJIS_CHARSET);
    ASSERT_TRUE(japanese) << MissingFontReport();
    EXPECT_NE(japanese->front(), L'@') << "a vertical face lays every character on its side";
    EXPECT_EQ(fontbackend::InstalledFace(*japanese, SHIFTJIS_CHARSET), japanese);
}

#endif

// Writes morvish-font-sample.png into the temporary folder (both faces at 8, 9 and 12 pt on white
// and on magenta) and prints the time of one warm draw of a status line. Run with
// --gtest_also_run_disabled_tests.
TEST(SkinFont, DISABLED_WriteSampleAndMeasure) {
    FONT_OR_SKIP(english8, FontFace::English, 8);
    const int width = 900;
    Canvas canvas(width, 280, kWhite);
    for (int y = 0; y < canvas.height; ++y) {
        std::fill_n(canvas.pixels.begin() + y * width + width / 2, width / 2, kMagenta);
    }
    for (int half = 0; half < 2; ++half) {
        int y = 3;
        for (int points : {8, 9, 12}) {
            const SkinFont* japanese = FindSkinFont(FontFace::Japanese, points);
            const SkinFont* english = FindSkinFont(FontFace::English, points);
            for (const char* text : kJapaneseSamples) {
                if (japanese) japanese->Draw(canvas.Target(), half * width / 2 + 4, y, text, 0);
                y += japanese ? japanese->CellHeight() : 0;
            }
            for (const char* text : kEnglishSamples) {
                if (english) english->Draw(canvas.Target(), half * width / 2 + 4, y, text, 0);
                y += english ? english->CellHeight() : 0;
            }
            y += 4;
        }
    }
    ASSERT_TRUE(WritePng(Bitmap{canvas.width, canvas.height, canvas.pixels},
                         std::filesystem::temp_directory_path() / "morvish-font-sample.png"));

    Canvas status(280, 120, kWhite);
    const char* text = "Weight : 863 / 4020   Zeny : 57414";
    english8->Draw(status.Target(), 10, 10, text, 0);
    const int rounds = 100000;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) english8->Draw(status.Target(), 10, 10 + (i & 7), text, i);
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    std::printf("one draw of \"%s\" in English 8 pt: %.3f us\n", text, spent.count() / rounds);
}

}  // namespace
}  // namespace morvish
