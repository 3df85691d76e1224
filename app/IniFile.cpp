#include "IniFile.h"

#include "Text.h"

namespace morvish {

namespace {

// The name of a "[Section]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key of a "Key=Value" line, or nothing for comments and lines without "=".
std::optional<std::string_view> KeyName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() == ';') return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, equals));
}

std::string_view ValueText(std::string_view line) {
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string KeyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
    IniFile file;
    ForEachLine(WithoutByteOrderMark(text),
                [&](std::string_view line) { file.lines_.emplace_back(line); });
    return file;
}

std::optional<IniFile::Location> IniFile::Find(std::string_view section,
                                               std::string_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::optional<std::string_view> name = SectionName(lines_[i]);
        if (!name || !EqualsIgnoringCase(*name, section)) continue;
        Location found{i, i + 1, std::nullopt};
        while (found.endLine < lines_.size() && !SectionName(lines_[found.endLine])) {
            const std::optional<std::string_view> lineKey = KeyName(lines_[found.endLine]);
            if (!found.keyLine && lineKey && EqualsIgnoringCase(*lineKey, key)) {
                found.keyLine = found.endLine;
            }
            ++found.endLine;
        }
        return found;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    const std::optional<Location> found = Find(section, key);
    if (!found || !found->keyLine) return std::nullopt;
    return std::string(ValueText(lines_[*found->keyLine]));
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::optional<Location> found = Find(section, key);
    if (!found) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(KeyLine(key, value));
        return;
    }
    if (found->keyLine) {
        lines_[*found->keyLine] = KeyLine(key, value);
        return;
    }
    // A new key goes after the section's last entry, before the blank lines that separate it
    // from the next section.
    std::size_t insertAt = found->endLine;
    while (insertAt > found->sectionLine + 1 && Trim(lines_[insertAt - 1]).empty()) --insertAt;
    lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), KeyLine(key, value));
}

std::string IniFile::Format() const {
    return JoinLinesWithCrLf(lines_);
}

}  // namespace morvish
