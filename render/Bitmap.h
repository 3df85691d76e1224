#pragma once
// A decoded picture: width × height pixels, row by row from the top, each 0x00RRGGBB.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace morvish {

// Where a picture is not its colour key, row by row: a keyed copy of a row then copies these
// runs whole instead of looking at every pixel. A row broken into many short runs is marked to be
// copied pixel by pixel, which is quicker there.
struct OpaqueRuns {
    std::uint32_t key = 0;
    // Row y's runs are runs[first[y]] to runs[first[y + 1]], each a [begin, end) column pair;
    // height + 1 entries.
    std::vector<std::uint32_t> first;
    std::vector<std::uint32_t> runs;
    // How each row is copied: by its runs, pixel by pixel (too many runs for them to pay), or
    // whole (one run, the whole width).
    enum Row : std::uint8_t { kByRuns, kPixelByPixel, kWhole };
    std::vector<std::uint8_t> rows;
    bool allPixelByPixel = false;
};

struct Bitmap {
    Bitmap() = default;
    Bitmap(int width, int height, std::vector<std::uint32_t> pixels)
        : width(width), height(height), pixels(std::move(pixels)) {}

    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, width * height entries, top row first
    // Worked out once for a picture that is drawn many times; null when not.
    std::shared_ptr<const OpaqueRuns> opaque;

    std::uint32_t At(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

}  // namespace morvish
