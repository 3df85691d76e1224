#pragma once
// Finding files by the names skins use. Skins are made on Windows: their relative names use "\"
// and their case need not match the files on disk ("Basic_Interface\BTN_OK.BMP"). A name that
// does not exist exactly is matched case-insensitively, folder by folder.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace morvish {

// A relative name as skins write it ("basic_interface\btn_ok.bmp", "/" also accepted) as a path
// of its components.
std::filesystem::path SkinRelativePath(std::string_view name);

// The folder with a trailing separator, as skin directories are held ("skins/a" → "skins/a/");
// an empty path stays empty.
std::filesystem::path WithTrailingSeparator(std::filesystem::path folder);

// The file or directory on disk that `path` names, exactly or else by case-insensitive match of
// each component that does not exist as written. Nothing when there is no such entry.
std::optional<std::filesystem::path> ResolvePath(const std::filesystem::path& path);

// The same, naming in `consulted` the folders whose entries decided a case-insensitive answer:
// every folder searched for a name in another case, and the folder where the search ended. While
// none of them changes, the answer stays the same. An exact match consults none: only the
// entry itself decides it.
std::optional<std::filesystem::path> ResolvePath(const std::filesystem::path& path,
                                                 std::vector<std::filesystem::path>& consulted);

// True when `path` names an existing regular file (the existence test of the piece rule). The
// answer comes from the picture cache when it is on.
bool FileExists(const std::filesystem::path& path);

// True when `path` names an existing directory.
bool DirectoryExists(const std::filesystem::path& path);

}  // namespace morvish
