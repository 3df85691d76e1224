#pragma once
// What the skin tree reads from disk: the skins of a root folder and a skin's screenshot.
// Hidden entries are never listed. The listing order of the file system is arbitrary, so names
// are sorted without regard to ASCII case to keep the tree stable.

#include <filesystem>
#include <optional>
#include <vector>

namespace morvish {

// The names of the folders in `root` (every folder is a skin), sorted.
std::vector<std::filesystem::path> ListSkinNames(const std::filesystem::path& root);

// The skin's screenshot: the first plain file named "ss" or "ss.*" (in any case) in `skinDir`,
// in sorted order; nothing when there is none.
std::optional<std::filesystem::path> FindScreenshot(const std::filesystem::path& skinDir);

}  // namespace morvish
