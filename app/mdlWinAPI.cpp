#include "mdlWinAPI.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>

#include "IniFile.h"
#include "Text.h"
#include "platform/Platform.h"

namespace morvish::mdlWinAPI {

namespace {

// A plain decimal number ("12", "-3.5", "+1e3", " 7 "); nothing for any other text, so that a
// word, a hexadecimal number or "inf" reads as absent.
std::optional<double> ParseNumber(std::string_view text) {
    text = Trim(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('+') || text.starts_with('-')) return std::nullopt;
    }
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    const std::optional<double> number = ParseNumber(text);
    if (!number) return std::nullopt;
    // Halves round to the even neighbour, as the conversion the settings were written for does.
    const double rounded = std::nearbyint(*number);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return std::int32_t(rounded);
}

std::optional<bool> ParseBoolean(std::string_view text) {
    text = Trim(text);
    if (EqualsIgnoringCase(text, "true")) return true;
    if (EqualsIgnoringCase(text, "false")) return false;
    const std::optional<double> number = ParseNumber(text);
    if (!number) return std::nullopt;
    return *number != 0;
}

IniValue ZeroOf(int kind) {
    switch (kind) {
        case kIniDouble:
            return 0.0;
        case kIniString:
            return std::string();
        case kIniBoolean:
            return false;
        default:
            return std::int32_t(0);
    }
}

// The text converted to Kind; nothing when it is not a value of that kind.
std::optional<IniValue> Convert(std::string_view text, int kind) {
    switch (kind) {
        case kIniInteger:
            if (auto value = ParseInteger(text)) return IniValue(*value);
            return std::nullopt;
        case kIniDouble:
            if (auto value = ParseNumber(text)) return IniValue(*value);
            return std::nullopt;
        case kIniString:
            return IniValue(std::string(text));
        case kIniBoolean:
            if (auto value = ParseBoolean(text)) return IniValue(*value);
            return std::nullopt;
        default:
            return IniValue(std::int32_t(0));
    }
}

// The file's entries; an empty file when it does not exist. A file that exists but cannot be
// read is an error, so that a write never replaces entries it could not see.
Result<IniFile> LoadIniFile(const std::filesystem::path& iniPath) {
    std::error_code error;
    if (!std::filesystem::exists(iniPath, error)) return IniFile{};
    const Result<std::string> text = platform::ReadRegularFile(iniPath);
    if (!text) return std::unexpected(text.error());
    return IniFile::Parse(*text);
}

}  // namespace

IniValue ReadIniValue(const std::filesystem::path& iniPath, std::string_view Section,
                      std::string_view Key, int Kind, std::string_view Default) {
    const std::optional<std::string> stored =
        LoadIniFile(iniPath).value_or(IniFile{}).Get(Section, Key);
    // The whole value counts: a game folder of more than 254 bytes (the buffer of the platform
    // call the file format comes from) would otherwise be cut for good at the next write.
    const std::string_view text = stored ? std::string_view(*stored) : std::string_view{};
    if (!text.empty()) {
        if (std::optional<IniValue> value = Convert(text, Kind)) return *value;
    }
    if (!Default.empty()) {
        if (std::optional<IniValue> value = Convert(Default, Kind)) return *value;
    }
    return ZeroOf(Kind);
}

std::string IniText(const IniValue& value) {
    struct Visitor {
        std::string operator()(std::int32_t number) const { return std::to_string(number); }
        std::string operator()(double number) const {
            char buffer[32];
            const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number);
            return error == std::errc() ? std::string(buffer, end) : std::string("0");
        }
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(bool flag) const { return flag ? "True" : "False"; }
    };
    return std::visit(Visitor{}, value);
}

Result<void> WriteIniValue(const std::filesystem::path& iniPath, std::string_view Section,
                           std::string_view Key, const IniValue& Value) {
    const std::string text = IniText(Value);
    if (text.find_first_of("\r\n") != std::string::npos) {
        return Failure(platform::DisplayText(iniPath) + ": the value of " + std::string(Key) +
                       " holds a line break and cannot be stored");
    }
    Result<IniFile> file = LoadIniFile(iniPath);
    if (!file) return std::unexpected(file.error());
    file->Set(Section, Key, text);
    return platform::WriteFileAtomically(iniPath, file->Format());
}

}  // namespace morvish::mdlWinAPI
