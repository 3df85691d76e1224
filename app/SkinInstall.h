#pragma once
// Copying a skin into the game's skin folder: GAME/skin/NAME/ receives the skin's top-level files
// and GAME/skin/NAME/basic_interface/ the files of its "basic_interface" folder. Other folders of
// the skin are not copied and nothing in the target is deleted. Every file is copied to a
// temporary name and renamed, so a failed copy never leaves a half-written bitmap for the game.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvish {

// The name of the skin folder inside the game folder, and of the folder most bitmaps lie in.
inline constexpr std::string_view kGameSkinFolderName = "skin";
inline constexpr std::string_view kBasicInterfaceName = "basic_interface";

struct InstallResult {
    std::filesystem::path target;       // the skin's folder in the game, ending with a separator
    std::vector<std::string> failures;  // "path: reason" for every folder or file that failed
};

// Installs the skin `skinName` of the root folder `rootDir` into the game folder `gameDir`
// (which must exist). Folders the game already has are reused when their names differ only in
// case ("Skin", "Basic_Interface"), and the skin's own "basic_interface" is found in any case.
// A failure does not stop the copy of the other files.
InstallResult InstallSkin(const std::filesystem::path& gameDir,
                          const std::filesystem::path& rootDir,
                          const std::filesystem::path& skinName);

}  // namespace morvish
