#pragma once
// PNG output of pictures with exact pixel values, and PNG input for comparing against references.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Bitmap.h"
#include "Types.h"

namespace morvish {

// The bytes of an 8-bit RGB PNG (no alpha) of the picture.
Result<std::string> EncodePng(const Bitmap& picture);

// Writes an 8-bit RGB PNG. The file is replaced only once the whole picture is written: on any
// failure what was there before stays. The error names the path and the reason.
Result<void> WritePng(const Bitmap& picture, const std::filesystem::path& path);

// A decoded PNG: colours as stored (no gamma or colour space conversion; samples of fewer bits
// widened exactly, 16-bit samples rounded to 8 bits) and the alpha of every pixel, 255 where the
// file has none.
struct PngPicture {
    Bitmap picture;
    std::vector<std::uint8_t> alpha;
};

// Decodes any standard PNG held in memory: every bit depth and colour type, palettes and their
// transparency, interlaced or not. The error names the reason only; never reads outside `bytes`.
Result<PngPicture> DecodePng(std::string_view bytes);

// Reads any PNG into 0x00RRGGBB pixels (alpha dropped: colour as stored).
Result<Bitmap> ReadPng(const std::filesystem::path& path);

}  // namespace morvish
