#pragma once
// Writing the demo skins and the sample pictures: two complete skins in different schemes, one
// deliberately broken skin, the "graphic" folder, a screenshot of each complete skin and the
// first root list.

#include <filesystem>
#include <string>
#include <vector>

#include "Theme.h"
#include "render/Types.h"

namespace morvish::skingen {

// One complete demo skin: its scheme and the files whose names it spells in another case
// (skins are made on Windows, where case does not matter).
struct DemoSkin {
    const Theme* theme;
    bool capitalisedInterfaceFolder;  // "Basic_Interface" instead of "basic_interface"
    std::vector<std::pair<std::string, std::string>> renamed;  // relative name -> name on disk
};

// The complete skins, in order: "parchment" and "nightfall".
const std::vector<DemoSkin>& CompleteSkins();
// The folder name of the broken skin.
inline constexpr const char* kBrokenSkin = "broken";
// The file of the broken skin that exists but cannot be read.
inline constexpr const char* kUnreadablePiece = "basic_interface\\titlebar_fix.bmp";

// The relative name (with "\") as a path on disk for this skin.
std::filesystem::path DiskName(const DemoSkin& skin, const std::string& relative);

// Whether the broken skin leaves this piece out (about a third of them, and the colour chip).
bool BrokenSkinOmits(const std::string& relative);

// Writes the nine sample pictures into `graphicDir`.
Result<void> WriteSamplePictures(const std::filesystem::path& graphicDir);
// Writes a complete skin into skinsDir / its name, replacing an earlier one.
Result<void> WriteCompleteSkin(const std::filesystem::path& skinsDir, const DemoSkin& skin);
// Writes the broken skin into skinsDir / "broken", replacing an earlier one.
Result<void> WriteBrokenSkin(const std::filesystem::path& skinsDir);
// Draws the all-windows view of the skin with this program's own renderer and writes it as
// "ss.png" into the skin (the picture the skin tree shows for a skin).
Result<void> WriteScreenshot(const std::filesystem::path& skinDir,
                             const std::filesystem::path& graphicDir);

// Everything: graphic/ and skins/ under `outputDir`, screenshots included.
Result<void> GenerateAll(const std::filesystem::path& outputDir);

// Writes the root list naming `skinsDir` (absolute, with a trailing "/", CR LF) unless the file
// exists already: a user's own list is never replaced. Reports whether it wrote.
Result<bool> WriteRootListIfMissing(const std::filesystem::path& listFile,
                                    const std::filesystem::path& skinsDir);

}  // namespace morvish::skingen
