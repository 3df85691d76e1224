#include "Settings.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <type_traits>

#include "mdlWinAPI.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

constexpr std::string_view kGeneral = "General";
constexpr std::string_view kFormMain = "FORM_MAIN";
constexpr std::string_view kMorvish = "Morvish";

// True where paths are the file system's own bytes (Linux), false where they are UTF-16.
constexpr bool kPathsAreBytes = std::is_same_v<fs::path::value_type, char>;

int ReadInteger(const fs::path& ini, std::string_view key, int current) {
    return std::get<std::int32_t>(mdlWinAPI::ReadIniValue(
        ini, kFormMain, key, mdlWinAPI::kIniInteger, std::to_string(current)));
}

WindowState StateOf(int stored) {
    switch (stored) {
        case 1:
            return WindowState::Minimised;
        case 2:
            return WindowState::Maximised;
        default:
            return WindowState::Normal;
    }
}

}  // namespace

fs::path PathFromStoredText(std::string_view text) {
    // The system reads a path only up to a NUL byte, so "/tmp/\0bin/skins/" would name all of
    // "/tmp/". No name holds one: such a text names nothing.
    if (text.find('\0') != std::string_view::npos) return {};
    if (platform::IsValidUtf8(text)) return platform::PathFromUtf8(text);
    const std::optional<std::string> decoded = platform::Cp932ToUtf8(text);
    if constexpr (kPathsAreBytes) {
        const fs::path own{std::string(text)};
        std::error_code error;
        if (!decoded || fs::exists(own, error)) return own;
    }
    return decoded ? platform::PathFromUtf8(*decoded) : fs::path();
}

Result<StoredSettings> ReadSettings(const fs::path& iniFile, const StoredSettings& current) {
    std::error_code error;
    if (fs::exists(iniFile, error)) {
        if (Result<std::string> readable = platform::ReadRegularFile(iniFile); !readable) {
            return std::unexpected(readable.error());
        }
    }
    StoredSettings settings;
    settings.gameDir = PathFromStoredText(std::get<std::string>(
        mdlWinAPI::ReadIniValue(iniFile, kGeneral, "RODir", mdlWinAPI::kIniString, "")));
    settings.splitterLeft = ReadInteger(iniFile, "DIVPOS", current.splitterLeft);
    settings.widthTwips = ReadInteger(iniFile, "WIDTH", current.widthTwips);
    settings.heightTwips = ReadInteger(iniFile, "HEIGHT", current.heightTwips);
    settings.state = StateOf(ReadInteger(iniFile, "STYLE", 0));
    settings.language = LanguageFromCode(std::get<std::string>(mdlWinAPI::ReadIniValue(
        iniFile, kMorvish, "Language", mdlWinAPI::kIniString, LanguageCode(current.language))));
    // A zoom out of range is taken as the nearest one offered.
    settings.zoom = std::clamp(
        std::get<std::int32_t>(mdlWinAPI::ReadIniValue(
            iniFile, kMorvish, "Zoom", mdlWinAPI::kIniInteger, std::to_string(current.zoom))),
        1, 4);
    return settings;
}

Result<void> WriteSettings(const fs::path& iniFile, const StoredSettings& settings) {
    struct Entry {
        std::string_view section;
        std::string_view key;
        mdlWinAPI::IniValue value;
    };
    const Entry entries[] = {
        {kGeneral, "RODir", platform::PathToUtf8(settings.gameDir)},
        {kFormMain, "STYLE", std::int32_t(settings.state)},
        {kFormMain, "WIDTH", std::int32_t(settings.widthTwips)},
        {kFormMain, "HEIGHT", std::int32_t(settings.heightTwips)},
        {kFormMain, "DIVPOS", std::int32_t(settings.splitterLeft)},
        {kMorvish, "Language", std::string(LanguageCode(settings.language))},
        {kMorvish, "Zoom", std::int32_t(settings.zoom)},
    };
    for (const Entry& entry : entries) {
        // Every key rewrites the same file; after one failure the others would fail alike.
        if (Result<void> written =
                mdlWinAPI::WriteIniValue(iniFile, entry.section, entry.key, entry.value);
            !written) {
            return written;
        }
    }
    return {};
}

}  // namespace morvish
