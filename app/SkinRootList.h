#pragma once
// The skin root list "SkinDir.txt": one skin root folder per line, each line ended by CR LF, text
// in UTF-8. A root is written as the tree shows it: the full path ending with exactly one "/".

#include <string>
#include <string_view>
#include <vector>

namespace morvish {

// The root folder text for a path: blanks trimmed, a relative path taken relative to `base`,
// ending with exactly one "/". Empty for a blank path.
std::string NormaliseRootPath(std::string_view path, std::string_view base = {});

// The non-blank lines of a list, trimmed, in file order.
std::vector<std::string> ParseSkinRootList(std::string_view text);

// The list's text: every root followed by CR LF; empty for no roots.
std::string FormatSkinRootList(const std::vector<std::string>& roots);

}  // namespace morvish
