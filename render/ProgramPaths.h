#pragma once
// Where the program finds the sample pictures that are the same for every skin.

#include <filesystem>
#include <string_view>

namespace morvish {

// The folder of the sample pictures: "graphic" beside the executable when it exists, else the
// installed share folder; or what SetGraphicDirectory chose (an empty path goes back to the
// default).
std::filesystem::path GraphicDirectory();
void SetGraphicDirectory(std::filesystem::path directory);

// Full path of a sample picture ("item1.bmp" → ".../graphic/item1.bmp").
std::filesystem::path SamplePicturePath(std::string_view name);

}  // namespace morvish
