#include "SkinFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "Text.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

enum class EntryKind { Folder, File };

// The visible entries of one kind in `folder`, sorted case-insensitively (then exactly, so that
// "A" and "a" keep a fixed order).
std::vector<std::string> VisibleEntries(const std::string& folder, EntryKind kind) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.starts_with('.')) continue;
        std::error_code typeError;
        const bool matches = kind == EntryKind::Folder ? it->is_directory(typeError)
                                                       : it->is_regular_file(typeError);
        if (matches) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string foldedA = FoldedCase(a);
        const std::string foldedB = FoldedCase(b);
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    });
    return names;
}

bool IsScreenshotName(std::string_view name) {
    constexpr std::string_view kStem = "ss";
    if (name.size() < kStem.size() || !EqualsIgnoringCase(name.substr(0, kStem.size()), kStem)) {
        return false;
    }
    return name.size() == kStem.size() || name[kStem.size()] == '.';
}

}  // namespace

std::vector<std::string> ListSkinNames(const std::string& root) {
    return VisibleEntries(root, EntryKind::Folder);
}

std::optional<std::string> FindScreenshot(const std::string& skinDir) {
    for (const std::string& name : VisibleEntries(skinDir, EntryKind::File)) {
        if (IsScreenshotName(name)) return (fs::path(skinDir) / name).string();
    }
    return std::nullopt;
}

}  // namespace morvish
