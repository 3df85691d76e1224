#include "FileLookup.h"

#include <algorithm>
#include <system_error>

#include "PictureCache.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

template <class Char>
Char FoldAscii(Char c) {
    return (c >= Char('A') && c <= Char('Z')) ? Char(c - Char('A') + Char('a')) : c;
}

// ASCII case folding, as the file systems skins come from fold the names skins use.
bool EqualsIgnoringCase(const fs::path::string_type& a, const fs::path::string_type& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto x, auto y) {
               return FoldAscii(x) == FoldAscii(y);
           });
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The entry of `folder` whose name matches `name` ignoring case; the first one in listing order
// when several do (a folder can hold "A.bmp" and "a.bmp" on Linux).
std::optional<fs::path> FindInFolder(const fs::path& folder, const fs::path& name) {
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
    if (error) return std::nullopt;
    for (fs::directory_iterator end; it != end; it.increment(error)) {
        if (error) return std::nullopt;
        if (EqualsIgnoringCase(it->path().filename().native(), name.native())) {
            return folder / it->path().filename();
        }
    }
    return std::nullopt;
}

}  // namespace

fs::path SkinRelativePath(std::string_view name) {
    fs::path relative;
    while (!name.empty()) {
        const std::size_t separator = std::min(name.find_first_of("\\/"), name.size());
        if (separator > 0) relative /= fs::path(std::string(name.substr(0, separator)));
        name.remove_prefix(std::min(separator + 1, name.size()));
    }
    return relative;
}

fs::path WithTrailingSeparator(fs::path folder) {
    if (folder.has_filename()) folder /= fs::path();
    return folder;
}

std::optional<fs::path> ResolvePath(const fs::path& path) {
    std::vector<fs::path> consulted;
    return ResolvePath(path, consulted);
}

std::optional<fs::path> ResolvePath(const fs::path& path, std::vector<fs::path>& consulted) {
    if (path.empty()) return std::nullopt;
    if (Exists(path)) return path;

    // Walk the components, keeping each one that exists as written and looking the others up.
    // Where the walk ends decides too: a name that appears there in either case changes the
    // answer.
    const auto consult = [&](const fs::path& folder) {
        const fs::path named = folder.empty() ? fs::path(".") : folder;
        if (std::find(consulted.begin(), consulted.end(), named) == consulted.end())
            consulted.push_back(named);
    };
    fs::path resolved;
    for (const fs::path& part : path) {
        if (part.empty()) continue;  // the empty name after a trailing separator
        if (part == path.root_name() || part == path.root_directory()) {
            resolved /= part;
            continue;
        }
        fs::path candidate = resolved / part;
        if (part == "." || part == ".." || Exists(candidate)) {
            resolved = std::move(candidate);
            continue;
        }
        consult(resolved);
        std::optional<fs::path> match = FindInFolder(resolved, part);
        if (!match) return std::nullopt;
        resolved = std::move(*match);
    }
    consult(resolved.parent_path());
    return resolved;
}

bool FileExists(const fs::path& path) {
    return gPictureCache.FindKind(path) == PictureCache::Kind::File;
}

bool DirectoryExists(const fs::path& path) {
    std::optional<fs::path> found = ResolvePath(path);
    std::error_code error;
    return found && fs::is_directory(*found, error);
}

}  // namespace morvish
