#pragma once
// Finding files by the names skins use. Skins are made on Windows: their relative names use "\"
// and their case need not match the files on disk ("Basic_Interface\BTN_OK.BMP"). A name that
// does not exist exactly is matched case-insensitively, folder by folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace morvish {

// The separator this program puts at the end of directory names.
inline constexpr char kPathSeparator = '/';

// The path with every "\" turned into the native separator and runs of separators folded to one.
std::string ToNativePath(std::string_view path);

// Appends the native separator unless the path already ends with "/" or "\" (an empty path becomes
// "/", as an empty directory name becomes "\" on the original platform).
std::string WithTrailingSeparator(std::string path);

// The file or directory on disk that `path` names, exactly or else by case-insensitive match of
// each component that does not exist as written. Nothing when there is no such entry.
std::optional<std::filesystem::path> ResolvePath(std::string_view path);

// True when `path` names an existing regular file (the existence test of the piece rule).
bool FileExists(std::string_view path);

// True when `path` names an existing directory.
bool DirectoryExists(std::string_view path);

}  // namespace morvish
