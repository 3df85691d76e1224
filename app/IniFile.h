#pragma once
// A settings file in the Windows INI format: "[Section]" lines, then "Key=Value" lines. The file is
// held as its lines, so a rewrite keeps everything it does not change: other sections and keys,
// comments, blank lines and the order of entries.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvish {

class IniFile {
  public:
    // Reads the text of a file (CR LF or LF lines, an optional UTF-8 byte order mark).
    static IniFile Parse(std::string_view text);

    // The value of Key in Section, with the blanks around it and one pair of enclosing quotes
    // removed; nothing when the key is absent. Names compare without regard to ASCII case; the
    // first matching key of the first matching section counts.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Replaces the value of Key in Section, adding the key at the end of the section, or the
    // section at the end of the file, when absent. The value must not hold a line break.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The file's text, every line ended by CR LF.
    std::string Format() const;

  private:
    struct Location {
        std::size_t sectionLine;             // the "[Section]" line
        std::size_t endLine;                 // one past the last line of the section
        std::optional<std::size_t> keyLine;  // the line of the key, when present
    };
    std::optional<Location> Find(std::string_view section, std::string_view key) const;

    std::vector<std::string> lines_;
};

}  // namespace morvish
