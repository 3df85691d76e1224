#include "SkinInstall.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/Platform.h"
#include "render/FileLookup.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

Error Problem(ErrorKind kind, const fs::path& path, std::string_view reason,
              std::error_code code = {}) {
    Error problem;
    problem.message = platform::DisplayText(path) + ": " + std::string(reason);
    problem.kind = kind;
    problem.file = path;
    problem.code = code;
    return problem;
}

Error ReadProblem(const fs::path& path, std::error_code code) {
    return Problem(ErrorKind::CannotRead, path, code.message(), code);
}

Error WriteProblem(const fs::path& path, std::error_code code) {
    return Problem(ErrorKind::CannotWrite, path, code.message(), code);
}

// The resolved form of `path` (every link followed) when it lies strictly inside the resolved
// `folder`; nothing when it lies elsewhere, is the folder itself, or cannot be resolved.
std::optional<fs::path> ResolvedInside(const fs::path& path, const fs::path& folder) {
    std::error_code error;
    fs::path resolved = fs::canonical(path, error);
    if (error) return std::nullopt;
    const fs::path base = fs::canonical(folder, error);
    if (error) return std::nullopt;
    const auto [inBase, inResolved] =
        std::mismatch(base.begin(), base.end(), resolved.begin(), resolved.end());
    if (inBase != base.end() || inResolved == resolved.end()) return std::nullopt;
    return resolved;
}

// A folder to read from: `folder` itself when it is a real folder, the folder a link leads to
// when that lies inside `boundary`. Nothing otherwise; the reason is added to `failures`.
std::optional<fs::path> FolderToRead(const fs::path& folder, const fs::path& boundary,
                                     std::vector<Error>& failures) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(folder, error);
    if (error) {
        failures.push_back(ReadProblem(folder, error));
        return std::nullopt;
    }
    if (fs::is_directory(status)) return folder;
    if (fs::is_symlink(status)) {
        const std::optional<fs::path> resolved = ResolvedInside(folder, boundary);
        if (resolved && fs::is_directory(*resolved, error)) return resolved;
        failures.push_back(Problem(ErrorKind::LinkLeadsOutside, folder,
                                   "is a link to a place outside " +
                                       platform::DisplayText(boundary) +
                                       "; nothing is copied from it"));
        return std::nullopt;
    }
    failures.push_back(ReadProblem(folder, std::make_error_code(std::errc::not_a_directory)));
    return std::nullopt;
}

// The folder `name` of `parent` to write into: an existing one whose name differs only in case,
// else a new one. With `mayBeLink` false a link of that name is refused, so that nothing is
// written through it. Nothing when there is no such folder; the reason is added to `failures`.
std::optional<fs::path> EnsureFolder(const fs::path& parent, const fs::path& name, bool mayBeLink,
                                     std::vector<Error>& failures) {
    fs::path folder = ResolvePath(parent / name).value_or(parent / name);
    std::error_code error;
    if (!mayBeLink && fs::is_symlink(fs::symlink_status(folder, error))) {
        failures.push_back(
            Problem(ErrorKind::LinkInGame, folder, "is a link; nothing is written through it"));
        return std::nullopt;
    }
    if (fs::is_directory(folder, error)) return folder;
    fs::create_directory(folder, error);
    if (!error && !fs::is_directory(folder, error)) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
        failures.push_back(WriteProblem(folder, error));
        return std::nullopt;
    }
    return folder;
}

// One file to copy: where it is read from, and its name in the target.
struct SkinFile {
    fs::path source;
    fs::path name;
};

// The plain files of a folder (no folders, no hidden files), by name. A link counts when it leads
// to a regular file inside `boundary` (the skin's folder), which is then read; a link to a file
// elsewhere is a failure, and links to folders or to nothing are passed over like folders.
std::vector<SkinFile> PlainFiles(const fs::path& folder, const fs::path& boundary,
                                 std::vector<Error>& failures) {
    std::vector<SkinFile> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (platform::IsHidden(*it)) continue;
        std::error_code typeError;
        const fs::file_status own = it->symlink_status(typeError);
        if (fs::is_regular_file(own)) {
            files.push_back({it->path(), it->path().filename()});
            continue;
        }
        if (!fs::is_symlink(own) || !it->is_regular_file(typeError)) continue;
        if (std::optional<fs::path> resolved = ResolvedInside(it->path(), boundary)) {
            files.push_back({std::move(*resolved), it->path().filename()});
        } else {
            failures.push_back(Problem(ErrorKind::LinkLeadsOutside, it->path(),
                                       "is a link to a file outside " +
                                           platform::DisplayText(boundary) + "; it is not copied"));
        }
    }
    if (error) failures.push_back(ReadProblem(folder, error));
    std::sort(files.begin(), files.end(),
              [](const SkinFile& a, const SkinFile& b) { return a.name < b.name; });
    return files;
}

void CopyPlainFiles(const std::vector<SkinFile>& files, const fs::path& target,
                    InstallResult& result, InstallProgress* progress) {
    for (const SkinFile& file : files) {
        if (progress != nullptr && progress->cancel) {
            result.cancelled = true;
            return;
        }
        // A link in the game's folder is replaced by the file, never written through.
        if (auto copied = platform::CopyFileAtomically(file.source, target / file.name,
                                                       platform::TargetLink::kReplace);
            !copied) {
            result.failures.push_back(copied.error());
        } else {
            ++result.copied;
            if (progress != nullptr) ++progress->copied;
        }
    }
}

}  // namespace

bool IsPlainFolderName(const fs::path& name) {
    const fs::path::string_type& text = name.native();
    if (text.empty() || name == "." || name == "..") return false;
    return std::none_of(text.begin(), text.end(), [](fs::path::value_type c) {
        return c == '/' || c == '\\' || c == ':' || c == '\0';
    });
}

InstallResult InstallSkin(const fs::path& gameDir, const fs::path& rootDir,
                          const fs::path& skinName, InstallProgress* progress) {
    InstallResult result;
    if (!IsPlainFolderName(skinName)) {
        result.unsafeName = skinName;
        return result;
    }
    // The skin is read from its own folder, or from the folder a link leads to inside the root;
    // nothing is created in the game before that is known.
    const std::optional<fs::path> source =
        FolderToRead(rootDir / skinName, rootDir, result.failures);
    if (!source) return result;
    std::error_code error;
    const fs::path boundary = fs::canonical(*source, error);
    if (error) {
        result.failures.push_back(ReadProblem(*source, error));
        return result;
    }

    // Every file is listed first, so that the progress knows how many there are.
    const std::vector<SkinFile> topFiles = PlainFiles(boundary, boundary, result.failures);
    std::optional<fs::path> basicSource;
    if (const std::optional<fs::path> basic = ResolvePath(boundary / kBasicInterfaceName);
        basic && fs::is_directory(*basic, error)) {
        basicSource = FolderToRead(*basic, boundary, result.failures);
    }
    const std::vector<SkinFile> basicFiles =
        basicSource ? PlainFiles(*basicSource, boundary, result.failures) : std::vector<SkinFile>{};
    result.total = topFiles.size() + basicFiles.size();
    if (progress != nullptr) progress->total = result.total;

    // The game's own skin folder may be a link (the user's choice); the skin's folder in it and
    // that folder's basic_interface may not.
    const std::optional<fs::path> skins =
        EnsureFolder(gameDir.lexically_normal(), kGameSkinFolderName, true, result.failures);
    if (!skins) return result;
    const std::optional<fs::path> target = EnsureFolder(*skins, skinName, false, result.failures);
    if (!target) return result;
    result.target = WithTrailingSeparator(*target);

    CopyPlainFiles(topFiles, *target, result, progress);
    if (!basicSource || result.cancelled) return result;
    if (const auto basicTarget =
            EnsureFolder(*target, kBasicInterfaceName, false, result.failures)) {
        CopyPlainFiles(basicFiles, *basicTarget, result, progress);
    }
    return result;
}

}  // namespace morvish
