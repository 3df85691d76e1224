// The picture cache never shows an older file than is on disk: after every kind of change (a file
// removed, a file made, a file renamed over the old one, a folder entry renamed to another case, a
// file written again in place within one tick of the clock) the next redraw sees what a redraw
// reading every file sees. And it keeps what it read while nothing changes, within its bounds.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "render/BmpDecoder.h"
#include "render/PictureCache.h"
#include "render/PixelRows.h"
#include "support/FixtureSkin.h"

namespace morvish::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::nanoseconds;

constexpr int kLimit = 4096;

struct Seen {
    bool exists = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    friend bool operator==(const Seen&, const Seen&) = default;
};

// What one redraw sees of a name through a cache: whether the piece rule finds a file, and its
// picture.
Seen Through(PictureCache& cache, const fs::path& path) {
    PictureCache::Redraw redraw(cache);
    Seen seen;
    if (cache.Find(path).kind != PictureCache::Kind::File) return seen;
    Result<std::shared_ptr<const Bitmap>> picture = cache.Load(path, kLimit);
    if (!picture || !*picture) return seen;
    return Seen{true, (*picture)->width, (*picture)->height, (*picture)->pixels};
}

struct CacheFixture {
    FixtureSkin skin;
    PictureCache cache;
    PictureCache uncached;

    CacheFixture() {
        // Only the files' identities decide here: the rule for files changed within a tick of the
        // clock has a test of its own.
        cache.SetTolerance(nanoseconds(0));
        uncached.SetEnabled(false);
    }
    // The cached view of a name equals a reading of every file, and shows whether it exists.
    bool Current(const std::string& name) {
        const Seen cached = Through(cache, skin.Path(name));
        EXPECT_EQ(cached, Through(uncached, skin.Path(name))) << name;
        return cached.exists;
    }
    std::uint32_t Colour(const std::string& name) {
        return Through(cache, skin.Path(name)).pixels.at(0);
    }
    void SaveOver(const std::string& name, int width, int height, std::uint32_t rgb) {
        skin.Solid("saving.tmp", width, height, rgb);
        fs::rename(skin.Path("saving.tmp"), skin.Path(name));
    }
};

TEST(PictureCache, AFileRemovedOrMadeShowsAtTheNextRedraw) {
    CacheFixture f;
    f.skin.Solid("basic_interface\\btn.bmp", 4, 3, 0x112233);
    EXPECT_TRUE(f.Current("basic_interface\\btn.bmp"));
    f.skin.Remove("basic_interface\\btn.bmp");
    EXPECT_FALSE(f.Current("basic_interface\\btn.bmp"));
    // Made again, and made in another case than the skin names it.
    f.skin.Solid("basic_interface\\btn.bmp", 4, 3, 0x445566);
    EXPECT_TRUE(f.Current("basic_interface\\btn.bmp"));
    EXPECT_FALSE(f.Current("basic_interface\\other.bmp"));
    f.skin.Solid("basic_interface\\OTHER.BMP", 2, 2, 0x778899);
    EXPECT_TRUE(f.Current("basic_interface\\other.bmp"));
    // A folder that is missing, then made.
    EXPECT_FALSE(f.Current("later\\piece.bmp"));
    f.skin.Solid("later\\piece.bmp", 1, 1, 0xABCDEF);
    EXPECT_TRUE(f.Current("later\\piece.bmp"));
}

TEST(PictureCache, AFileRenamedOverTheOldOneShowsAtTheNextRedraw) {
    CacheFixture f;
    f.skin.Solid("btn.bmp", 4, 3, 0x112233);
    EXPECT_EQ(f.Colour("btn.bmp"), 0x112233u);
    // The same size, so only the file's identity tells.
    f.SaveOver("btn.bmp", 4, 3, 0x332211);
    EXPECT_TRUE(f.Current("btn.bmp"));
    EXPECT_EQ(f.Colour("btn.bmp"), 0x332211u);
    // Written in place with another size.
    f.skin.Solid("btn.bmp", 5, 3, 0x010203);
    EXPECT_TRUE(f.Current("btn.bmp"));
}

TEST(PictureCache, AFolderEntryInAnotherCaseShowsAtTheNextRedraw) {
    CacheFixture f;
    // The skin names "pieces\a.bmp"; on disk it is "Pieces/a.bmp".
    f.skin.Solid("Pieces\\a.bmp", 2, 2, 0xFF0000);
    if (fs::exists(f.skin.Path("PIECES"))) GTEST_SKIP() << "names here ignore case";
    EXPECT_EQ(f.Colour("pieces\\a.bmp"), 0xFF0000u);
    // A folder of the exact name appears beside it: its file is the one meant now.
    f.skin.Solid("pieces\\a.bmp", 2, 2, 0x0000FF);
    EXPECT_TRUE(f.Current("pieces\\a.bmp"));
    EXPECT_EQ(f.Colour("pieces\\a.bmp"), 0x0000FFu);
    // It goes again, and the other case takes over.
    fs::remove_all(f.skin.Path("pieces"));
    EXPECT_EQ(f.Colour("pieces\\a.bmp"), 0xFF0000u);
    // The file renamed to another case, then to a name of its own.
    fs::rename(f.skin.Path("Pieces\\a.bmp"), f.skin.Path("Pieces\\A.BMP"));
    EXPECT_TRUE(f.Current("pieces\\a.bmp"));
    fs::rename(f.skin.Path("Pieces\\A.BMP"), f.skin.Path("Pieces\\b.bmp"));
    EXPECT_FALSE(f.Current("pieces\\a.bmp"));
}

TEST(PictureCache, AFolderReplacedByAnotherOfItsNameIsWatchedAnew) {
    CacheFixture f;
    f.skin.Solid("pieces\\btn.bmp", 4, 3, 0x112233);
    EXPECT_EQ(f.Colour("pieces\\btn.bmp"), 0x112233u);
    // The folder moved aside and another made under its name, as an unpacked copy replaces a
    // skin's folder; the watch of the old one goes with it.
    fs::rename(f.skin.Path("pieces"), f.skin.Path("old pieces"));
    f.skin.Solid("pieces\\btn.bmp", 4, 3, 0x445566);
    EXPECT_EQ(f.Colour("pieces\\btn.bmp"), 0x445566u);
    EXPECT_EQ(f.Colour("pieces\\btn.bmp"), 0x445566u);
    // Written in place in the new folder: the same size, so only its report tells.
    f.skin.Solid("pieces\\btn.bmp", 4, 3, 0x778899);
    EXPECT_TRUE(f.Current("pieces\\btn.bmp"));
    EXPECT_EQ(f.Colour("pieces\\btn.bmp"), 0x778899u);
}

TEST(PictureCache, AFileWrittenAgainWithinATickIsReadAgain) {
    FixtureSkin skin;
    PictureCache cache;  // the tolerance the program runs with
    skin.Solid("btn.bmp", 4, 3, 0x112233);
    EXPECT_EQ(Through(cache, skin.Path("btn.bmp")).pixels.at(0), 0x112233u);
    // The same size, at once, in place: the times may not have moved.
    skin.Solid("btn.bmp", 4, 3, 0x445566);
    EXPECT_EQ(Through(cache, skin.Path("btn.bmp")).pixels.at(0), 0x445566u);
}

TEST(PictureCache, WhatIsUnchangedIsNotReadAgainAndMemoryIsBounded) {
    CacheFixture f;
    for (int i = 0; i < 8; ++i) f.skin.Solid("p" + std::to_string(i) + ".bmp", 16, 16, 0x10 * i);
    for (int i = 0; i < 8; ++i) f.Current("p" + std::to_string(i) + ".bmp");
    const PictureCache::Statistics first = f.cache.Counts();
    EXPECT_EQ(first.decodes, 8u);
    // The pixels, and a little for where the key lies.
    EXPECT_GE(first.bytes, 8u * 16 * 16 * 4);
    EXPECT_LE(first.bytes, 8u * 16 * 16 * 4 * 5 / 4);
    for (int i = 0; i < 8; ++i) f.Current("p" + std::to_string(i) + ".bmp");
    EXPECT_EQ(f.cache.Counts().decodes, 8u);

    // Room for three pictures: what was used longest ago goes, and what stays is right.
    f.cache.SetLimits(3 * 16 * 16 * 4, 100);
    EXPECT_LE(f.cache.Counts().bytes, 3u * 16 * 16 * 4);
    for (int i = 0; i < 8; ++i) f.Current("p" + std::to_string(i) + ".bmp");
    EXPECT_LE(f.cache.Counts().bytes, 3u * 16 * 16 * 4);
    f.cache.SetLimits(1 << 20, 2);
    EXPECT_LE(f.cache.Counts().entries, 2u);
}

TEST(PictureCache, AnUnreadableFileIsAnErrorUntilItIsMended) {
    CacheFixture f;
    f.skin.WriteBytes("bad.bmp", {'B', 'M', 1, 2, 3});
    const fs::path bad = f.skin.Path("bad.bmp");
    for (int round = 0; round < 2; ++round) {
        PictureCache::Redraw redraw(f.cache);
        EXPECT_FALSE(f.cache.Load(bad, kLimit).has_value());
    }
    f.skin.Solid("saving.tmp", 3, 3, 0x00FF00);
    fs::rename(f.skin.Path("saving.tmp"), bad);
    EXPECT_TRUE(f.Current("bad.bmp"));
}

TEST(PictureCache, DrawingOnALoadedPictureLeavesTheKeptOneAlone) {
    CacheFixture f;
    f.skin.Solid("btn.bmp", 4, 3, 0x112233);
    Result<std::shared_ptr<const Bitmap>> picture = f.cache.Load(f.skin.Path("btn.bmp"), kLimit);
    ASSERT_TRUE(picture && *picture);
    DirectDrawSurface7 surface(*picture);
    surface.BltColorFill(RECT{0, 0, 0, 0}, RGB(1, 2, 3));
    EXPECT_EQ(surface.Pixel(0, 0), 0x010203u);
    EXPECT_EQ(f.Colour("btn.bmp"), 0x112233u);
}

// A hint kept by whoever asks for a name again and again only spares the lookup: through a saved
// change, a forgotten or evicted entry, a hint of another name and one of a cache that is gone,
// every picture must be the one on disk.
TEST(PictureCache, AHintGivesTheSamePictureAsALookupWhateverHappenedSince) {
    CacheFixture f;
    f.skin.Solid("a.bmp", 4, 3, 0x112233);
    f.skin.Solid("b.bmp", 2, 2, 0x445566);
    const fs::path a = f.skin.Path("a.bmp"), b = f.skin.Path("b.bmp");
    const auto colour = [&](PictureCache& cache, const fs::path& path, PictureCache::Hint& hint) {
        PictureCache::Redraw redraw(cache);
        Result<std::shared_ptr<const Bitmap>> picture = cache.Load(path, kLimit, hint);
        return picture && *picture ? (*picture)->pixels.at(0) : 0xFFFFFFFFu;
    };
    PictureCache::Hint hint;
    EXPECT_EQ(colour(f.cache, a, hint), 0x112233u);
    EXPECT_EQ(hint.entry != nullptr, true);
    f.SaveOver("a.bmp", 4, 3, 0x778899);
    EXPECT_EQ(colour(f.cache, a, hint), 0x778899u);
    // The hint of one name, asked with another.
    PictureCache::Hint other = hint;
    EXPECT_EQ(colour(f.cache, b, other), 0x445566u);
    EXPECT_EQ(colour(f.cache, a, hint), 0x778899u);
    // Entries forgotten, or pushed out by a tight bound, while the hint is kept.
    f.cache.Forget(f.skin.Dir());
    EXPECT_EQ(colour(f.cache, a, hint), 0x778899u);
    f.cache.SetLimits(1 << 20, 1);
    EXPECT_EQ(colour(f.cache, b, other), 0x445566u);
    EXPECT_EQ(colour(f.cache, a, hint), 0x778899u);
    f.cache.Clear();
    EXPECT_EQ(colour(f.cache, a, hint), 0x778899u);
    // A cache that is gone, and another made in its place.
    PictureCache::Hint stale;
    {
        PictureCache gone;
        EXPECT_EQ(colour(gone, a, stale), 0x778899u);
    }
    PictureCache later;
    f.skin.Solid("saving.tmp", 4, 3, 0x0A0B0C);
    fs::rename(f.skin.Path("saving.tmp"), a);
    EXPECT_EQ(colour(later, a, stale), 0x0A0B0Cu);
    EXPECT_EQ(colour(later, b, stale), 0x445566u);
}

TEST(PixelRows, EveryLengthAndKeyPlacementMatchesAPlainLoop) {
    constexpr std::uint32_t kKey = 0xFF00FF;
    for (std::size_t count = 0; count <= 37; ++count) {
        std::vector<std::uint32_t> from(count), to(count), expected(count);
        for (std::size_t i = 0; i < count; ++i) {
            // Keys in runs and alone, so that whole and partial vectors of them occur.
            from[i] = (i % 3 == 0 || (i / 8) % 2 == 1) ? kKey : std::uint32_t(0x010101 * i);
            to[i] = expected[i] = 0xABCDEF - std::uint32_t(i);
            if (from[i] != kKey) expected[i] = from[i];
        }
        CopyRowKeyed(to.data(), from.data(), count, kKey);
        EXPECT_EQ(to, expected) << count;
        FillRow(to.data(), count, 0x123456);
        EXPECT_EQ(to, std::vector<std::uint32_t>(count, 0x123456)) << count;
        CopyRow(to.data(), from.data(), count);
        EXPECT_EQ(to, from) << count;
        // Three rows of it within rows two pixels wider: the pixels beside each stay.
        std::vector<std::uint32_t> rect(3 * (count + 2), 0x777777), rectExpected = rect;
        for (std::size_t r = 0; r < 3; ++r)
            std::fill_n(rectExpected.begin() + std::ptrdiff_t(r * (count + 2) + 1), count, 0xABu);
        FillRect(rect.data() + 1, std::ptrdiff_t(count + 2), count, 3, 0xAB);
        EXPECT_EQ(rect, rectExpected) << count;
        // Onto a background: every pixel written, the key's in the background colour.
        for (std::size_t i = 0; i < count; ++i) expected[i] = from[i] == kKey ? 0x0000AA : from[i];
        CopyRowKeyedOnto(to.data(), from.data(), count, kKey, 0x0000AA);
        EXPECT_EQ(to, expected) << count;
    }
}

TEST(PixelRows, CopiesByOpaqueRunsMatchAPlainLoopForEveryPartOfARow) {
    constexpr std::uint32_t kKey = 0xFF00FF;
    constexpr int kWidth = 40;
    // Row 0 has long runs, row 1 keys everywhere but one pixel, row 2 none, row 3 a key at
    // every other pixel (too many runs: copied pixel by pixel), row 4 is all key, row 5 a run of
    // one pixel and one of five, far apart.
    constexpr int kHeight = 6;
    Bitmap picture(kWidth, kHeight, std::vector<std::uint32_t>(kHeight * kWidth));
    for (int x = 0; x < kWidth; ++x) {
        const bool opaque = x == 2 || (x >= 11 && x < 16);
        picture.pixels[std::size_t(5 * kWidth + x)] = opaque ? 0x0A0B0Cu + std::uint32_t(x) : kKey;
    }
    for (int x = 0; x < kWidth; ++x) {
        const std::uint32_t colour = 0x010203u * std::uint32_t(x + 1);
        picture.pixels[std::size_t(x)] = (x / 7) % 2 == 1 ? kKey : colour;
        picture.pixels[std::size_t(kWidth + x)] = x == 13 ? colour : kKey;
        picture.pixels[std::size_t(2 * kWidth + x)] = colour;
        picture.pixels[std::size_t(3 * kWidth + x)] = x % 2 == 0 ? kKey : colour;
        picture.pixels[std::size_t(4 * kWidth + x)] = kKey;
    }
    const std::shared_ptr<const OpaqueRuns> runs = FindOpaqueRuns(picture, kKey);
    EXPECT_EQ(runs->rows[3], OpaqueRuns::kPixelByPixel);
    EXPECT_EQ(runs->rows[2], OpaqueRuns::kWhole);
    EXPECT_EQ(runs->first[5] - runs->first[4], 0u);
    EXPECT_EQ(runs->rows[5], OpaqueRuns::kByRuns);
    for (int row = 0; row < kHeight; ++row) {
        const std::uint32_t* from = picture.pixels.data() + std::size_t(row * kWidth);
        for (int column = 0; column <= kWidth; ++column) {
            for (int count = 0; column + count <= kWidth; ++count) {
                std::vector<std::uint32_t> to(std::size_t(count), 0x777777), expected = to;
                CopyRowKeyed(expected.data(), from + column, std::size_t(count), kKey);
                CopyRowKeyed(to.data(), from, *runs, row, column, std::size_t(count));
                EXPECT_EQ(to, expected) << row << ' ' << column << ' ' << count;
                // Onto a background: every pixel written, the key's in the background colour.
                for (int i = 0; i < count; ++i) {
                    if (from[column + i] == kKey) expected[std::size_t(i)] = 0x0000AA;
                }
                CopyRowKeyedOnto(to.data(), from, *runs, row, column, std::size_t(count), 0x0000AA);
                EXPECT_EQ(to, expected) << row << ' ' << column << ' ' << count;
            }
        }
    }
    // A rectangle of every row at once, into a wider picture, is each row copied in turn.
    for (const std::optional<std::uint32_t> fill :
         {std::optional<std::uint32_t>(), std::optional<std::uint32_t>(0x0000AA)}) {
        constexpr int kColumn = 3, kCount = 30, kStride = 50;
        std::vector<std::uint32_t> to(kHeight * kStride, 0x777777), expected = to;
        for (int row = 0; row < kHeight; ++row) {
            std::uint32_t* out = expected.data() + row * kStride + 1;
            const std::uint32_t* from = picture.pixels.data() + std::size_t(row * kWidth);
            if (fill) {
                CopyRowKeyedOnto(out, from, *runs, row, kColumn, kCount, *fill);
            } else {
                CopyRowKeyed(out, from, *runs, row, kColumn, kCount);
            }
        }
        CopyRectKeyed(to.data() + 1, kStride, picture.pixels.data(), kWidth, *runs, 0, kColumn,
                      kCount, kHeight, fill);
        EXPECT_EQ(to, expected);
    }
}

// A narrow piece has too many runs on every row to copy them: its rows are compared pixel by
// pixel in one loop over the whole rectangle, which must still be each row copied in turn.
TEST(PixelRows, ANarrowPieceCopiedKeyedAsARectangleIsEachRowInTurn) {
    constexpr std::uint32_t kKey = 0xFF00FF;
    for (int width = 8; width <= 19; ++width) {
        constexpr int kHeight = 5;
        Bitmap picture(width, kHeight, std::vector<std::uint32_t>(std::size_t(width * kHeight)));
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool key = (x + y) % 3 == 0 && x != y;
                picture.pixels[std::size_t(y * width + x)] =
                    key ? kKey : 0x010203u * std::uint32_t(x + 7 * y + 1);
            }
        }
        const std::shared_ptr<const OpaqueRuns> runs = FindOpaqueRuns(picture, kKey);
        ASSERT_TRUE(runs->allPixelByPixel) << width;
        for (const std::optional<std::uint32_t> fill :
             {std::optional<std::uint32_t>(), std::optional<std::uint32_t>(0x0000AA)}) {
            for (int column = 0; column <= width; ++column) {
                for (int count = 0; column + count <= width; ++count) {
                    constexpr int kStride = 23;
                    std::vector<std::uint32_t> to(kHeight * kStride, 0x777777), expected = to;
                    for (int y = 0; y < kHeight; ++y) {
                        for (int i = 0; i < count; ++i) {
                            const std::uint32_t pixel = picture.At(column + i, y);
                            std::uint32_t& out = expected[std::size_t(y * kStride + 2 + i)];
                            if (pixel != kKey)
                                out = pixel;
                            else if (fill)
                                out = *fill;
                        }
                    }
                    CopyRectKeyed(to.data() + 2, kStride, picture.pixels.data(), width, *runs, 0,
                                  column, std::size_t(count), kHeight, fill);
                    ASSERT_EQ(to, expected) << width << ' ' << column << ' ' << count;
                }
            }
        }
        // And copied whole, every pixel as it is.
        std::vector<std::uint32_t> to(std::size_t(kHeight * 30), 0x777777);
        CopyRect(to.data() + 1, 30, picture.pixels.data(), width, std::size_t(width), kHeight);
        for (int y = 0; y < kHeight; ++y) {
            EXPECT_EQ(to[std::size_t(y * 30)], 0x777777u);
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(to[std::size_t(y * 30 + 1 + x)], picture.At(x, y));
            EXPECT_EQ(to[std::size_t(y * 30 + 1 + width)], 0x777777u);
        }
    }
}

}  // namespace
}  // namespace morvish::test
