#pragma once
// The main window's menus as data: the menu bar and the two context menus of the skin tree, with
// their captions (in the catalogue), states and shortcut keys. The desktop programs build their
// menus from these tables and hand the chosen command back to the main window's logic.

#include <optional>
#include <span>
#include <string_view>

#include "Catalog.h"

namespace morvish {

enum class Command {
    AddSkinDirectory,  // add a skin root folder
    DownloadSkin,      // not offered
    AddSkinSite,       // not offered
    Setting,           // choose the game folder
    Exit,
    LanguageJapanese,
    LanguageEnglish,
    About,
    SubDirRefresh,  // rescan the selected root
    RemoveRootDir,  // remove the selected root from the list
    AddSkinToRO,    // install the selected skin into the game
    SetToROSkin,    // not offered
    ExportPicture,  // save the window picture on show as PNG
    CopyPicture,    // copy it to the clipboard
    ZoomIn,
    ZoomOut,
    Zoom1,  // the preview at ×1 to ×4
    Zoom2,
    Zoom3,
    Zoom4,
    CheckSkin,  // the skin check of the selected skin, in a window of its own
};

// One entry of a menu: a command, or a separator line when `command` is empty.
struct MenuEntry {
    std::string_view name;  // the control's name, for tests and diagnostics
    Text caption;
    std::optional<Command> command;
    bool enabled = true;
    // The key that runs the command from anywhere in the window, written as "Ctrl+Q", "F5" or
    // "Delete"; empty for none.
    std::string_view shortcut = {};
};

struct MenuDefinition {
    std::string_view name;
    Text caption;
    std::span<const MenuEntry> entries;
};

// The menus of the menu bar, left to right.
std::span<const MenuDefinition> MenuBar();
// The context menus of a root node and of a skin node.
const MenuDefinition& RootNodeMenu();
const MenuDefinition& SkinNodeMenu();

}  // namespace morvish
