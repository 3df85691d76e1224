#include "RenderScript.h"

#include <charconv>
#include <sstream>

#include "platform/Platform.h"
#include "render/PictureCache.h"
#include "render/PreviewPane.h"
#include "render/ProgramPaths.h"
#include "render/SkinFont.h"
#include "render/clsSkinMng.h"
#include "windows/WindowSlots.h"

namespace morvish::cli {

namespace {

// The preview the manager presents into. Its size only matters for centring, which the
// renderer does not use: the output is the window's own picture.
constexpr int kPaneSize = 1024;

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
        std::size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') {
            ++end;
        }
        if (end > at) words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

Result<RenderEvent> ParseEventLine(const std::vector<std::string_view>& words, std::int64_t line) {
    const std::string where = "line " + std::to_string(line) + ": ";
    RenderEvent event;
    event.line = line;
    const std::string_view command = words[0];
    if (command == "show") {
        if (words.size() != 2) return Failure(where + "'show' takes one window kind");
        std::optional<int> slot = ParseKind(words[1]);
        if (!slot) return Failure(where + "unknown window kind '" + std::string(words[1]) + "'");
        event.kind = RenderEvent::Kind::Show;
        event.slot = *slot;
        return event;
    }
    static constexpr std::pair<std::string_view, RenderEvent::Kind> kMouse[] = {
        {"down", RenderEvent::Kind::Down},
        {"move", RenderEvent::Kind::Move},
        {"up", RenderEvent::Kind::Up},
        {"dblclick", RenderEvent::Kind::DblClick}};
    for (const auto& [name, kind] : kMouse) {
        if (command != name) continue;
        if (words.size() != 4) {
            return Failure(where + "'" + std::string(name) + "' takes a button mask, X and Y");
        }
        std::optional<int> button = ParseInt(words[1]);
        if (!button || *button < 0 || *button > 7) {
            return Failure(where + "button mask '" + std::string(words[1]) +
                           "' is not 0 to 7 (1 left, 2 right, 4 middle)");
        }
        std::optional<int> x = ParseInt(words[2]);
        std::optional<int> y = ParseInt(words[3]);
        if (!x || !y) return Failure(where + "X and Y must be whole numbers");
        event.kind = kind;
        event.button = *button;
        event.x = *x;
        event.y = *y;
        return event;
    }
    return Failure(where + "unknown command '" + std::string(command) +
                   "' (show, down, move, up, dblclick)");
}

}  // namespace

std::optional<int> ParseKind(std::string_view text) {
    return SlotByKind(text);
}

std::optional<Color> ParseBackground(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    unsigned value = 0;
    auto [stop, error] = std::from_chars(text.data() + 1, text.data() + 7, value, 16);
    if (error != std::errc() || stop != text.data() + 7) return std::nullopt;
    return RGB(std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value));
}

namespace {

// Sets the task once; a second, different one is a usage error.
Result<void> SetTask(RenderOptions& options, Task task, bool& chosen) {
    if (chosen && options.task != task) {
        return Failure("--check, --all-kinds and --sheet cannot be combined");
    }
    options.task = task;
    chosen = true;
    return {};
}

// Checks that the options the task needs are there.
Result<RenderOptions> Complete(RenderOptions options, bool haveSkin, bool haveOutput) {
    switch (options.task) {
        case Task::Render:
            if (!haveSkin) return Failure("--skin SKIN_DIR is required");
            if (!haveOutput) return Failure("-o OUT.png is required");
            break;
        case Task::Check:
            break;
        case Task::AllKinds:
            if (!haveSkin) return Failure("--all-kinds needs --skin SKIN_DIR");
            break;
        case Task::Sheet:
            if (!haveOutput && !options.html)
                return Failure("--sheet needs -o OUT.png or --html DIR");
            break;
    }
    return options;
}

}  // namespace

Result<RenderOptions> ParseArguments(const std::vector<std::string>& arguments) {
    RenderOptions options;
    bool haveSkin = false;
    bool haveOutput = false;
    bool taskChosen = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return options;
        }
        if (argument == "--no-text") {
            options.noText = true;
            continue;
        }
        if (argument == "--json") {
            options.json = true;
            continue;
        }
        if (argument == "--no-cache") {
            options.noCache = true;
            continue;
        }
        static constexpr std::string_view kWithValue[] = {
            "--skin",  "--window",    "--graphic", "--events", "--background", "-o",
            "--check", "--all-kinds", "--sheet",   "--html",   "--width",      "--columns"};
        bool known = false;
        for (std::string_view name : kWithValue) known = known || argument == name;
        if (!known) return Failure("unknown argument '" + argument + "'");
        if (i + 1 >= arguments.size()) return Failure(argument + " needs a value");
        const std::string& value = arguments[++i];
        Result<void> task;
        if (argument == "--skin") {
            options.skinDir = platform::PathFromUtf8(value);
            haveSkin = true;
        } else if (argument == "--window") {
            std::optional<int> slot = ParseKind(value);
            if (!slot) return Failure("unknown window kind '" + value + "'");
            options.slot = *slot;
        } else if (argument == "--graphic") {
            options.graphicDir = platform::PathFromUtf8(value);
        } else if (argument == "--events") {
            options.eventsFile = platform::PathFromUtf8(value);
        } else if (argument == "--background") {
            std::optional<Color> color = ParseBackground(value);
            if (!color)
                return Failure("--background takes a colour written #RRGGBB, not '" + value + "'");
            options.background = *color;
        } else if (argument == "--check") {
            task = SetTask(options, Task::Check, taskChosen);
            options.skinDir = platform::PathFromUtf8(value);
            haveSkin = true;
        } else if (argument == "--all-kinds") {
            task = SetTask(options, Task::AllKinds, taskChosen);
            options.kindsDir = platform::PathFromUtf8(value);
        } else if (argument == "--sheet") {
            task = SetTask(options, Task::Sheet, taskChosen);
            options.sheetRoot = platform::PathFromUtf8(value);
        } else if (argument == "--html") {
            options.html = platform::PathFromUtf8(value);
        } else if (argument == "--width" || argument == "--columns") {
            std::optional<int> number = ParseInt(value);
            const int most = argument == "--width" ? 850 : 64;
            if (!number || *number < 1 || *number > most) {
                return Failure(argument + " takes a whole number from 1 to " +
                               std::to_string(most) + ", not '" + value + "'");
            }
            (argument == "--width" ? options.sheetWidth : options.sheetColumns) = *number;
        } else {
            options.output = platform::PathFromUtf8(value);
            haveOutput = true;
        }
        if (!task) return std::unexpected(task.error());
    }
    return Complete(std::move(options), haveSkin, haveOutput);
}

Result<std::vector<RenderEvent>> ParseEvents(std::string_view script, std::int64_t firstLine) {
    std::vector<RenderEvent> events;
    std::int64_t line = firstLine - 1;
    std::size_t at = 0;
    while (at <= script.size()) {
        std::size_t end = script.find('\n', at);
        if (end == std::string_view::npos) end = script.size();
        std::string_view text = script.substr(at, end - at);
        ++line;
        if (std::size_t hash = text.find('#'); hash != std::string_view::npos) {
            text = text.substr(0, hash);
        }
        std::vector<std::string_view> words = Words(text);
        if (!words.empty()) {
            Result<RenderEvent> event = ParseEventLine(words, line);
            if (!event) return std::unexpected(event.error());
            events.push_back(*event);
        }
        if (end == script.size()) break;
        at = end + 1;
    }
    return events;
}

std::string UsageText() {
    std::ostringstream text;
    text << "Usage: morvish-render --skin SKIN_DIR [--window KIND] [--graphic DIR]\n"
            "                      [--events FILE] [--background '#RRGGBB'] [--no-text]\n"
            "                      [--no-cache] -o OUT.png\n"
            "       morvish-render --skin SKIN_DIR --all-kinds DIR [--graphic DIR] [--no-text]\n"
            "       morvish-render --check SKIN_DIR [--json]\n"
            "       morvish-render --sheet ROOT [-o SHEET.png] [--width W] [--columns N]\n"
            "                      [--html DIR] [--graphic DIR] [--no-text]\n"
            "\n"
            "Draws one window of a skin as the game would show it and writes it to a PNG.\n"
            "\n"
            "  --skin SKIN_DIR       the skin folder (the one that holds basic_interface)\n"
            "  --window KIND         the window shown first (default basic): ";
    for (const WindowSlot& slot : kWindowSlots) text << (slot.number > 1 ? ", " : "") << slot.kind;
    text
        << ",\n"
           "                        or its number 1 to 12 in that order\n"
           "  --graphic DIR         the folder of the sample pictures (item1.bmp ...);\n"
           "                        default: the graphic folder beside the program\n"
           "  --events FILE         mouse events to replay, one per line ('-' reads standard "
           "input)\n"
           "  --background #RRGGBB  the preview's background colour (default #FFFFFF)\n"
           "  --no-text             leave the sample texts out, as on a system without their\n"
           "                        fonts (texts look different on Linux and Windows; all else\n"
           "                        is drawn the same to the pixel)\n"
           "  --no-cache            read every bitmap from disk at every redraw instead of\n"
           "                        keeping decoded bitmaps (the picture is the same)\n"
           "  -o OUT.png            where to write the picture (8-bit RGB, exact pixel values)\n"
           "\n"
           "  --all-kinds DIR       writes every window kind of the skin into DIR, each as\n"
           "                        SKIN-KIND.png (SKIN the skin folder's name)\n"
           "  --check SKIN_DIR      lists every bitmap each window reads, what it is for, and\n"
           "                        whether it is present, missing or unreadable, cut off or\n"
           "                        leaves a gap; then the skin's bitmaps no window reads, with\n"
           "                        the nearest expected name. --json gives the same as JSON\n"
           "  --sheet ROOT          the all-windows view of every skin folder under ROOT:\n"
           "                        -o writes one picture, each skin scaled to --width pixels\n"
           "                        (default 425) with its name beneath, --columns to a row\n"
           "                        (default 4); --html DIR writes DIR/index.html with every\n"
           "                        window kind of every skin at full size\n"
           "\n"
           "Events (a '#' starts a comment; blank lines are ignored):\n"
           "  show KIND             shows another window of the same skin; every window keeps its\n"
           "                        state (minimised, page, selection) for the whole run\n"
           "  down B X Y            mouse button pressed\n"
           "  move B X Y            mouse moved with the buttons B held (0 for none)\n"
           "  up B X Y              mouse button released\n"
           "  dblclick B X Y        double click\n"
           "  B is the button mask (1 left, 2 right, 4 middle, 0 none); X and Y are in the\n"
           "  shown window's own pixels, (0, 0) its top-left corner. A mouse event that changes\n"
           "  the window's look replaces the picture; one that does not leaves it.\n"
           "\n"
           "Exit status: 0 when the picture was written; 2 for bad usage or a bad events line\n"
           "(the message names the line); 1 when drawing fails (the message names the file)\n"
           "or the output cannot be written. --check: 0 when no file is missing or unreadable,\n"
           "1 otherwise.\n";
    return text.str();
}

Result<Bitmap> Render(const RenderOptions& options, const std::vector<RenderEvent>& events) {
    if (options.graphicDir) SetGraphicDirectory(*options.graphicDir);
    // Texts are switched off for this picture only.
    struct TextsSwitch {
        explicit TextsSwitch(bool drawn) { SetTextsDrawn(drawn); }
        ~TextsSwitch() { SetTextsDrawn(true); }
    } texts(!options.noText);
    // The picture cache likewise, for this picture only.
    struct CacheSwitch {
        explicit CacheSwitch(bool kept) : was(gPictureCache.Enabled()) {
            if (kept != was) gPictureCache.SetEnabled(kept);
        }
        ~CacheSwitch() {
            if (gPictureCache.Enabled() != was) gPictureCache.SetEnabled(was);
        }
        bool was;
    } cache(!options.noCache && gPictureCache.Enabled());
    MemoryPreviewPane pane(kPaneSize, kPaneSize, options.background);
    clsSkinMng manager(kWindowSlots);
    manager.ClassInitialize(pane, options.skinDir);

    Bitmap shown;
    auto show = [&](int slot) -> Result<void> {
        Result<void> done = manager.Refresh(slot);
        if (!done) return done;
        if (const DirectDrawSurface7* picture = manager.LastPicture()) shown = picture->ToBitmap();
        return {};
    };
    if (Result<void> done = show(options.slot); !done) return std::unexpected(done.error());

    for (const RenderEvent& event : events) {
        if (event.kind == RenderEvent::Kind::Show) {
            if (Result<void> done = show(event.slot); !done) return std::unexpected(done.error());
            continue;
        }
        clsTessarymInterface* window = manager.Window(manager.CurrentMode());
        SurfaceResult picture = nullptr;
        switch (event.kind) {
            case RenderEvent::Kind::Down:
                picture = window->MouseDown(event.button, event.x, event.y);
                break;
            case RenderEvent::Kind::Move:
                picture = window->MouseMove(event.button, event.x, event.y);
                break;
            case RenderEvent::Kind::Up:
                picture = window->MouseUp(event.button, event.x, event.y);
                break;
            case RenderEvent::Kind::DblClick:
                picture = window->MouseDblClick(event.button, event.x, event.y);
                break;
            case RenderEvent::Kind::Show:
                break;
        }
        if (!picture) return std::unexpected(picture.error());
        if (*picture) shown = (*picture)->ToBitmap();
    }
    return shown;
}

}  // namespace morvish::cli
