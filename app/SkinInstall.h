#pragma once
// Copying a skin into the game's skin folder: GAME/skin/NAME/ receives the skin's top-level files
// and GAME/skin/NAME/basic_interface/ the files of its "basic_interface" folder. Other folders of
// the skin are not copied and nothing in the target is deleted. Every file is copied to a
// temporary name and renamed, so a failed copy never leaves a half-written bitmap for the game.
//
// Nothing is written outside GAME/skin/NAME/, whatever the skin holds: NAME must be one plain
// folder name, the skin's folder in the game and its "basic_interface" must be real folders (not
// links), and a link among the game's files is replaced, never written through. Only regular files
// that lie inside the skin's own folder are read, so a skin folder that is a link to "/" or to a
// parent copies nothing from there.

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "render/Types.h"

namespace morvish {

// The name of the skin folder inside the game folder, and of the folder most bitmaps lie in.
inline constexpr std::string_view kGameSkinFolderName = "skin";
inline constexpr std::string_view kBasicInterfaceName = "basic_interface";

struct InstallResult {
    std::filesystem::path target;  // the skin's folder in the game, ending with a separator
    std::size_t copied = 0;        // the files copied, also when others failed
    std::vector<Error> failures;   // every folder or file that failed, and why
    // The skin's name, when it cannot be installed safely because it is not one plain folder name
    // (see IsPlainFolderName). Nothing is created or copied then, and `failures` stays empty.
    std::filesystem::path unsafeName;
    std::size_t total = 0;   // the files there were to copy
    bool cancelled = false;  // stopped on request before every file was copied
};

// How far an install running on another thread has got, and the user's request to stop it,
// which is honoured between two files.
struct InstallProgress {
    std::atomic<std::size_t> copied{0};
    std::atomic<std::size_t> total{0};
    std::atomic<bool> cancel{false};
};

// True when `name` names exactly one folder inside another on every system the game runs on: it
// is not empty, ".", or "..", and holds no separator ("/" or "\"), no drive or stream colon and
// no NUL. Archives made on Windows can unpack on Linux into folder names such as "\..\", which
// the game would read as a way out of its skin folder.
bool IsPlainFolderName(const std::filesystem::path& name);

// Installs the skin `skinName` of the root folder `rootDir` into the game folder `gameDir`
// (which must exist). Folders the game already has are reused when their names differ only in
// case ("Skin", "Basic_Interface"), and the skin's own "basic_interface" is found in any case.
// A failure does not stop the copy of the other files. `progress`, when given, is kept up to date
// and asked before every file whether to go on.
InstallResult InstallSkin(const std::filesystem::path& gameDir,
                          const std::filesystem::path& rootDir,
                          const std::filesystem::path& skinName,
                          InstallProgress* progress = nullptr);

}  // namespace morvish
