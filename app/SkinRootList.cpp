#include "SkinRootList.h"

#include <optional>
#include <system_error>
#include <type_traits>

#include "Text.h"
#include "platform/Platform.h"
#include "render/FileLookup.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

// True where paths are the file system's own bytes (Linux), false where they are UTF-16.
constexpr bool kPathsAreBytes = std::is_same_v<fs::path::value_type, char>;

bool IsSeparator(fs::path::value_type c) {
    return c == fs::path::value_type('/') || c == fs::path::preferred_separator;
}

}  // namespace

fs::path NormaliseRootPath(const fs::path& path, const fs::path& base) {
    if (path.empty()) return {};
    fs::path::string_type root =
        (path.is_relative() && !base.empty() ? base / path : path).native();
    // Exactly one separator at the end, also for a path that is only separators.
    while (!root.empty() && IsSeparator(root.back())) root.pop_back();
    root.push_back(fs::path::preferred_separator);
    return fs::path(std::move(root));
}

fs::path RootPathFromLine(std::string_view line) {
    // The system reads a path only up to a NUL byte, so "/tmp/\0bin/skins/" would list all of
    // "/tmp/". No folder name holds one: such a line names nothing.
    if (line.find('\0') != std::string_view::npos) return {};
    if (platform::IsValidUtf8(line)) return platform::PathFromUtf8(line);
    const std::optional<std::string> decoded = platform::Cp932ToUtf8(line);
    if constexpr (kPathsAreBytes) {
        const fs::path own{std::string(line)};
        std::error_code error;
        if (!decoded || fs::exists(own, error)) return own;
    }
    return decoded ? platform::PathFromUtf8(*decoded) : fs::path();
}

std::vector<fs::path> ParseSkinRootList(std::string_view text) {
    std::vector<fs::path> roots;
    ForEachLine(WithoutByteOrderMark(text), [&](std::string_view line) {
        line = Trim(line);
        if (line.empty()) return;
        if (fs::path root = RootPathFromLine(line); !root.empty()) roots.push_back(std::move(root));
    });
    return roots;
}

std::string FormatSkinRootList(const std::vector<fs::path>& roots) {
    std::vector<std::string> lines;
    lines.reserve(roots.size());
    for (const fs::path& root : roots) lines.push_back(platform::PathToUtf8(root));
    return JoinLinesWithCrLf(lines);
}

}  // namespace morvish
