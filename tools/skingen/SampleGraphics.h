#pragma once
// The sample pictures of the "graphic" folder: the same for every skin, laid out to fit where the
// windows put them, magenta wherever the window's own background should show.

#include <string>
#include <vector>

#include "PixelCanvas.h"

namespace morvish::skingen {

struct SamplePicture {
    std::string name;  // file name in the graphic folder
    int width;
    int height;
    Canvas (*paint)();
};

// Every sample picture, in a fixed order.
const std::vector<SamplePicture>& SamplePictures();

}  // namespace morvish::skingen
