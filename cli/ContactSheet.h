#pragma once
// Pictures of many windows at once: every window kind of one skin into a folder, and the contact
// sheet of a skin root, as one picture of all skins side by side or as a static web page with
// every window kind of every skin.

#include <filesystem>
#include <string>
#include <vector>

#include "RenderScript.h"
#include "render/Bitmap.h"
#include "render/Types.h"

namespace morvish::cli {

// The picture scaled to `width` pixels wide, its height in proportion (rounded, at least 1),
// each target pixel the average of the source area it covers. Never wider than the source.
Bitmap ScaleToWidth(const Bitmap& picture, int width);

// The name a skin's pictures are filed under: the skin folder's own name.
std::filesystem::path SkinName(const std::filesystem::path& skinDir);

// One skin's all-windows view with its name, as a sheet shows it.
struct SheetEntry {
    std::string name;  // the skin's name as people read it
    Bitmap picture;    // the all-windows view, full size; empty when it could not be drawn
};

// The sheet: one cell per entry, `columns` to a row, each picture scaled to `width` with the name
// centred beneath it, on white with a margin around every cell.
Bitmap ComposeSheet(const std::vector<SheetEntry>& entries, int width, int columns);

// One picture of the page: the file of one kind of a skin.
struct PagePicture {
    std::string kind;   // "basic"
    std::string label;  // "基本情報ウィンドウ"
    std::string file;   // relative to the page, "/"-separated, as the name on disk
    int width = 0;
    int height = 0;
    std::string problem;  // why it could not be drawn; then there is no file
};

struct PageSkin {
    std::string name;
    std::string anchor;  // the id of its section
    std::vector<PagePicture> pictures;
};

// The static page: a list of the skins linking to their sections, and every picture at full
// size, linking to its file.
std::string SheetPage(const std::string& title, const std::vector<PageSkin>& skins);

// A relative file name as a URL path: every byte but letters, digits, "-", ".", "_", "~" and
// the "/" between folders percent-encoded.
std::string UrlPath(std::string_view name);

// The tasks of the command line; each prints what went wrong and returns the exit status.
int RunAllKinds(const RenderOptions& options);
int RunSheet(const RenderOptions& options);

}  // namespace morvish::cli
