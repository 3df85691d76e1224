#pragma once
// The skin root list "SkinDir.txt": one skin root folder per line, each line ended by CR LF. A
// root is written as the tree shows it: the full path ending with exactly one separator.
//
// Lines are read as UTF-8 when they are valid UTF-8, else as Shift-JIS (code page 932): the list
// of a Japanese Windows system is in its ANSI code page (PathFromStoredText). The list is written
// in UTF-8, except that on Linux a name that is not UTF-8 is written with its own bytes, so that
// it reads back the same.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvish {

// The root folder for a path: a relative path taken relative to `base`, ending with exactly one
// separator. Empty for an empty path.
std::filesystem::path NormaliseRootPath(const std::filesystem::path& path,
                                        const std::filesystem::path& base = {});

// The roots the list names, in file order: its non-blank lines, trimmed; lines that name no path
// (PathFromStoredText) are left out.
std::vector<std::filesystem::path> ParseSkinRootList(std::string_view text);

// The list's text: every root followed by CR LF; empty for no roots. A root inside `base` (the
// list's own folder) is written relative to it, so that a program folder that holds its skins can
// be moved or unpacked anywhere.
std::string FormatSkinRootList(const std::vector<std::filesystem::path>& roots,
                               const std::filesystem::path& base = {});

}  // namespace morvish
