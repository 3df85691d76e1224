#pragma once
// Where the program finds the sample pictures that are the same for every skin.

#include <string>

namespace morvish {

// The folder that holds the running executable.
std::string ExecutableDirectory();

// The folder of the sample pictures: "graphic" beside the executable when it exists, else the
// installed share folder; or what SetGraphicDirectory chose (an empty name goes back to the
// default).
std::string GraphicDirectory();
void SetGraphicDirectory(std::string directory);

// Full path of a sample picture ("item1.bmp" → ".../graphic/item1.bmp").
std::string SamplePicturePath(const std::string& name);

}  // namespace morvish
