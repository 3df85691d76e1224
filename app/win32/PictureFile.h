#pragma once
// A picture file (a bitmap, PNG, JPEG or GIF: what the Windows Imaging Component reads) decoded
// into a bitmap, for the skin's screenshot.

#include <filesystem>

#include "render/Bitmap.h"
#include "render/Types.h"

namespace morvish::win32 {

// The first frame of the picture; an error naming the file when it cannot be read or decoded.
Result<Bitmap> ReadPictureFile(const std::filesystem::path& file);

}  // namespace morvish::win32
