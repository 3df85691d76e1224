#include "SkinFolder.h"

#include <algorithm>
#include <system_error>

#include "Text.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

enum class EntryKind { Folder, File };

// The visible entries of one kind in `folder`, sorted case-insensitively (then exactly, so that
// "A" and "a" keep a fixed order).
std::vector<fs::path> VisibleEntries(const fs::path& folder, EntryKind kind) {
    std::vector<fs::path> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (platform::IsHidden(*it)) continue;
        std::error_code typeError;
        const bool matches = kind == EntryKind::Folder ? it->is_directory(typeError)
                                                       : it->is_regular_file(typeError);
        if (matches) names.push_back(it->path().filename());
    }
    std::sort(names.begin(), names.end(), [](const fs::path& a, const fs::path& b) {
        const std::string foldedA = FoldedCase(platform::PathToUtf8(a));
        const std::string foldedB = FoldedCase(platform::PathToUtf8(b));
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    });
    return names;
}

bool IsScreenshotName(const fs::path& file) {
    const std::string name = platform::PathToUtf8(file);
    constexpr std::string_view kStem = "ss";
    if (name.size() < kStem.size() ||
        !EqualsIgnoringCase(std::string_view(name).substr(0, kStem.size()), kStem)) {
        return false;
    }
    return name.size() == kStem.size() || name[kStem.size()] == '.';
}

}  // namespace

std::vector<fs::path> ListSkinNames(const fs::path& root) {
    return VisibleEntries(root, EntryKind::Folder);
}

std::optional<fs::path> FindScreenshot(const fs::path& skinDir) {
    for (const fs::path& name : VisibleEntries(skinDir, EntryKind::File)) {
        if (IsScreenshotName(name)) return skinDir / name;
    }
    return std::nullopt;
}

}  // namespace morvish
