#pragma once
// The headless renderer's command line and events script: parsing into plain values, and the
// replay of a script against one skin manager.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/Bitmap.h"
#include "render/Types.h"

namespace morvish::cli {

// One line of an events script.
struct RenderEvent {
    enum class Kind { Show, Down, Move, Up, DblClick };
    Kind kind = Kind::Show;
    int slot = 0;                  // for Show: 1 to 12
    int button = 0, x = 0, y = 0;  // for the mouse commands
    std::int64_t line = 0;         // line number in the script, for messages (a script from a
                                   // pipe may be longer than 2^31 lines)
};

// What the renderer is asked to do.
enum class Task {
    Render,    // one window of a skin, after the events, to -o
    Check,     // the skin check of --check SKIN, as text or --json
    AllKinds,  // every window kind of --skin into the folder of --all-kinds
    Sheet,     // the all-windows view of every skin under --sheet ROOT: -o and/or --html
};

struct RenderOptions {
    Task task = Task::Render;
    std::filesystem::path skinDir;
    int slot = 2;  // the window shown before the first event ("basic")
    std::optional<std::filesystem::path> graphicDir;
    std::optional<std::filesystem::path> eventsFile;  // "-" is standard input
    Color background = 0xFFFFFF;                      // form colour 0x00BBGGRR
    std::filesystem::path output;
    bool noText = false;   // leave the sample texts out
    bool noCache = false;  // read every bitmap at every redraw
    bool help = false;
    bool json = false;                          // --check: JSON instead of text
    std::filesystem::path kindsDir;             // --all-kinds: where the pictures go
    std::filesystem::path sheetRoot;            // --sheet: the skin root
    std::optional<std::filesystem::path> html;  // --sheet: the folder of the page
    int sheetWidth = 425;                       // --sheet: width of each skin's picture
    int sheetColumns = 4;                       // --sheet: pictures per row
};

// A window kind by name or slot number; nothing when it is neither.
std::optional<int> ParseKind(std::string_view text);

// A colour written "#RRGGBB"; nothing when malformed.
std::optional<Color> ParseBackground(std::string_view text);

// The command line, without the program name. The error is a usage message.
Result<RenderOptions> ParseArguments(const std::vector<std::string>& arguments);

// An events script. The error names the line number and what is wrong with it. `firstLine` is
// the number of the script's first line, for a script that goes on from an earlier part; lines
// are counted in 64 bits, as a script from a pipe has no length limit.
Result<std::vector<RenderEvent>> ParseEvents(std::string_view script, std::int64_t firstLine = 1);

// The --help text.
std::string UsageText();

// Replays the events on a fresh skin manager for the skin, starting with the window of the
// options, and returns the picture shown after the last one. The error names the file that
// could not be drawn.
Result<Bitmap> Render(const RenderOptions& options, const std::vector<RenderEvent>& events);

}  // namespace morvish::cli
