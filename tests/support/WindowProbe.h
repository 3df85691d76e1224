#pragma once
// Small probes for the tests of the emulated windows: unwrapping a window's picture, finding
// where a mouse operation changed the look, and writing a colour chip of chosen cells.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>

#include "render/Bitmap.h"
#include "render/PreviewPane.h"
#include "render/clsTessarymInterface.h"
#include "support/FixtureSkin.h"

namespace morvish::test {

// The picture a window operation returned; an error fails the test and gives null.
inline SurfacePtr PictureOf(SurfaceResult result) {
    EXPECT_TRUE(result.has_value()) << (result ? "" : result.error().message);
    return result ? std::move(*result) : nullptr;
}

// True when the operation succeeded with "nothing new to show".
inline bool ReturnsNothing(const SurfaceResult& result) {
    return result.has_value() && *result == nullptr;
}

// Where the picture of a mouse operation differs from the window's plain Refresh right after it:
// the hover or pressed look it drew. Nothing when it equals the plain picture; a rectangle of
// -1s when the operation gave no picture at all.
inline std::optional<RECT> ChangedRect(clsTessarymInterface& window, SurfaceResult operation) {
    SurfacePtr changed = PictureOf(std::move(operation));
    SurfacePtr plain = PictureOf(window.Refresh());
    if (!changed || !plain) return RECT{-1, -1, -1, -1};
    return DifferingRect(*changed, *plain);
}

// A 32 × 8 "colorchip.bmp" picture whose cell k (1 to 14, 4 × 4 pixels, eight to a row) has
// the colour cells[k] (0x00RRGGBB).
inline Bitmap ColorChipPicture(const std::array<std::uint32_t, 15>& cells) {
    Bitmap chip = SolidBitmap(32, 8, 0);
    for (int k = 1; k <= 14; ++k) {
        const int left = ((k - 1) % 8) * 4, top = ((k - 1) / 8) * 4;
        for (int y = top; y < top + 4; ++y) {
            for (int x = left; x < left + 4; ++x) {
                chip.pixels[std::size_t(y) * 32 + std::size_t(x)] = cells[std::size_t(k)];
            }
        }
    }
    return chip;
}

// The background colour (0x00RRGGBB) of the pane in a window fixture.
inline constexpr std::uint32_t kFixturePaneColor = 0x404040;

// A window of type Window on a fixture skin and a pane of the fixture background colour. The
// test writes its pieces into `skin`, then calls Initialize.
template <class Window>
class WindowFixture : public ::testing::Test {
  protected:
    void Initialize(const ColorChip& chip = ColorChip{}) {
        window.ClassInitialize(pane, skin.Dir(), chip);
    }
    SurfacePtr Draw() { return PictureOf(window.Refresh()); }
    // Where a mouse operation's picture differs from a plain refresh.
    std::optional<RECT> Lit(SurfaceResult operation) {
        return ChangedRect(window, std::move(operation));
    }

    FixtureSkin skin;
    MemoryPreviewPane pane{400, 300, ToColor(kFixturePaneColor)};
    Window window;
};

}  // namespace morvish::test
