#include "Menus.h"

#include <array>

namespace morvish {

namespace {

constexpr std::array<MenuEntry, 7> kFileMenu{{
    {"mnuAddSkinDirectory", Text::MenuAddSkinDirectory, Command::AddSkinDirectory},
    {"mnuDownloadSkin", Text::MenuDownloadSkin, Command::DownloadSkin, false},
    {"mnuAddSkinSite", Text::MenuAddSkinSite, Command::AddSkinSite, false},
    {"mnuFileBar1", Text::MenuFile, std::nullopt},
    {"mnuSetting", Text::MenuSetting, Command::Setting},
    {"mnuFileBar2", Text::MenuFile, std::nullopt},
    {"mnuExit", Text::MenuExit, Command::Exit, true, "Ctrl+Q"},
}};

constexpr std::array<MenuEntry, 2> kLanguageMenu{{
    {"mnuJapanese", Text::MenuJapanese, Command::LanguageJapanese},
    {"mnuEnglish", Text::MenuEnglish, Command::LanguageEnglish},
}};

constexpr std::array<MenuEntry, 1> kHelpMenu{{
    {"mnuAbout", Text::MenuAbout, Command::About},
}};

constexpr std::array<MenuEntry, 2> kRootNodeMenu{{
    {"mnuSubDirRefres", Text::MenuSubDirRefresh, Command::SubDirRefresh, true, "F5"},
    {"mnuRemoveRootDir", Text::MenuRemoveRootDir, Command::RemoveRootDir, true, "Delete"},
}};

constexpr std::array<MenuEntry, 2> kSkinNodeMenu{{
    {"mnuAddSkinToRO", Text::MenuAddSkinToRO, Command::AddSkinToRO},
    {"mnuSetToROSkin", Text::MenuSetToROSkin, Command::SetToROSkin, false},
}};

const std::array<MenuDefinition, 3> kMenuBar{{
    {"mnuFile", Text::MenuFile, kFileMenu},
    {"mnuLanguage", Text::MenuLanguage, kLanguageMenu},
    {"mnuHelp", Text::MenuHelp, kHelpMenu},
}};

const MenuDefinition kRootNode{"mnuPopupForRootNode", Text::MenuRootNode, kRootNodeMenu};
const MenuDefinition kSkinNode{"mnuPopupForSkinRoot", Text::MenuSkinNode, kSkinNodeMenu};

}  // namespace

std::span<const MenuDefinition> MenuBar() {
    return kMenuBar;
}

const MenuDefinition& RootNodeMenu() {
    return kRootNode;
}

const MenuDefinition& SkinNodeMenu() {
    return kSkinNode;
}

}  // namespace morvish
