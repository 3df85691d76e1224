#include "ProgramPaths.h"

#include <optional>
#include <system_error>

#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

std::optional<fs::path>& ChosenGraphicDirectory() {
    static std::optional<fs::path> chosen;
    return chosen;
}

}  // namespace

fs::path GraphicDirectory() {
    if (ChosenGraphicDirectory()) return *ChosenGraphicDirectory();
    const fs::path beside = platform::ExecutableDirectory() / "graphic";
#ifdef MORVISH_SHARE_DIR
    std::error_code error;
    if (!fs::is_directory(beside, error)) {
        const fs::path installed = fs::path(MORVISH_SHARE_DIR) / "graphic";
        if (fs::is_directory(installed, error)) return installed;
    }
#endif
    return beside;
}

void SetGraphicDirectory(fs::path directory) {
    if (directory.empty()) {
        ChosenGraphicDirectory().reset();
    } else {
        ChosenGraphicDirectory() = std::move(directory);
    }
}

fs::path SamplePicturePath(std::string_view name) {
    return GraphicDirectory() / name;
}

}  // namespace morvish
