// The PNG codec: pictures come back from their PNG to the exact pixel, files made by other
// programs decode as their makers meant (interlaced, 16-bit, transparent), and damaged files are
// refused with a reason. The bmpsuite references, which BmpDecoderTest compares against, cover
// every bit depth and colour type that is not interlaced.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "render/PngFile.h"
#include "support/FixtureSkin.h"

namespace morvish {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A picture that uses every filter: smooth gradients, hard edges and noise.
Bitmap Pattern(int width, int height) {
    Bitmap picture{width, height, {}};
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245 + 12345;
            std::uint32_t pixel = 0;
            switch ((x / 16 + y / 8) % 3) {
                case 0:
                    pixel = std::uint32_t(x * 255 / std::max(width - 1, 1)) << 16 |
                            std::uint32_t(y * 255 / std::max(height - 1, 1)) << 8 | 0x40;
                    break;
                case 1:
                    pixel = (x + y) % 2 != 0 ? 0xFF00FF : 0x000000;
                    break;
                default:
                    pixel = (noise >> 8) & 0xFFFFFF;
            }
            picture.pixels.push_back(pixel);
        }
    }
    return picture;
}

std::string BigEndian(std::uint32_t value) {
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

// A chunk with its length and checksum, for files made by hand.
std::string Chunk(const std::string& type, const std::string& data) {
    const std::string checked = type + data;
    return BigEndian(std::uint32_t(data.size())) + checked +
           BigEndian(std::uint32_t(
               crc32(0, reinterpret_cast<const Bytef*>(checked.data()), uInt(checked.size()))));
}

std::string Compressed(const std::string& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &size,
             reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()));
    out.resize(size);
    return out;
}

std::string Header(std::uint32_t width, std::uint32_t height, int depth, int colourType) {
    return BigEndian(width) + BigEndian(height) + char(depth) + char(colourType) +
           std::string(3, '\0');
}

// A whole file: the header, `chunks` between it and the data, rows given unfiltered (each row
// starts with its filter byte).
std::string HandMade(const std::string& header, const std::string& rows,
                     const std::string& chunks = {}) {
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + chunks +
           Chunk("IDAT", Compressed(rows)) + Chunk("IEND", "");
}

TEST(PngFile, PicturesComeBackToTheExactPixel) {
    for (const auto& [width, height] : {std::pair{1, 1}, {3, 2}, {127, 64}, {300, 7}, {5, 90}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const Bitmap picture = Pattern(width, height);
        Result<std::string> png = EncodePng(picture);
        ASSERT_TRUE(png) << png.error().message;
        // 8-bit RGB, not interlaced.
        EXPECT_EQ(png->substr(24, 5), std::string("\x08\x02\x00\x00\x00", 5));
        Result<PngPicture> decoded = DecodePng(*png);
        ASSERT_TRUE(decoded) << decoded.error().message;
        EXPECT_EQ(decoded->picture.width, width);
        EXPECT_EQ(decoded->picture.height, height);
        EXPECT_EQ(decoded->picture.pixels, picture.pixels);
        EXPECT_EQ(decoded->alpha, std::vector<std::uint8_t>(picture.pixels.size(), 255));
    }
    EXPECT_FALSE(EncodePng(Bitmap{}));
    EXPECT_FALSE(EncodePng(Bitmap{2, 2, {1, 2, 3}}));
}

TEST(PngFile, WritePngWritesWholeFilesOnly) {
    test::ScratchFolder folder;
    const Bitmap picture = Pattern(40, 30);
    ASSERT_TRUE(WritePng(picture, folder.Path() / "out.png"));
    Result<Bitmap> read = ReadPng(folder.Path() / "out.png");
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(read->pixels, picture.pixels);

    const fs::path nowhere = folder.Path() / "missing" / "out.png";
    Result<void> failed = WritePng(picture, nowhere);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().message.rfind(platform::DisplayText(nowhere) + ": ", 0), 0u);
    EXPECT_FALSE(WritePng(Bitmap{}, folder.Path() / "empty.png"));
    EXPECT_FALSE(fs::exists(folder.Path() / "empty.png"));
}

// Interlaced copies made by libpng of some of the bmpsuite references, at 1, 2, 4, 8 and 16 bits.
TEST(PngFile, InterlacedFilesDecodeAsTheirPlainTwins) {
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(TEST_DATA_DIR) / "png")) {
        std::string name = entry.path().filename().string();
        const std::string suffix = "-interlaced.png";
        if (!name.ends_with(suffix)) continue;
        SCOPED_TRACE(name);
        name.replace(name.size() - suffix.size(), suffix.size(), ".png");
        Result<PngPicture> interlaced = DecodePng(ReadAll(entry.path()));
        Result<PngPicture> plain =
            DecodePng(ReadAll(fs::path(TEST_DATA_DIR) / "bmpsuite" / "reference" / name));
        ASSERT_TRUE(interlaced) << interlaced.error().message;
        ASSERT_TRUE(plain) << plain.error().message;
        EXPECT_EQ(interlaced->picture.width, plain->picture.width);
        EXPECT_EQ(interlaced->picture.pixels, plain->picture.pixels);
        EXPECT_EQ(interlaced->alpha, plain->alpha);
        ++compared;
    }
    EXPECT_EQ(compared, 6);
}

TEST(PngFile, WideSamplesRoundAndTransparentValuesMatchAsStored) {
    // 16-bit grey: 0x7FFF lies just below 127.5 * 257 and 0x8000 just above it; 0x8080 is exactly
    // 128. The transparent value is matched on all 16 bits: 0x8081 stays opaque.
    const std::string grey16("\0\x7F\xFF\x80\x00\x80\x80\x80\x81\xFF\xFF", 11);
    Result<PngPicture> grey =
        DecodePng(HandMade(Header(5, 1, 16, 0), grey16, Chunk("tRNS", std::string("\x80\x80", 2))));
    ASSERT_TRUE(grey) << grey.error().message;
    EXPECT_EQ(grey->picture.pixels,
              (std::vector<std::uint32_t>{0x7F7F7F, 0x808080, 0x808080, 0x808080, 0xFFFFFF}));
    EXPECT_EQ(grey->alpha, (std::vector<std::uint8_t>{255, 255, 0, 255, 255}));

    // 8-bit RGB with one transparent colour, rows filtered with Sub and Up.
    const std::string rgb = std::string("\x01", 1) + "\x10\x20\x30" + "\x01\x01\x01" +
                            std::string("\x02", 1) + std::string("\x00\x00\x00\x01\x01\x01", 6);
    Result<PngPicture> colour = DecodePng(HandMade(
        Header(2, 2, 8, 2), rgb, Chunk("tRNS", std::string("\x00\x11\x00\x21\x00\x31", 6))));
    ASSERT_TRUE(colour) << colour.error().message;
    EXPECT_EQ(colour->picture.pixels,
              (std::vector<std::uint32_t>{0x102030, 0x112131, 0x102030, 0x122232}));
    EXPECT_EQ(colour->alpha, (std::vector<std::uint8_t>{255, 0, 255, 255}));
}

TEST(PngFile, DamagedFilesAreRefusedWithTheirReason) {
    const std::string header = Header(2, 1, 8, 2);
    const std::string rows = std::string("\0", 1) + std::string(6, '\x55');
    const std::string good = HandMade(header, rows);
    ASSERT_TRUE(DecodePng(good));
    std::string badChecksum = good;
    badChecksum[44] ^= 1;  // inside the IDAT chunk's data
    const std::string signature("\x89PNG\r\n\x1a\n", 8);
    struct Case {
        std::string bytes;
        std::string reason;
    };
    const Case cases[] = {
        {"GIF89a", "not a PNG file"},
        {good.substr(0, 30), "the file ends inside"},
        {badChecksum, "is damaged (checksum)"},
        {signature + Chunk("IDAT", Compressed(rows)), "the IHDR chunk is not first"},
        {HandMade(header, rows.substr(0, 4)), "the picture data ends early"},
        {HandMade(header, std::string("\x07", 1) + std::string(6, '\x55')), "unknown row filter"},
        {HandMade(header, rows, Chunk("ABCD", "")), "unknown critical chunk ABCD"},
        {HandMade(Header(0, 1, 8, 2), ""), "size is invalid"},
        {HandMade(Header(100000, 100000, 8, 2), ""), "too large"},
        {HandMade(Header(1, 1, 16, 3), ""), "bit depth 16 is not allowed"},
        {HandMade(Header(1, 1, 8, 3), std::string("\0\x02", 2), Chunk("PLTE", "abcdef")),
         "palette index 2 lies past the palette"},
        {HandMade(Header(1, 1, 8, 3), std::string("\0\x00", 2)), "the palette is missing"},
        {signature + Chunk("IHDR", header) + Chunk("IEND", ""), "the picture data is missing"},
    };
    for (const Case& c : cases) {
        Result<PngPicture> decoded = DecodePng(c.bytes);
        ASSERT_FALSE(decoded) << c.reason;
        EXPECT_NE(decoded.error().message.find(c.reason), std::string::npos)
            << decoded.error().message;
    }
}

}  // namespace
}  // namespace morvish
