#pragma once
// Decoding of Windows and OS/2 bitmap files, and writing of plain 24-bit ones.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Types.h"

namespace morvish {

// The largest width or height accepted; larger bitmaps are refused before anything is allocated.
inline constexpr int kMaxBmpDimension = 16384;

// Decodes a whole BMP file held in memory. The error names the reason only ("RLE run passes the
// end of row 12"); the caller adds the file name. Never reads outside `bytes`. A caller that knows
// its pictures are smaller gives `maxDimension`, the largest width or height it accepts; it cannot
// raise the decoder's own limit.
Result<Bitmap> DecodeBmp(std::span<const std::uint8_t> bytes, int maxDimension = kMaxBmpDimension);

// Reads and decodes a file, which is opened first and read only when it is a regular file; the
// error message starts with the path.
Result<Bitmap> LoadBmpFile(const std::filesystem::path& path, int maxDimension = kMaxBmpDimension);

// A bottom-up 24-bit BI_RGB file of the bitmap (for fixtures and the demo skins).
std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap);

// An 8-bit palette file: `indices` has width * height entries, `palette` up to 256 colours
// (0x00RRGGBB).
std::vector<std::uint8_t> EncodeBmp8(int width, int height, std::span<const std::uint8_t> indices,
                                     std::span<const std::uint32_t> palette);

}  // namespace morvish
