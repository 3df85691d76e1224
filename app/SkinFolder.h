#pragma once
// What the skin tree reads from disk: the skins of a root folder and a skin's screenshot.
// Names beginning with "." are hidden and never listed. The listing order of the file system is
// arbitrary, so names are sorted without regard to ASCII case to keep the tree stable.

#include <optional>
#include <string>
#include <vector>

namespace morvish {

// The names of the folders in `root` (every folder is a skin), sorted.
std::vector<std::string> ListSkinNames(const std::string& root);

// The skin's screenshot: the first plain file named "ss" or "ss.*" (in any case) in `skinDir`,
// in sorted order; nothing when there is none.
std::optional<std::string> FindScreenshot(const std::string& skinDir);

}  // namespace morvish
