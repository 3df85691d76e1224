#include "SkinInstall.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/Platform.h"
#include "render/FileLookup.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

std::string Describe(const fs::path& path, const std::error_code& error) {
    return platform::DisplayText(path) + ": " + error.message();
}

// The folder `name` of `parent`: an existing one whose name differs only in case, else a new one.
// Nothing when it could not be made; the reason is added to `failures`.
std::optional<fs::path> EnsureFolder(const fs::path& parent, const fs::path& name,
                                     std::vector<std::string>& failures) {
    fs::path folder = ResolvePath(parent / name).value_or(parent / name);
    std::error_code error;
    if (fs::is_directory(folder, error)) return folder;
    fs::create_directory(folder, error);
    if (!error && !fs::is_directory(folder, error)) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
        failures.push_back(Describe(folder, error));
        return std::nullopt;
    }
    return folder;
}

// The plain files of a folder (no folders, no hidden files), by name.
std::vector<fs::path> PlainFiles(const fs::path& folder, std::vector<std::string>& failures) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (platform::IsHidden(*it) || !it->is_regular_file(typeError)) continue;
        files.push_back(it->path());
    }
    if (error) failures.push_back(Describe(folder, error));
    std::sort(files.begin(), files.end());
    return files;
}

void CopyPlainFiles(const fs::path& source, const fs::path& target,
                    std::vector<std::string>& failures) {
    for (const fs::path& file : PlainFiles(source, failures)) {
        const fs::path copy = target / file.filename();
        if (auto copied = platform::CopyFileAtomically(file, copy); !copied) {
            failures.push_back(copied.error().message);
        }
    }
}

}  // namespace

InstallResult InstallSkin(const fs::path& gameDir, const fs::path& rootDir,
                          const fs::path& skinName) {
    InstallResult result;
    const fs::path source = fs::path(rootDir) / skinName;
    const std::optional<fs::path> skins =
        EnsureFolder(gameDir.lexically_normal(), kGameSkinFolderName, result.failures);
    if (!skins) return result;
    const std::optional<fs::path> target = EnsureFolder(*skins, skinName, result.failures);
    if (!target) return result;
    result.target = WithTrailingSeparator(*target);

    CopyPlainFiles(source, *target, result.failures);

    const std::optional<fs::path> basic = ResolvePath(source / kBasicInterfaceName);
    std::error_code error;
    if (!basic || !fs::is_directory(*basic, error)) return result;
    if (const auto basicTarget = EnsureFolder(*target, kBasicInterfaceName, result.failures)) {
        CopyPlainFiles(*basic, *basicTarget, result.failures);
    }
    return result;
}

}  // namespace morvish
