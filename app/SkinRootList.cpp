#include "SkinRootList.h"

#include "Settings.h"
#include "Text.h"
#include "platform/Platform.h"
#include "render/FileLookup.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

bool IsSeparator(fs::path::value_type c) {
    return c == fs::path::value_type('/') || c == fs::path::preferred_separator;
}

}  // namespace

fs::path NormaliseRootPath(const fs::path& path, const fs::path& base) {
    if (path.empty()) return {};
    fs::path joined = path.is_relative() && !base.empty() ? base / path : path;
    // One kind of separator throughout, so that a root typed with '/' on Windows is the
    // same root as one picked in a folder dialog.
    fs::path::string_type root = joined.make_preferred().native();
    // Exactly one separator at the end, also for a path that is only separators.
    while (!root.empty() && IsSeparator(root.back())) root.pop_back();
    root.push_back(fs::path::preferred_separator);
    return fs::path(std::move(root));
}

std::vector<fs::path> ParseSkinRootList(std::string_view text) {
    std::vector<fs::path> roots;
    ForEachLine(WithoutByteOrderMark(text), [&](std::string_view line) {
        line = Trim(line);
        if (line.empty()) return;
        if (fs::path root = PathFromStoredText(line); !root.empty())
            roots.push_back(std::move(root));
    });
    return roots;
}

std::string FormatSkinRootList(const std::vector<fs::path>& roots, const fs::path& base) {
    std::vector<std::string> lines;
    lines.reserve(roots.size());
    for (const fs::path& root : roots) {
        fs::path written = root;
        if (!base.empty()) {
            // Both without a trailing separator, which would count as a name of its own.
            const fs::path folder = root.has_filename() ? root : root.parent_path();
            const fs::path relative =
                folder.lexically_normal().lexically_relative(base.lexically_normal());
            if (!relative.empty() && *relative.begin() != ".." && relative != ".") {
                written = NormaliseRootPath(relative);
            }
        }
        lines.push_back(platform::PathToUtf8(written));
    }
    return JoinLinesWithCrLf(lines);
}

}  // namespace morvish
