#pragma once
// The small value types every part of the renderer shares: rectangles, colours and errors.

#include <array>
#include <cstdint>
#include <expected>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

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

// What went wrong, so that a front end can say it in its user's language.
enum class ErrorKind {
    Other,              // only the message says it
    CannotRead,         // a file or folder could not be read; `code` gives the system's reason
    CannotWrite,        // a file or folder could not be written or made; `code` as above
    NotAFile,           // a folder, pipe or device where a regular file was expected
    FileTooLarge,       // numbers: the file's size in bytes (0 when unknown), the limit in bytes
    EmptyFile,          // a file of no bytes
    NotBitmap,          // a file that is not a BMP file
    BitmapTruncated,    // a bitmap that ends before its headers or pixels do
    BitmapUnsupported,  // a kind of bitmap no skin uses (JPEG or PNG inside, 64 bits, fax)
    BitmapDamaged,      // a bitmap holding values that no valid file holds
    PictureTooLarge,    // numbers: the picture's width and height, the limit per side
    PictureUnreadable,  // a picture the platform's picture loader cannot read
    LinkLeadsOutside,   // a link in a skin that leads out of the skin's folder
    LinkInGame,         // a link where the install writes into the game's folder
};

// A failure: an English sentence that names the file and the reason (what the command line
// prints), and the same as data.
struct Error {
    std::string message;
    ErrorKind kind = ErrorKind::Other;
    std::filesystem::path file;         // the file concerned; empty when none
    std::error_code code;               // the system's reason, when it gave one
    std::vector<std::int64_t> numbers;  // the figures the kind names
};

template <class T>
using Result = std::expected<T, Error>;

inline std::unexpected<Error> Failure(std::string message) {
    Error error;
    error.message = std::move(message);
    return std::unexpected<Error>(std::move(error));
}

inline std::unexpected<Error> Failure(ErrorKind kind, std::filesystem::path file,
                                      std::string message, std::error_code code = {},
                                      std::vector<std::int64_t> numbers = {}) {
    return std::unexpected<Error>(
        Error{std::move(message), kind, std::move(file), code, std::move(numbers)});
}

}  // namespace morvish
