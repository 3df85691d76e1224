#pragma once
// PNG output of pictures with exact pixel values, and PNG input for comparing against references.

#include <string>

#include "Bitmap.h"
#include "Types.h"

namespace morvish {

// Writes an 8-bit RGB PNG (no alpha). The error names the path and the reason.
Result<void> WritePng(const Bitmap& picture, const std::string& path);

// Reads any PNG into 0x00RRGGBB pixels (alpha dropped after compositing over nothing: colour as
// stored).
Result<Bitmap> ReadPng(const std::string& path);

}  // namespace morvish
