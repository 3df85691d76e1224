// The BMP decoder against the bmpsuite corpus and its reference pictures, against files built here
// for the cases the corpus lacks, and against damaged files of every kind; and the two encoders.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "render/BmpDecoder.h"
#include "render/PngFile.h"
#ifndef _WIN32
#include "support/Fifo.h"
#endif
#include "support/FixtureSkin.h"

namespace morvish {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

// A reference picture with its alpha, read without any colour conversion: 16-bit references are
// scaled to 8 bits exactly, as the decoder scales wide channels.
using Reference = PngPicture;

std::optional<Reference> ReadReference(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    Result<PngPicture> decoded =
        DecodePng(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!decoded) return std::nullopt;
    return std::move(*decoded);
}

// Every pixel equal (within `tolerance` per channel), except where the reference is not opaque:
// the decoder ignores alpha, so there the file's own colour shows.
testing::AssertionResult MatchesReference(const Bitmap& decoded, const Reference& reference,
                                          int tolerance = 0) {
    if (decoded.width != reference.picture.width || decoded.height != reference.picture.height) {
        return testing::AssertionFailure()
               << "size " << decoded.width << "x" << decoded.height << ", reference "
               << reference.picture.width << "x" << reference.picture.height;
    }
    int mismatches = 0;
    std::string first;
    for (int y = 0; y < decoded.height; ++y) {
        for (int x = 0; x < decoded.width; ++x) {
            const std::size_t at = std::size_t(y) * std::size_t(decoded.width) + std::size_t(x);
            if (reference.alpha[at] != 255) continue;
            const std::uint32_t got = decoded.pixels[at];
            const std::uint32_t want = reference.picture.pixels[at];
            for (int shift = 0; shift < 24; shift += 8) {
                if (std::abs(int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF)) >
                    tolerance) {
                    if (mismatches++ == 0) {
                        char text[80];
                        std::snprintf(text, sizeof text, "(%d,%d) is %06X, reference %06X", x, y,
                                      got, want);
                        first = text;
                    }
                    break;
                }
            }
        }
    }
    if (mismatches == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << mismatches << " pixels differ, first " << first;
}

// ---------------------------------------------------------------------------------------------
// The corpus

struct CorpusCase {
    const char* file;       // under BMPSUITE_DIR
    const char* reference;  // under reference/, or null
    const char* refusal;    // part of the error message when the file is refused, or null
    int tolerance = 0;      // per channel, for references made at another precision
};

// A test name from a file name or description: "g/pal8-0.bmp" becomes "g_pal8_0".
std::string TestName(std::string text) {
    if (text.ends_with(".bmp")) text.resize(text.size() - 4);
    for (char& c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return text;
}

std::string CaseName(const testing::TestParamInfo<CorpusCase>& info) {
    return TestName(info.param.file);
}

void CheckCorpusFile(const CorpusCase& c) {
    const std::string path = std::string(BMPSUITE_DIR) + "/" + c.file;
    Result<Bitmap> decoded = DecodeBmp(ReadBytes(path));
    if (c.refusal != nullptr) {
        ASSERT_FALSE(decoded) << "decoded as " << decoded->width << "x" << decoded->height;
        EXPECT_NE(decoded.error().message.find(c.refusal), std::string::npos)
            << decoded.error().message;
        return;
    }
    ASSERT_TRUE(decoded) << decoded.error().message;
    if (c.reference == nullptr) return;
    std::optional<Reference> reference =
        ReadReference(std::string(BMPSUITE_DIR) + "/reference/" + c.reference);
    ASSERT_TRUE(reference) << c.reference;
    EXPECT_TRUE(MatchesReference(*decoded, *reference, c.tolerance));
}

class GoodFile : public testing::TestWithParam<CorpusCase> {};
TEST_P(GoodFile, MatchesItsReference) {
    CheckCorpusFile(GetParam());
}

// Which reference goes with which file, as the corpus documents it. Files with non-square pixels
// are compared with the unstretched picture: skins are drawn pixel for pixel.
INSTANTIATE_TEST_SUITE_P(Bmpsuite, GoodFile,
                         testing::Values(CorpusCase{"g/pal1.bmp", "pal1.png", nullptr},
                                         CorpusCase{"g/pal1wb.bmp", "pal1.png", nullptr},
                                         CorpusCase{"g/pal1bg.bmp", "pal1bg.png", nullptr},
                                         CorpusCase{"g/pal4.bmp", "pal4.png", nullptr},
                                         CorpusCase{"g/pal4gs.bmp", "pal4gs.png", nullptr},
                                         CorpusCase{"g/pal4rle.bmp", "pal4.png", nullptr},
                                         CorpusCase{"g/pal8.bmp", "pal8.png", nullptr},
                                         CorpusCase{"g/pal8-0.bmp", "pal8.png", nullptr},
                                         CorpusCase{"g/pal8gs.bmp", "pal8gs.png", nullptr},
                                         CorpusCase{"g/pal8rle.bmp", "pal8.png", nullptr},
                                         CorpusCase{"g/pal8w126.bmp", "pal8w126.png", nullptr},
                                         CorpusCase{"g/pal8w125.bmp", "pal8w125.png", nullptr},
                                         CorpusCase{"g/pal8w124.bmp", "pal8w124.png", nullptr},
                                         CorpusCase{"g/pal8topdown.bmp", "pal8.png", nullptr},
                                         CorpusCase{"g/pal8nonsquare.bmp", "pal8nonsquare-e.png",
                                                    nullptr},
                                         CorpusCase{"g/pal8os2.bmp", "pal8.png", nullptr},
                                         CorpusCase{"g/pal8v4.bmp", "pal8.png", nullptr},
                                         CorpusCase{"g/pal8v5.bmp", "pal8.png", nullptr},
                                         CorpusCase{"g/rgb16.bmp", "rgb16.png", nullptr},
                                         CorpusCase{"g/rgb16bfdef.bmp", "rgb16.png", nullptr},
                                         CorpusCase{"g/rgb16-565.bmp", "rgb16-565.png", nullptr},
                                         CorpusCase{"g/rgb16-565pal.bmp", "rgb16-565.png", nullptr},
                                         CorpusCase{"g/rgb24.bmp", "rgb24.png", nullptr},
                                         CorpusCase{"g/rgb24pal.bmp", "rgb24.png", nullptr},
                                         CorpusCase{"g/rgb32.bmp", "rgb24.png", nullptr},
                                         CorpusCase{"g/rgb32bfdef.bmp", "rgb24.png", nullptr},
                                         CorpusCase{"g/rgb32bf.bmp", "rgb24.png", nullptr}),
                         CaseName);

class QuestionableFile : public testing::TestWithParam<CorpusCase> {};
TEST_P(QuestionableFile, DecodesSensiblyOrIsRefused) {
    CheckCorpusFile(GetParam());
}

// RLE pixels that no code reaches are black, so the RLE files match the "-b" references. Alpha is
// ignored, so the files with alpha match their references wherever those are opaque.
INSTANTIATE_TEST_SUITE_P(
    Bmpsuite, QuestionableFile,
    testing::Values(
        CorpusCase{"q/pal1p1.bmp", "pal1p1.png", nullptr},
        CorpusCase{"q/pal2.bmp", "pal2.png", nullptr},
        CorpusCase{"q/pal2color.bmp", "pal2color.png", nullptr},
        CorpusCase{"q/pal4rletrns.bmp", "pal4rletrns-b.png", nullptr},
        CorpusCase{"q/pal4rlecut.bmp", "pal4rlecut-b.png", nullptr},
        CorpusCase{"q/pal8rletrns.bmp", "pal8rletrns-b.png", nullptr},
        CorpusCase{"q/pal8rlecut.bmp", "pal8rlecut-b.png", nullptr},
        CorpusCase{"q/pal8offs.bmp", "pal8.png", nullptr},
        CorpusCase{"q/pal8oversizepal.bmp", "pal8.png", nullptr},
        CorpusCase{"q/pal8os2-sz.bmp", "pal8.png", nullptr},
        CorpusCase{"q/pal8os2-hs.bmp", "pal8.png", nullptr},
        CorpusCase{"q/pal8os2sp.bmp", "pal8.png", nullptr},
        CorpusCase{"q/pal8os2v2.bmp", "pal8.png", nullptr},
        CorpusCase{"q/pal8os2v2-16.bmp", "pal8.png", nullptr},
        CorpusCase{"q/pal8os2v2-sz.bmp", "pal8.png", nullptr},
        CorpusCase{"q/pal8os2v2-40sz.bmp", "pal8.png", nullptr},
        CorpusCase{"q/rgb24rle24.bmp", "pal8.png", nullptr},
        CorpusCase{"q/pal1huffmsb.bmp", nullptr, "Huffman"},
        CorpusCase{"q/rgb16faketrns.bmp", "rgb16.png", nullptr},
        CorpusCase{"q/rgb16-231.bmp", "rgb16-231.png", nullptr},
        CorpusCase{"q/rgb16-3103.bmp", "rgb16-3103.png", nullptr},
        CorpusCase{"q/rgba16-4444.bmp", "rgba16-4444.png", nullptr},
        CorpusCase{"q/rgba16-5551.bmp", "rgba16-5551.png", nullptr},
        CorpusCase{"q/rgba16-1924.bmp", "rgba16-1924.png", nullptr},
        CorpusCase{"q/rgb24largepal.bmp", "rgb24.png", nullptr},
        CorpusCase{"q/rgb24jpeg.bmp", nullptr, "JPEG"},
        CorpusCase{"q/rgb24png.bmp", nullptr, "PNG"},
        CorpusCase{"q/rgb32h52.bmp", "rgb24.png", nullptr},
        CorpusCase{"q/rgb32-xbgr.bmp", "rgb24.png", nullptr},
        CorpusCase{"q/rgb32fakealpha.bmp", "rgb24.png", nullptr},
        // 11-bit channels hold more than the 8-bit reference: rounding may differ by one.
        CorpusCase{"q/rgb32-111110.bmp", "rgb24.png", nullptr, 1},
        CorpusCase{"q/rgb32-7187.bmp", "rgb32-7187.png", nullptr},
        CorpusCase{"q/rgba32-1.bmp", "rgba32.png", nullptr},
        CorpusCase{"q/rgba32-2.bmp", "rgba32.png", nullptr},
        CorpusCase{"q/rgba32-1010102.bmp", "rgba32-1010102.png", nullptr},
        CorpusCase{"q/rgba32-81284.bmp", "rgba32-81284.png", nullptr},
        CorpusCase{"q/rgba32-61754.bmp", "rgba32-61754.png", nullptr},
        CorpusCase{"q/rgba32abf.bmp", "rgba32.png", nullptr},
        CorpusCase{"q/rgba32h56.bmp", "rgba32.png", nullptr},
        CorpusCase{"q/rgba64.bmp", nullptr, "64-bit"}),
    CaseName);

class BadFile : public testing::TestWithParam<CorpusCase> {};
TEST_P(BadFile, IsRefusedOrDecodedDefensively) {
    CheckCorpusFile(GetParam());
}

// Broken fields the decoder never needs (image size, file size, density) leave the picture intact;
// damaged RLE data and indices beyond the palette decode with black where nothing defined a pixel.
INSTANTIATE_TEST_SUITE_P(
    Bmpsuite, BadFile,
    testing::Values(CorpusCase{"b/badbitcount.bmp", nullptr, "bit count of 30000"},
                    CorpusCase{"b/badbitssize.bmp", "pal1.png", nullptr},
                    CorpusCase{"b/baddens1.bmp", "pal1.png", nullptr},
                    CorpusCase{"b/baddens2.bmp", "pal1.png", nullptr},
                    CorpusCase{"b/badfilesize.bmp", "pal1.png", nullptr},
                    CorpusCase{"b/badheadersize.bmp", nullptr, "header size of 66 bytes"},
                    CorpusCase{"b/badpalettesize.bmp", nullptr, "palette of 305402420 colours"},
                    CorpusCase{"b/badplanes.bmp", nullptr, "planes must be 1, not 30000"},
                    CorpusCase{"b/badrle.bmp", nullptr, nullptr},
                    CorpusCase{"b/badrle4.bmp", nullptr, nullptr},
                    CorpusCase{"b/badrle4bis.bmp", nullptr, nullptr},
                    CorpusCase{"b/badrle4ter.bmp", nullptr, nullptr},
                    CorpusCase{"b/badrlebis.bmp", nullptr, nullptr},
                    CorpusCase{"b/badrleter.bmp", nullptr, nullptr},
                    CorpusCase{"b/badwidth.bmp", nullptr, "width of -127 pixels"},
                    CorpusCase{"b/pal8badindex.bmp", nullptr, nullptr},
                    CorpusCase{"b/reallybig.bmp", nullptr, "exceeds the limit of 16384"},
                    CorpusCase{"b/rgb16-880.bmp", "rgb16-880.png", nullptr},
                    CorpusCase{"b/rletopdown.bmp", nullptr, "top-down"},
                    CorpusCase{"b/shortfile.bmp", nullptr,
                               "bitmap is truncated: 1024 bytes of pixel data expected, 211 "
                               "present"}),
    CaseName);

// Every file of the corpus and every input that ever upset the decoder: refused with a reason, or
// decoded into a complete opaque picture of the declared size. The sanitizer build runs this too.
TEST(BmpDecoder, EveryCorpusAndRegressionFileIsRefusedOrDecoded) {
    int files = 0;
    for (const fs::path& folder :
         {fs::path(BMPSUITE_DIR) / "g", fs::path(BMPSUITE_DIR) / "q", fs::path(BMPSUITE_DIR) / "b",
          fs::path(TEST_DATA_DIR) / "bmp-regressions"}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".bmp") continue;
            ++files;
            SCOPED_TRACE(entry.path().string());
            Result<Bitmap> decoded = DecodeBmp(ReadBytes(entry.path()));
            if (!decoded) {
                EXPECT_FALSE(decoded.error().message.empty());
                continue;
            }
            EXPECT_GT(decoded->width, 0);
            EXPECT_GT(decoded->height, 0);
            ASSERT_EQ(decoded->pixels.size(),
                      std::size_t(decoded->width) * std::size_t(decoded->height));
            for (const std::uint32_t pixel : decoded->pixels) ASSERT_EQ(pixel >> 24, 0u);
        }
    }
    EXPECT_GT(files, 80);
}

// Every shorter copy of a good file is refused, or decodes to exactly the whole file's picture
// (only when nothing but the last row's padding or the end-of-bitmap code is missing).
// The larger RLE files are cut at every length through their headers, palette and first codes and
// near their end, and at every `step`th length between (each cut decodes up to the cut).
struct TruncationCase {
    const char* file;
    std::size_t step;
};

class TruncatedFile : public testing::TestWithParam<TruncationCase> {};
TEST_P(TruncatedFile, EveryLengthIsRefusedOrComplete) {
    const std::vector<std::uint8_t> whole =
        ReadBytes(std::string(BMPSUITE_DIR) + "/" + GetParam().file);
    Result<Bitmap> full = DecodeBmp(whole);
    ASSERT_TRUE(full) << full.error().message;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        if (length > 1200 && length + 16 < whole.size() && length % GetParam().step != 0) continue;
        Result<Bitmap> cut = DecodeBmp(std::span(whole).first(length));
        if (!cut) {
            ASSERT_FALSE(cut.error().message.empty());
            continue;
        }
        // Only the last row's padding or the end-of-bitmap code may be missing.
        EXPECT_GE(length + 4, whole.size()) << "length " << length;
        ASSERT_EQ(cut->pixels, full->pixels) << "length " << length;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Bmpsuite, TruncatedFile,
    testing::Values(TruncationCase{"g/pal1.bmp", 1}, TruncationCase{"g/pal4rle.bmp", 3},
                    TruncationCase{"g/pal8rle.bmp", 5}, TruncationCase{"g/pal8os2.bmp", 1},
                    TruncationCase{"g/rgb16-565.bmp", 1}, TruncationCase{"g/pal8w125.bmp", 1},
                    TruncationCase{"q/rgb24rle24.bmp", 23},
                    TruncationCase{"q/pal8os2v2-16.bmp", 1}),
    [](const testing::TestParamInfo<TruncationCase>& info) { return TestName(info.param.file); });

// ---------------------------------------------------------------------------------------------
// Files built here

constexpr std::uint32_t kMagenta = 0xFF00FF;

void Append16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}
void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Append16(out, value & 0xFFFF);
    Append16(out, value >> 16);
}

// A file described field by field, for the shapes the encoders never write.
struct BmpFields {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;    // after a 40-byte header, inside a larger one
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB; 3-byte entries for the 12-byte header
    std::vector<std::uint8_t> data;      // the pixel data as stored
    std::optional<std::uint32_t> pixelOffset;
};

std::vector<std::uint8_t> Build(const BmpFields& f) {
    std::vector<std::uint8_t> header;
    if (f.headerSize == 12) {
        Append16(header, std::uint32_t(f.width));
        Append16(header, std::uint32_t(f.height));
        Append16(header, f.planes);
        Append16(header, f.bits);
    } else {
        Append32(header, std::uint32_t(f.width));
        Append32(header, std::uint32_t(f.height));
        Append16(header, f.planes);
        Append16(header, f.bits);
        Append32(header, f.compression);
        Append32(header, std::uint32_t(f.data.size()));
        Append32(header, 2835);
        Append32(header, 2835);
        Append32(header, f.colorsUsed);
        Append32(header, 0);
        if (f.headerSize > 40) {
            for (const std::uint32_t mask : f.masks) Append32(header, mask);
        }
    }
    header.resize(f.headerSize - 4, 0);
    if (f.headerSize == 40) {
        for (const std::uint32_t mask : f.masks) Append32(header, mask);
    }
    for (const std::uint32_t color : f.palette) {
        header.push_back(std::uint8_t(color));
        header.push_back(std::uint8_t(color >> 8));
        header.push_back(std::uint8_t(color >> 16));
        if (f.headerSize != 12) header.push_back(0);
    }
    const std::uint32_t offset = f.pixelOffset.value_or(std::uint32_t(14 + 4 + header.size()));
    std::vector<std::uint8_t> out{'B', 'M'};
    Append32(out, std::uint32_t(14 + 4 + header.size() + f.data.size()));
    Append32(out, 0);
    Append32(out, offset);
    Append32(out, f.headerSize);
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), f.data.begin(), f.data.end());
    return out;
}

Bitmap Pattern(int width, int height) {
    Bitmap bitmap{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.pixels.push_back(std::uint32_t((x * 37 + y * 11) & 0xFF) << 16 |
                                    std::uint32_t((x * 5 + y * 71) & 0xFF) << 8 |
                                    std::uint32_t((x * y + 3) & 0xFF));
        }
    }
    return bitmap;
}

TEST(BmpDecoder, MagentaPaletteEntryStaysExactlyTheColourKey) {
    const std::vector<std::uint32_t> palette{0x000000, kMagenta, 0xFF01FF, 0xFE00FF};
    const std::vector<std::uint8_t> indices{1, 2, 3, 0, 1, 1};
    Result<Bitmap> decoded = DecodeBmp(EncodeBmp8(3, 2, indices, palette));
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->pixels, (std::vector<std::uint32_t>{kMagenta, 0xFF01FF, 0xFE00FF, 0x000000,
                                                           kMagenta, kMagenta}));

    Result<Bitmap> trueColour = DecodeBmp(EncodeBmp24(Bitmap{2, 1, {kMagenta, 0xFF01FF}}));
    ASSERT_TRUE(trueColour);
    EXPECT_EQ(trueColour->pixels, (std::vector<std::uint32_t>{kMagenta, 0xFF01FF}));
}

// Rows are padded to four bytes: every width from 1 to 9 at every depth the encoders write.
TEST(BmpDecoder, OddWidthsRoundTripThroughBothEncoders) {
    for (int width = 1; width <= 9; ++width) {
        for (const int height : {1, 2, 5}) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
            const Bitmap picture = Pattern(width, height);
            Result<Bitmap> decoded = DecodeBmp(EncodeBmp24(picture));
            ASSERT_TRUE(decoded) << decoded.error().message;
            EXPECT_EQ(decoded->width, width);
            EXPECT_EQ(decoded->height, height);
            EXPECT_EQ(decoded->pixels, picture.pixels);

            std::vector<std::uint8_t> indices;
            std::vector<std::uint32_t> palette;
            for (int n = 0; n < width * height; ++n) indices.push_back(std::uint8_t(n % 7));
            for (int n = 0; n < 7; ++n) palette.push_back(0x102030u * std::uint32_t(n + 1));
            Result<Bitmap> indexed = DecodeBmp(EncodeBmp8(width, height, indices, palette));
            ASSERT_TRUE(indexed) << indexed.error().message;
            for (int n = 0; n < width * height; ++n) {
                ASSERT_EQ(indexed->pixels[std::size_t(n)], palette[std::size_t(n % 7)]) << n;
            }
        }
    }
}

TEST(BmpDecoder, EncodeBmp8WritesABottomUpFileWithThePaletteGiven) {
    const std::vector<std::uint32_t> palette{0x112233, 0x445566, 0x778899};
    const std::vector<std::uint8_t> bytes =
        EncodeBmp8(2, 2, std::vector<std::uint8_t>{0, 1, 2, 0}, palette);
    // Header, info header, three 4-byte colours, two rows of two indices padded to four bytes.
    ASSERT_EQ(bytes.size(), 14u + 40u + 12u + 8u);
    auto u32 = [&](std::size_t at) {
        return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
               std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
    };
    EXPECT_EQ(u32(2), bytes.size());
    EXPECT_EQ(u32(10), 66u);              // pixel data offset
    EXPECT_EQ(std::int32_t(u32(22)), 2);  // positive height: bottom-up
    EXPECT_EQ(bytes[28], 8);              // bits per pixel
    EXPECT_EQ(u32(30), 0u);               // BI_RGB
    EXPECT_EQ(u32(46), 3u);               // colours used
    EXPECT_EQ(u32(54), 0x112233u);        // blue, green, red, 0
    EXPECT_EQ(bytes[66], 2);              // the bottom row comes first
    EXPECT_EQ(bytes[70], 0);
    EXPECT_EQ(bytes[71], 1);
}

TEST(BmpDecoder, TopDownFileKeepsItsRowOrder) {
    // Two rows of two 24-bit pixels, top row first, each row padded to 8 bytes.
    BmpFields f;
    f.width = 2;
    f.height = -2;
    f.data = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,   // red, green
              0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0};  // blue, white
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->height, 2);
    EXPECT_EQ(decoded->pixels,
              (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
}

TEST(BmpDecoder, LastRowMayLackItsPadding) {
    std::vector<std::uint8_t> bytes = EncodeBmp24(Pattern(1, 2));
    bytes.pop_back();  // one byte of the top row's padding
    Result<Bitmap> decoded = DecodeBmp(bytes);
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->pixels, Pattern(1, 2).pixels);
    bytes.resize(bytes.size() - 1);  // and now a byte of a pixel too
    EXPECT_FALSE(DecodeBmp(bytes));
}

TEST(BmpDecoder, IndexBeyondTheShortPaletteIsBlack) {
    BmpFields f;
    f.width = 4;
    f.bits = 8;
    f.colorsUsed = 2;
    f.palette = {0x123456, kMagenta};
    f.data = {0, 1, 2, 255};
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->pixels, (std::vector<std::uint32_t>{0x123456, kMagenta, 0, 0}));
}

TEST(BmpDecoder, OneTwoAndFourBitIndicesAreReadFromTheHighBitsFirst) {
    BmpFields f;
    f.width = 9;
    f.bits = 1;
    f.palette = {0x000000, 0xFFFFFF};
    f.data = {0b10110000, 0b10000000, 0, 0};
    Result<Bitmap> one = DecodeBmp(Build(f));
    ASSERT_TRUE(one) << one.error().message;
    EXPECT_EQ(one->pixels,
              (std::vector<std::uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF, 0, 0, 0, 0, 0xFFFFFF}));

    f.width = 5;
    f.bits = 2;
    f.palette = {0x000000, 0x111111, 0x222222, 0x333333};
    f.data = {0b00011011, 0b10000000, 0, 0};
    Result<Bitmap> two = DecodeBmp(Build(f));
    ASSERT_TRUE(two) << two.error().message;
    EXPECT_EQ(two->pixels,
              (std::vector<std::uint32_t>{0x000000, 0x111111, 0x222222, 0x333333, 0x222222}));

    f.width = 3;
    f.bits = 4;
    f.colorsUsed = 16;
    f.palette.assign(16, 0);
    f.palette[15] = 0xABCDEF;
    f.palette[1] = 0x010101;
    f.data = {0xF1, 0xF0, 0, 0};
    Result<Bitmap> four = DecodeBmp(Build(f));
    ASSERT_TRUE(four) << four.error().message;
    EXPECT_EQ(four->pixels, (std::vector<std::uint32_t>{0xABCDEF, 0x010101, 0xABCDEF}));
}

TEST(BmpDecoder, OS2CoreHeaderUsesThreeBytePaletteEntries) {
    BmpFields f;
    f.headerSize = 12;
    f.width = 2;
    f.bits = 8;
    f.palette = {0x0000FF, kMagenta};  // a short palette: the pixel data follows at once
    f.data = {1, 0, 0, 0};
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->pixels, (std::vector<std::uint32_t>{kMagenta, 0x0000FF}));
}

// 16-bit pixels, one per test row: (bits per pixel, compression, masks, pixel, expected colour).
struct MaskCase {
    const char* what;
    std::uint16_t bits;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
    std::uint32_t pixel;
    std::uint32_t expected;
};

class ColourMasks : public testing::TestWithParam<MaskCase> {};
TEST_P(ColourMasks, ScaleChannelsToFullRange) {
    const MaskCase& c = GetParam();
    BmpFields f;
    f.bits = c.bits;
    f.compression = c.compression;
    f.masks = c.masks;
    for (int byte = 0; byte < c.bits / 8; ++byte)
        f.data.push_back(std::uint8_t(c.pixel >> (8 * byte)));
    f.data.resize(4, 0);
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->pixels[0], c.expected) << std::hex << decoded->pixels[0];
}

// Masks: zero reads 0; bits beyond the pixel are dropped; overlapping masks share their bits; wide
// masks scale exactly.
INSTANTIATE_TEST_SUITE_P(
    BmpDecoder, ColourMasks,
    testing::Values(
        // The default 16-bit format is 5-5-5: a full 31 is 255, not 248; 1 is 8, 16 is 132.
        MaskCase{"Default555White", 16, 0, {}, 0x7FFF, 0xFFFFFF},
        MaskCase{"Default555Low", 16, 0, {}, 0x0421, 0x080808},
        MaskCase{"Default555TopBitUnused", 16, 0, {}, 0x8000 | (16 << 10), 0x840000},
        MaskCase{"White565", 16, 3, {0xF800, 0x07E0, 0x001F}, 0xFFFF, 0xFFFFFF},
        MaskCase{"Green565", 16, 3, {0xF800, 0x07E0, 0x001F}, 32 << 5, 0x008200},
        MaskCase{"ZeroMask", 16, 3, {0xFF00, 0x00FF, 0}, 0xFFFF, 0xFFFF00},
        MaskCase{"MaskBeyondPixel", 16, 3, {0xFF0000, 0x00FF, 0xFF00}, 0xFFFF, 0x00FFFF},
        MaskCase{"OverlappingMasks", 16, 3, {0x00FF, 0x00FF, 0x00FF}, 0x0080, 0x808080},
        MaskCase{"Default32TopByteIgnored", 32, 0, {}, 0xAA123456, 0x123456},
        MaskCase{"Reordered32", 32, 3, {0x0000FF, 0x00FF00, 0xFF0000}, 0x332211, 0x112233},
        MaskCase{"AllOnes", 32, 3, {~0u, ~0u, ~0u}, 0x80000000, 0x808080},
        MaskCase{"TenBit",
                 32,
                 3,
                 {0x3FF00000, 0xFFC00, 0x3FF},
                 (1023u << 20) | (512u << 10) | 1,
                 0xFF8000},
        MaskCase{"AlphaIgnored", 32, 6, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0xFF00FF, kMagenta}),
    [](const testing::TestParamInfo<MaskCase>& info) { return std::string(info.param.what); });

TEST(BmpDecoder, MasksInsideAV3HeaderAreUsed) {
    BmpFields f;
    f.headerSize = 56;
    f.bits = 16;
    f.compression = 3;
    f.masks = {0x000F, 0x00F0, 0x0F00, 0xF000};  // 4-4-4-4, red in the low bits
    f.data = {0x0F, 0xF0, 0, 0};                 // red 15, blue 0, green 0, alpha 15
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->pixels[0], 0xFF0000u);
}

constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

// An RLE file of the given size and palette; the test adds the codes.
BmpFields Rle(std::uint32_t compression, int width, int height,
              std::vector<std::uint32_t> palette) {
    BmpFields f;
    f.width = width;
    f.height = height;
    f.bits = compression == kRle8 ? 8 : 4;
    f.compression = compression;
    f.colorsUsed = std::uint32_t(palette.size());
    f.palette = std::move(palette);
    return f;
}

// RLE8, 6 × 4, bottom-up: a run, a delta, an end of line, an absolute run with its padding byte,
// a run that passes the end of its row (its excess is dropped), end of bitmap before the top row.
// Pixels no code reaches are black, not palette entry 0.
TEST(BmpDecoder, Rle8WithDeltaEndOfLineAndAbsoluteRun) {
    BmpFields f = Rle(kRle8, 6, 4, {0x0A0A0A, 0xFF0000, 0x00FF00, 0x0000FF});
    f.data = {
        3, 1,           // bottom row: three red
        0, 2, 1, 1,     // delta: one right, one up -> (4, 1)
        2, 2,           // two green at (4, 1), (5, 1)
        0, 0,           // end of line -> (0, 2)
        0, 3, 3, 2, 1,  // absolute: blue, green, red
        0,              // padding to an even count
        9, 3,           // nine blue from (3, 2): three drawn, six dropped
        0, 1,           // end of bitmap: the top row stays undefined
    };
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_TRUE(decoded) << decoded.error().message;
    const std::uint32_t k = 0, r = 0xFF0000, g = 0x00FF00, b = 0x0000FF;
    EXPECT_EQ(decoded->pixels, (std::vector<std::uint32_t>{
                                   k, k, k, k, k, k,  // top row: never reached
                                   b, g, r, b, b, b,  //
                                   k, k, k, k, g, g,  //
                                   r, r, r, k, k, k,  // bottom row
                               }));
}

TEST(BmpDecoder, Rle4AlternatesNibblesAndPadsAbsoluteRuns) {
    BmpFields f = Rle(kRle4, 5, 2, {0x000000, 0xFF0000, 0x00FF00});
    f.data = {
        5, 0x12,              // bottom row: 1 2 1 2 1
        0, 0,                 // end of line
        0, 3,    0x21, 0x20,  // absolute: 2 1 2 in two bytes, already an even count
        0, 1,                 // end of bitmap
    };
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_TRUE(decoded) << decoded.error().message;
    const std::uint32_t k = 0, r = 0xFF0000, g = 0x00FF00;
    EXPECT_EQ(decoded->pixels, (std::vector<std::uint32_t>{g, r, g, k, k, r, g, r, g, r}));
}

TEST(BmpDecoder, RleDeltaBeyondTheBitmapIsClamped) {
    BmpFields f = Rle(kRle8, 3, 2, {0, 0xFFFFFF});
    f.data = {1, 1, 0, 2, 200, 0, 2, 1, 0, 0, 1, 1, 0, 2, 0, 200, 3, 1};
    // one white, delta far right (clamped to the row's end), a run there (dropped), end of
    // line, one white, delta far up: the codes after it lie beyond the top row and are ignored.
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0, 0, 0xFFFFFF, 0, 0}));
}

TEST(BmpDecoder, RleDataThatStopsEarlyIsATruncatedFile) {
    BmpFields f = Rle(kRle8, 4, 20, {0, 0xFFFFFF});
    f.data = {4, 1, 0, 0, 4, 1, 0, 0};  // two rows, then nothing
    Result<Bitmap> cut = DecodeBmp(Build(f));
    ASSERT_FALSE(cut);
    EXPECT_EQ(cut.error().message,
              "bitmap is truncated: the RLE data stops in row 17 before the end-of-bitmap code");

    f.data = {4, 1, 0, 0, 0, 200, 1, 2};  // an absolute run of 200 with two pixels present
    cut = DecodeBmp(Build(f));
    ASSERT_FALSE(cut);
    EXPECT_NE(cut.error().message.find("row 18"), std::string::npos) << cut.error().message;
}

TEST(BmpDecoder, RleOverTheAreaLimitIsRefusedBeforeDecoding) {
    BmpFields f = Rle(kRle8, kMaxBmpDimension, kMaxBmpDimension, {});
    f.data = {0, 1};  // end of bitmap: a whole picture from two bytes
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_FALSE(decoded);
    EXPECT_NE(decoded.error().message.find("larger than the limit"), std::string::npos);
}

// Damaged headers: each is refused with a sentence that says what is wrong.
struct MalformedCase {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* message;
};

BmpFields Valid8Bit() {
    BmpFields f;
    f.width = 2;
    f.height = 2;
    f.bits = 8;
    f.colorsUsed = 2;
    f.palette = {0, 0xFFFFFF};
    f.data = std::vector<std::uint8_t>(8, 1);
    return f;
}

template <class Change>
std::vector<std::uint8_t> Variant(Change change) {
    BmpFields f = Valid8Bit();
    change(f);
    return Build(f);
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t length) {
    bytes.resize(length);
    return bytes;
}

class MalformedFile : public testing::TestWithParam<MalformedCase> {};
TEST_P(MalformedFile, IsRefusedWithItsReason) {
    Result<Bitmap> decoded = DecodeBmp(GetParam().bytes);
    ASSERT_FALSE(decoded) << "decoded as " << decoded->width << "x" << decoded->height;
    EXPECT_EQ(decoded.error().message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    BmpDecoder, MalformedFile,
    testing::Values(
        MalformedCase{"empty", {}, "file is empty"},
        MalformedCase{
            "bitmap array", {'B', 'A', 0, 0}, "not a BMP file (it does not start with \"BM\")"},
        MalformedCase{"one byte", {'B'}, "not a BMP file (it does not start with \"BM\")"},
        MalformedCase{"file header only",
                      {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                      "file header is truncated"},
        MalformedCase{"info header cut", Cut(Build(Valid8Bit()), 30),
                      "info header is truncated: 40 bytes expected, 16 present"},
        MalformedCase{"header size 20", Variant([](BmpFields& f) { f.headerSize = 20; }),
                      "unknown header size of 20 bytes"},
        MalformedCase{"two planes", Variant([](BmpFields& f) { f.planes = 2; }),
                      "number of colour planes must be 1, not 2"},
        MalformedCase{"zero width", Variant([](BmpFields& f) { f.width = 0; }),
                      "width of 0 pixels is invalid"},
        MalformedCase{"zero height", Variant([](BmpFields& f) { f.height = 0; }),
                      "height of 0 pixels is invalid"},
        MalformedCase{"width just over the limit",
                      Variant([](BmpFields& f) { f.width = kMaxBmpDimension + 1; }),
                      "width of 16385 pixels exceeds the limit of 16384"},
        MalformedCase{"top-down height just over the limit",
                      Variant([](BmpFields& f) { f.height = -(kMaxBmpDimension + 1); }),
                      "height of 16385 pixels exceeds the limit of 16384"},
        MalformedCase{"most negative height", Variant([](BmpFields& f) { f.height = INT32_MIN; }),
                      "height of 2147483648 pixels exceeds the limit of 16384"},
        MalformedCase{"3 bits per pixel", Variant([](BmpFields& f) { f.bits = 3; }),
                      "bit count of 3 per pixel is invalid"},
        MalformedCase{"unknown compression", Variant([](BmpFields& f) { f.compression = 9; }),
                      "unknown compression method 9"},
        MalformedCase{"RLE8 at 4 bits", Variant([](BmpFields& f) {
                          f.compression = 1;
                          f.bits = 4;
                      }),
                      "RLE8 compression needs 8 bits per pixel, not 4"},
        MalformedCase{"RLE4 at 8 bits", Variant([](BmpFields& f) { f.compression = 2; }),
                      "RLE4 compression needs 4 bits per pixel, not 8"},
        MalformedCase{"bit fields at 24 bits", Variant([](BmpFields& f) {
                          f.compression = 3;
                          f.bits = 24;
                          f.masks = {0xFF0000, 0xFF00, 0xFF};
                      }),
                      "bit-field compression needs 16 or 32 bits per pixel, not 24"},
        MalformedCase{"masks cut off",
                      Cut(Variant([](BmpFields& f) {
                              f.compression = 3;
                              f.bits = 16;
                              f.palette.clear();
                              f.masks = {0xF800, 0x07E0, 0x001F};
                          }),
                          14 + 40 + 6),
                      "colour masks are truncated"},
        MalformedCase{"masks that select nothing", Variant([](BmpFields& f) {
                          f.compression = 3;
                          f.bits = 16;
                          f.masks = {0, 0, 0xFFFF0000};
                          f.palette.clear();
                      }),
                      "the colour masks select no bits of the pixel"},
        // Reading such masks bit by bit made a large file cost eight times as much to draw.
        MalformedCase{"mask with gaps", Variant([](BmpFields& f) {
                          f.compression = 3;
                          f.bits = 16;
                          f.masks = {0xA000, 0, 0x0001};
                          f.palette.clear();
                      }),
                      "the red colour mask 0x0000A000 has gaps between its bits"},
        MalformedCase{"32-bit mask with gaps", Variant([](BmpFields& f) {
                          f.compression = 3;
                          f.bits = 32;
                          f.masks = {0xFF0000, 0xFF00, 0x0F0F};
                          f.palette.clear();
                      }),
                      "the blue colour mask 0x00000F0F has gaps between its bits"},
        MalformedCase{"top-down RLE", Variant([](BmpFields& f) {
                          f.compression = 1;
                          f.height = -2;
                      }),
                      "RLE-compressed bitmaps cannot be stored top-down"},
        MalformedCase{"pixel data offset past the end",
                      Variant([](BmpFields& f) { f.pixelOffset = 0xFFFFFFF0; }),
                      "pixel data offset 4294967280 lies outside the file of 70 bytes"},
        MalformedCase{"pixel data offset inside the header",
                      Variant([](BmpFields& f) { f.pixelOffset = 20; }),
                      "pixel data offset 20 lies inside the headers, which end at 54"},
        MalformedCase{"palette larger than its room",
                      Variant([](BmpFields& f) { f.colorsUsed = 3; }),
                      "palette of 3 colours does not fit before the pixel data"},
        MalformedCase{"pixel data short", Variant([](BmpFields& f) { f.data.resize(5); }),
                      "bitmap is truncated: 8 bytes of pixel data expected, 5 present"}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return TestName(info.param.what); });

TEST(BmpDecoder, LargestDimensionIsAccepted) {
    BmpFields f;
    f.width = kMaxBmpDimension;
    f.bits = 1;
    f.palette = {0, 0xFFFFFF};
    f.data.assign(kMaxBmpDimension / 8, 0xFF);
    Result<Bitmap> decoded = DecodeBmp(Build(f));
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_EQ(decoded->width, kMaxBmpDimension);
    EXPECT_EQ(decoded->At(kMaxBmpDimension - 1, 0), 0xFFFFFFu);
}

// A caller that knows its pictures are smaller sets its own limit, which refuses a larger file
// before its pixels are allocated; it cannot raise the decoder's own limit.
TEST(BmpDecoder, CallersLimitRefusesLargerPictures) {
    BmpFields f;
    f.width = 4097;
    f.bits = 1;
    f.palette = {0, 0xFFFFFF};
    f.data.assign(516, 0xFF);  // one row of 4097 bits, padded to 4 bytes
    const std::vector<std::uint8_t> wide = Build(f);
    Result<Bitmap> refused = DecodeBmp(wide, 4096);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, "width of 4097 pixels exceeds the limit of 4096");
    EXPECT_TRUE(DecodeBmp(wide, 4097));
    EXPECT_TRUE(DecodeBmp(wide));

    std::swap(f.width, f.height);
    f.height = -f.height;
    f.data.assign(4097 * 4, 0xFF);
    refused = DecodeBmp(Build(f), 4096);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, "height of 4097 pixels exceeds the limit of 4096");

    f.height = -(kMaxBmpDimension + 1);
    refused = DecodeBmp(Build(f), kMaxBmpDimension * 4);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, "height of 16385 pixels exceeds the limit of 16384");
}

// RLE codes that climb `rows` rows as cheaply as the format allows: deltas of 255 rows, then an
// end of line for one row more or a shorter delta for more than one.
std::vector<std::uint8_t> CheapestClimb(int rows) {
    std::vector<std::uint8_t> codes;
    for (; rows >= 255; rows -= 255) codes.insert(codes.end(), {0, 2, 0, 255});
    if (rows == 1) codes.insert(codes.end(), {0, 0});
    if (rows > 1) codes.insert(codes.end(), {0, 2, 0, std::uint8_t(rows)});
    return codes;
}

// RLE data may leave every pixel undefined, but it must be able to climb to the top row: a file
// of a few bytes declaring a huge picture cost its whole picture at every redraw. The cheapest
// data for each height (a climb past the top, or to the top row and an end-of-bitmap code) is
// accepted; the 56-byte file that declared 8192 × 8192 pixels is refused before any allocation.
TEST(BmpDecoder, RleDataMustBeAbleToReachTheTopRow) {
    for (const int height : {1, 2, 3, 254, 255, 256, 257, 509, 510, 511, 8192}) {
        SCOPED_TRACE(height);
        std::vector<std::uint8_t> past = CheapestClimb(height);
        std::vector<std::uint8_t> toTop = CheapestClimb(height - 1);
        toTop.insert(toTop.end(), {0, 1});
        for (std::uint32_t compression : {kRle8, kRle4}) {
            BmpFields f = Rle(compression, 3, height, {0xFFFFFF});
            f.data = past.size() <= toTop.size() ? past : toTop;
            Result<Bitmap> decoded = DecodeBmp(Build(f));
            ASSERT_TRUE(decoded) << decoded.error().message;
            EXPECT_EQ(decoded->pixels, std::vector<std::uint32_t>(3 * std::size_t(height), 0));
            // Two bytes less cannot reach that high.
            f.data.resize(f.data.size() - 2);
            EXPECT_FALSE(DecodeBmp(Build(f)));
        }
    }

    BmpFields bomb = Rle(kRle8, 8192, 8192, {});
    bomb.data = {0, 1};  // end of bitmap
    const std::vector<std::uint8_t> bytes = Build(bomb);
    EXPECT_EQ(bytes.size(), 56u);
    Result<Bitmap> refused = DecodeBmp(bytes);
    ASSERT_FALSE(refused);
    EXPECT_EQ(
        refused.error().message,
        "RLE data of 2 bytes cannot reach the top of a picture 8192 pixels high (at least 132 "
        "bytes are needed)");
}

// ---------------------------------------------------------------------------------------------
// Files on disk

// What went wrong is told as a kind, so that the desktop program can say it in its user's
// language; the figures of a picture too large go with it.
TEST(BmpDecoder, RefusalsCarryTheirKind) {
    const auto kind = [](const std::vector<std::uint8_t>& bytes, int limit = kMaxBmpDimension) {
        const Result<Bitmap> decoded = DecodeBmp(bytes, limit);
        return decoded ? ErrorKind::Other : decoded.error().kind;
    };
    EXPECT_EQ(kind({}), ErrorKind::EmptyFile);
    EXPECT_EQ(kind({'h', 'e', 'l', 'l', 'o'}), ErrorKind::NotBitmap);
    EXPECT_EQ(kind(Cut(Build(Valid8Bit()), 30)), ErrorKind::BitmapTruncated);
    EXPECT_EQ(kind(Variant([](BmpFields& f) { f.planes = 3; })), ErrorKind::BitmapDamaged);
    EXPECT_EQ(kind(Variant([](BmpFields& f) { f.compression = 4; })), ErrorKind::BitmapUnsupported);
    const Result<Bitmap> large = DecodeBmp(Variant([](BmpFields& f) { f.width = 5000; }), 4096);
    ASSERT_FALSE(large);
    EXPECT_EQ(large.error().kind, ErrorKind::PictureTooLarge);
    EXPECT_EQ(large.error().numbers, (std::vector<std::int64_t>{5000, 2, 4096}));
}

TEST(LoadBmpFile, ErrorsStartWithThePath) {
    test::FixtureSkin skin;
    skin.WriteBytes("empty.bmp", {});
    skin.WriteBytes("text.bmp", {'h', 'e', 'l', 'l', 'o'});
    skin.Solid("good.bmp", 3, 2, kMagenta);

    Result<Bitmap> empty = LoadBmpFile(skin.Path("empty.bmp"));
    ASSERT_FALSE(empty);
    EXPECT_EQ(empty.error().message, skin.Path("empty.bmp").string() + ": file is empty");

    Result<Bitmap> text = LoadBmpFile(skin.Path("text.bmp"));
    ASSERT_FALSE(text);
    EXPECT_EQ(text.error().message,
              skin.Path("text.bmp").string() + ": not a BMP file (it does not start with \"BM\")");

    EXPECT_EQ(text.error().kind, ErrorKind::NotBitmap);
    EXPECT_EQ(text.error().file, skin.Path("text.bmp"));

    Result<Bitmap> missing = LoadBmpFile(skin.Path("missing.bmp"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, ErrorKind::CannotRead);
    EXPECT_EQ(missing.error().code, std::errc::no_such_file_or_directory);
    EXPECT_EQ(
        missing.error().message.rfind(skin.Path("missing.bmp").string() + ": cannot be read", 0),
        0u)
        << missing.error().message;

    Result<Bitmap> folder = LoadBmpFile(skin.Dir());
    EXPECT_FALSE(folder);

    Result<Bitmap> good = LoadBmpFile(skin.Path("good.bmp"));
    ASSERT_TRUE(good) << good.error().message;
    EXPECT_EQ(good->pixels, std::vector<std::uint32_t>(6, kMagenta));
}

#ifndef _WIN32
// A pipe swapped in where a bitmap was is refused at once, not waited on: the file is opened
// without blocking and its type is checked on the open file.
TEST(LoadBmpFile, PipeIsRefusedWithoutWaiting) {
    test::FixtureSkin skin;
    test::MakeFifo(skin.Path("pipe.bmp"));
    Result<Bitmap> pipe = Failure("not read");
    ASSERT_TRUE(test::ReturnsWithoutWaitingOn(skin.Path("pipe.bmp"),
                                              [&] { pipe = LoadBmpFile(skin.Path("pipe.bmp")); }));
    ASSERT_FALSE(pipe);
    EXPECT_EQ(pipe.error().message, skin.Path("pipe.bmp").string() + ": not a regular file");
}
#endif

TEST(LoadBmpFile, HugeFileIsRefusedBeforeReading) {
    test::FixtureSkin skin;
    skin.WriteBytes("huge.bmp", {'B', 'M'});
    fs::resize_file(skin.Path("huge.bmp"), std::uintmax_t(256) * 1024 * 1024 + 1);  // sparse
    Result<Bitmap> huge = LoadBmpFile(skin.Path("huge.bmp"));
    ASSERT_FALSE(huge);
    EXPECT_EQ(huge.error().message,
              skin.Path("huge.bmp").string() +
                  ": file is too large (268435457 bytes; the limit is 256 MiB)");
}

}  // namespace
}  // namespace morvish
