#include "FileLookup.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace fs = std::filesystem;

namespace morvish {

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// ASCII case folding, as the file systems skins come from fold the names skins use.
bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The entry of `folder` whose name matches `name` ignoring case; the first one in listing order
// when several do (a folder can hold "A.bmp" and "a.bmp" on Linux).
std::optional<fs::path> FindInFolder(const fs::path& folder, std::string_view name) {
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
    if (error) return std::nullopt;
    for (const fs::directory_entry& entry : it) {
        if (EqualsIgnoringCase(entry.path().filename().string(), name)) {
            return folder.empty() ? entry.path().filename() : folder / entry.path().filename();
        }
    }
    return std::nullopt;
}

}  // namespace

std::string ToNativePath(std::string_view path) {
    std::string native;
    native.reserve(path.size());
    for (char c : path) {
        if (IsSeparator(c)) {
            if (!native.empty() && native.back() == kPathSeparator) continue;
            native.push_back(kPathSeparator);
        } else {
            native.push_back(c);
        }
    }
    return native;
}

std::string WithTrailingSeparator(std::string path) {
    if (path.empty() || !IsSeparator(path.back())) path.push_back(kPathSeparator);
    return path;
}

std::optional<fs::path> ResolvePath(std::string_view path) {
    if (path.empty()) return std::nullopt;
    const std::string native = ToNativePath(path);
    fs::path exact(native);
    if (Exists(exact)) return exact;

    // Walk the components, keeping each one that exists as written and looking the others up.
    fs::path resolved;
    for (const fs::path& part : exact) {
        const std::string name = part.string();
        if (name.empty()) continue;  // the empty name after a trailing separator
        if (part == exact.root_directory() || (resolved.empty() && part.has_root_name())) {
            resolved /= part;
            continue;
        }
        fs::path candidate = resolved / part;
        if (name == "." || name == ".." || Exists(candidate)) {
            resolved = std::move(candidate);
            continue;
        }
        std::optional<fs::path> match = FindInFolder(resolved, name);
        if (!match) return std::nullopt;
        resolved = std::move(*match);
    }
    return resolved;
}

bool FileExists(std::string_view path) {
    std::optional<fs::path> found = ResolvePath(path);
    std::error_code error;
    return found && fs::is_regular_file(*found, error);
}

bool DirectoryExists(std::string_view path) {
    std::optional<fs::path> found = ResolvePath(path);
    std::error_code error;
    return found && fs::is_directory(*found, error);
}

}  // namespace morvish
