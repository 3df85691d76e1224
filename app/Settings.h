#pragma once
// The settings the desktop program keeps between runs, as plain values: the game folder, the
// window's state and restored size, and the splitter's position, read from and written to the
// settings file "Quorel.ini" ("General": "RODir"; "FORM_MAIN": "STYLE", "WIDTH", "HEIGHT",
// "DIVPOS"). Sizes of the window are stored in twips, 15 to a pixel at 96 dots per inch. What
// this program adds has a section of its own ("Morvish": "Language", "Zoom"), which other programs
// reading the file pass over.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Catalog.h"
#include "render/Types.h"

namespace morvish {

enum class WindowState {
    Normal = 0,
    Minimised = 1,
    Maximised = 2,
};

inline constexpr int kTwipsPerPixel = 15;

struct StoredSettings {
    std::filesystem::path gameDir;  // empty when never set
    WindowState state = WindowState::Normal;
    int widthTwips = 0;  // the outer size of the window in its normal state
    int heightTwips = 0;
    int splitterLeft = 0;  // pixels of the client area
    Language language = Language::Japanese;
    int zoom = 1;  // the preview's zoom, 1 to 4
};

// Reads the settings. A key that is absent, empty or not a number keeps its value in `current`;
// a size or position with a fraction is rounded. A missing file gives `current` with no game
// folder. An error only when the file exists but cannot be read: then nothing may be written
// back to it, or the user's settings would be lost.
Result<StoredSettings> ReadSettings(const std::filesystem::path& iniFile,
                                    const StoredSettings& current);

// Writes every key, keeping the rest of the file. The error names the file and the reason.
Result<void> WriteSettings(const std::filesystem::path& iniFile, const StoredSettings& settings);

// A path stored as text by this program or by a Windows system before it: UTF-8 when the text is
// valid UTF-8, else Shift-JIS (code page 932, the ANSI code page of Japanese Windows). On Linux a
// text that is not UTF-8 may also be the bytes of a folder's own name (archives unpacked from
// Japanese systems keep them): it is taken as it is when such an entry exists, or when it is not
// code page 932 either. A text holding a NUL byte names no path (an empty one).
std::filesystem::path PathFromStoredText(std::string_view text);

}  // namespace morvish
