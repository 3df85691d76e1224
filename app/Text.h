#pragma once
// Small text helpers of the settings files: trimming and ASCII case-insensitive comparison.

#include <string>
#include <string_view>
#include <vector>

namespace morvish {

// The text without leading and trailing blanks (spaces, tabs, line-break characters).
std::string_view Trim(std::string_view text);

// True when both texts are equal with ASCII letters compared case-insensitively, as the names of
// INI sections and keys compare.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The text with ASCII capitals turned into small letters.
std::string FoldedCase(std::string_view text);

// The text cut to at most `limit` bytes without splitting a UTF-8 character.
std::string_view CutUtf8(std::string_view text, std::size_t limit);

// The text without a leading UTF-8 byte order mark (editors on Windows write one).
std::string_view WithoutByteOrderMark(std::string_view text);

// The lines joined, every one followed by CR LF as in files made on Windows.
std::string JoinLinesWithCrLf(const std::vector<std::string>& lines);

// The text split into lines at LF, with a CR before the LF (and a lone trailing CR) removed.
template <class Visit>
void ForEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        visit(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

}  // namespace morvish
