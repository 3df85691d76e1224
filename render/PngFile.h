#pragma once
// PNG output of pictures with exact pixel values, and PNG input for comparing against references.

#include <filesystem>
#include <string>

#include "Bitmap.h"
#include "Types.h"

namespace morvish {

// The bytes of an 8-bit RGB PNG (no alpha) of the picture.
Result<std::string> EncodePng(const Bitmap& picture);

// Writes an 8-bit RGB PNG. The file is replaced only once the whole picture is written: on any
// failure what was there before stays. The error names the path and the reason.
Result<void> WritePng(const Bitmap& picture, const std::filesystem::path& path);

// Reads any PNG into 0x00RRGGBB pixels (alpha dropped: colour as stored).
Result<Bitmap> ReadPng(const std::filesystem::path& path);

}  // namespace morvish
