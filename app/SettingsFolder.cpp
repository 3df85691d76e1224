#include "SettingsFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "render/ProgramPaths.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

constexpr std::string_view kProgramFolderName = "morvish";

std::string Join(const std::string& folder, std::string_view name) {
    return (fs::path(folder) / name).string();
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

[[maybe_unused]] bool SameFolder(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return "/tmp";
}

}  // namespace

std::string UserConfigDirectory() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    // Relative values of the variable are to be ignored.
    if (configHome != nullptr && configHome[0] == '/') return Join(configHome, kProgramFolderName);
    return Join(Join(HomeDirectory(), ".config"), kProgramFolderName);
}

SettingsFolder::SettingsFolder(std::string programDir, bool programDirWritable,
                               std::string configDir, std::string installedDir)
    : programDir_(std::move(programDir)),
      programDirWritable_(programDirWritable),
      configDir_(std::move(configDir)),
      installedDir_(std::move(installedDir)) {}

SettingsFolder SettingsFolder::ForThisProgram() {
    const std::string programDir = ExecutableDirectory();
    bool writable = ::access(programDir.c_str(), W_OK) == 0;
#ifdef MORVISH_INSTALL_BINDIR
    // Even where it may (as the administrator), an installed program keeps its folder clean.
    if (SameFolder(programDir, MORVISH_INSTALL_BINDIR)) writable = false;
#endif
#ifdef MORVISH_SHARE_DIR
    std::string installedDir = MORVISH_SHARE_DIR;
#else
    std::string installedDir;
#endif
    return SettingsFolder(programDir, writable, UserConfigDirectory(), std::move(installedDir));
}

std::string SettingsFolder::ReadPath(std::string_view name) const {
    if (!programDirWritable_) {
        if (const std::string own = Join(configDir_, name); IsFile(own)) return own;
    }
    if (const std::string beside = Join(programDir_, name); IsFile(beside)) return beside;
    return {};
}

std::string SettingsFolder::InstalledPath(std::string_view name) const {
    if (installedDir_.empty()) return {};
    const std::string installed = Join(installedDir_, name);
    return IsFile(installed) ? installed : std::string();
}

Result<std::string> SettingsFolder::WritePath(std::string_view name) const {
    if (programDirWritable_) return Join(programDir_, name);
    std::error_code error;
    fs::create_directories(configDir_, error);
    if (error) return Failure(configDir_ + ": " + error.message());
    return Join(configDir_, name);
}

}  // namespace morvish
