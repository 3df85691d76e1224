#include "ProgramPaths.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "FileLookup.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

std::optional<std::string>& ChosenGraphicDirectory() {
    static std::optional<std::string> chosen;
    return chosen;
}

}  // namespace

std::string ExecutableDirectory() {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return fs::current_path(error).string();
    return self.parent_path().string();
}

std::string GraphicDirectory() {
    if (ChosenGraphicDirectory()) return *ChosenGraphicDirectory();
    const std::string beside = (fs::path(ExecutableDirectory()) / "graphic").string();
#ifdef MORVISH_SHARE_DIR
    std::error_code error;
    if (!fs::is_directory(beside, error)) {
        const std::string installed = (fs::path(MORVISH_SHARE_DIR) / "graphic").string();
        if (fs::is_directory(installed, error)) return installed;
    }
#endif
    return beside;
}

void SetGraphicDirectory(std::string directory) {
    if (directory.empty()) {
        ChosenGraphicDirectory().reset();
    } else {
        ChosenGraphicDirectory() = std::move(directory);
    }
}

std::string SamplePicturePath(const std::string& name) {
    return WithTrailingSeparator(GraphicDirectory()) + name;
}

}  // namespace morvish
