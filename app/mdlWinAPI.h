#pragma once
// Reading and writing single values of the settings file "Quorel.ini", one key at a time. Every
// call opens the file anew; nothing is kept in memory between calls.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

#include "render/Types.h"

namespace morvish::mdlWinAPI {

// The kind a value is read as.
enum IniKind : int {
    kIniInteger = 1,  // a 32-bit integer, the number rounded to the nearest whole one
    kIniDouble = 2,
    kIniString = 3,
    kIniBoolean = 4,
};

using IniValue = std::variant<std::int32_t, double, std::string, bool>;

// The value of Key in Section of the file at `iniPath`, converted to Kind. An absent or empty
// value, and one that is not a number where Kind asks for one, reads as Default (when Default is
// not empty) or else as the zero of Kind: 0, 0.0, "" or false. A Kind outside 1 to 4 gives 0.
// A missing or unreadable file reads as if every key were absent.
IniValue ReadIniValue(const std::filesystem::path& iniPath, std::string_view Section,
                      std::string_view Key, int Kind, std::string_view Default);

// Writes the text form of Value as Key of Section, creating the file, the section or the key as
// needed. The file is replaced as a whole (platform::WriteFileAtomically), so a failed write leaves
// it as it was; the error names the file and the reason.
Result<void> WriteIniValue(const std::filesystem::path& iniPath, std::string_view Section,
                           std::string_view Key, const IniValue& Value);

// The text a value is written as: decimal numbers, "True" or "False", strings unchanged.
std::string IniText(const IniValue& value);

}  // namespace morvish::mdlWinAPI
