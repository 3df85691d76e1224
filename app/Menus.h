#pragma once
// The main window's menus as data: the menu bar and the two context menus of the skin tree, with
// their captions and states. The desktop programs build their menus from these tables and hand
// the chosen command back to the main window's logic.

#include <optional>
#include <span>
#include <string_view>

namespace morvish {

enum class Command {
    AddSkinDirectory,  // add a skin root folder
    DownloadSkin,      // not offered
    AddSkinSite,       // not offered
    Setting,           // choose the game folder
    Exit,
    About,
    SubDirRefresh,  // rescan the selected root
    RemoveRootDir,  // remove the selected root from the list
    AddSkinToRO,    // install the selected skin into the game
    SetToROSkin,    // not offered
};

// One entry of a menu: a command, or a separator line when `command` is empty.
struct MenuEntry {
    std::string_view name;  // the control's name, for tests and diagnostics
    std::string_view caption;
    std::optional<Command> command;
    bool enabled = true;
};

struct MenuDefinition {
    std::string_view name;
    std::string_view caption;
    std::span<const MenuEntry> entries;
};

// The menus of the menu bar, left to right.
std::span<const MenuDefinition> MenuBar();
// The context menus of a root node and of a skin node.
const MenuDefinition& RootNodeMenu();
const MenuDefinition& SkinNodeMenu();

// The entry of a command in any menu.
const MenuEntry& EntryOf(Command command);

}  // namespace morvish
