#include "SkinRootList.h"

#include <filesystem>

#include "Text.h"
#include "render/FileLookup.h"

namespace morvish {

std::string NormaliseRootPath(std::string_view path, std::string_view base) {
    path = Trim(path);
    if (path.empty()) return {};
    std::string root(path);
    if (root.front() != kPathSeparator && !base.empty()) {
        root = (std::filesystem::path(base) / root).string();
    }
    while (!root.empty() && root.back() == kPathSeparator) root.pop_back();
    root.push_back(kPathSeparator);
    return root;
}

std::vector<std::string> ParseSkinRootList(std::string_view text) {
    std::vector<std::string> lines;
    ForEachLine(WithoutByteOrderMark(text), [&](std::string_view line) {
        line = Trim(line);
        if (!line.empty()) lines.emplace_back(line);
    });
    return lines;
}

std::string FormatSkinRootList(const std::vector<std::string>& roots) {
    return JoinLinesWithCrLf(roots);
}

}  // namespace morvish
