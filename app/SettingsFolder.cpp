#include "SettingsFolder.h"

#include <system_error>

#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

// True for any entry, also one that is not a regular file or cannot be read: reading it then
// fails, and the program says so instead of taking the settings as missing and overwriting them.
bool Exists(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::exists(fs::symlink_status(path, error));
}

[[maybe_unused]] bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

}  // namespace

SettingsFolder::SettingsFolder(fs::path programDir, bool programDirWritable, fs::path configDir,
                               fs::path installedDir)
    : programDir_(std::move(programDir)),
      programDirWritable_(programDirWritable),
      configDir_(std::move(configDir)),
      installedDir_(std::move(installedDir)) {}

SettingsFolder SettingsFolder::ForThisProgram() {
    const fs::path programDir = platform::ExecutableDirectory();
    // Windows keeps installed programs in Program Files: their settings go to the user's folder.
    bool writable =
        platform::MayWriteTo(programDir) && !platform::IsInProgramFilesFolder(programDir);
#ifdef MORVISH_INSTALL_BINDIR
    // Even where it may (as the administrator), an installed program keeps its folder clean.
    if (SameFolder(programDir, MORVISH_INSTALL_BINDIR)) writable = false;
#endif
#ifdef MORVISH_SHARE_DIR
    fs::path installedDir = MORVISH_SHARE_DIR;
#else
    fs::path installedDir;
#endif
    return SettingsFolder(programDir, writable, platform::UserSettingsDirectory(),
                          std::move(installedDir));
}

fs::path SettingsFolder::ReadPath(std::string_view name) const {
    if (!programDirWritable_) {
        if (const fs::path own = configDir_ / name; Exists(own)) return own;
    }
    if (const fs::path beside = programDir_ / name; Exists(beside)) return beside;
    return {};
}

fs::path SettingsFolder::InstalledPath(std::string_view name) const {
    if (installedDir_.empty()) return {};
    const fs::path installed = installedDir_ / name;
    return Exists(installed) ? installed : fs::path();
}

Result<fs::path> SettingsFolder::WritePath(std::string_view name) const {
    if (programDirWritable_) return programDir_ / name;
    std::error_code error;
    fs::create_directories(configDir_, error);
    if (error) {
        return Failure(ErrorKind::CannotWrite, configDir_,
                       platform::DisplayText(configDir_) + ": " + error.message(), error);
    }
    return configDir_ / name;
}

}  // namespace morvish
