#pragma once
// Every bitmap a complete demo skin holds, with its size and how to paint it from a scheme.
// This table is the one list of the file names the windows and the shared helpers read.

#include <functional>
#include <string>
#include <vector>

#include "PixelCanvas.h"
#include "Theme.h"

namespace morvish::skingen {

struct SkinPiece {
    std::string name;  // relative to the skin folder, "\" between folder and file as skins name it
    int width;
    int height;
    std::function<Canvas(const Theme&)> paint;
};

// All pieces, in a fixed order (the order the files are written in).
const std::vector<SkinPiece>& SkinPieces();

}  // namespace morvish::skingen
