#pragma once
// The small value types every part of the renderer shares: rectangles, colours and errors.

#include <array>
#include <cstdint>
#include <expected>
#include <string>
#include <utility>

namespace morvish {

// A rectangle in pixels. Right and Bottom are exclusive for surfaces and blits, inclusive for
// hit tests (IsPointInRect).
struct RECT {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    constexpr std::int32_t Width() const { return Right - Left; }
    constexpr std::int32_t Height() const { return Bottom - Top; }
    friend constexpr bool operator==(const RECT&, const RECT&) = default;
};

// A colour as the form controls and the colour chip hold it: 0x00BBGGRR, red in the low byte.
using Color = std::uint32_t;

constexpr Color RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Color(red) | (Color(green) << 8) | (Color(blue) << 16);
}

// The colour chip of a skin: entry 0 is never set, entries 1 to 14 come from colorchip.bmp.
using ColorChip = std::array<Color, 15>;

// A failure, as a plain sentence that names the file and the reason.
struct Error {
    std::string message;
};

template <class T>
using Result = std::expected<T, Error>;

inline std::unexpected<Error> Failure(std::string message) {
    return std::unexpected<Error>(Error{std::move(message)});
}

}  // namespace morvish
