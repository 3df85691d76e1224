#pragma once
// A decoded picture: width × height pixels, row by row from the top, each 0x00RRGGBB.

#include <cstdint>
#include <vector>

namespace morvish {

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, width * height entries, top row first

    std::uint32_t At(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

}  // namespace morvish
