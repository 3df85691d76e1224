#include "Menus.h"

#include <array>

namespace morvish {

namespace {

constexpr std::array<MenuEntry, 10> kFileMenu{{
    {"mnuAddSkinDirectory", Text::MenuAddSkinDirectory, Command::AddSkinDirectory},
    {"mnuExportPicture", Text::MenuExportPicture, Command::ExportPicture, true, "Ctrl+S"},
    {"mnuCopyPicture", Text::MenuCopyPicture, Command::CopyPicture, true, "Ctrl+C"},
    {"mnuFileBar0", Text::MenuFile, std::nullopt},
    {"mnuDownloadSkin", Text::MenuDownloadSkin, Command::DownloadSkin, false},
    {"mnuAddSkinSite", Text::MenuAddSkinSite, Command::AddSkinSite, false},
    {"mnuFileBar1", Text::MenuFile, std::nullopt},
    {"mnuSetting", Text::MenuSetting, Command::Setting},
    {"mnuFileBar2", Text::MenuFile, std::nullopt},
    {"mnuExit", Text::MenuExit, Command::Exit, true, "Ctrl+Q"},
}};

constexpr std::array<MenuEntry, 8> kViewMenu{{
    {"mnuZoomIn", Text::MenuZoomIn, Command::ZoomIn, true, "Ctrl++"},
    {"mnuZoomOut", Text::MenuZoomOut, Command::ZoomOut, true, "Ctrl+-"},
    {"mnuViewBar1", Text::MenuView, std::nullopt},
    {"mnuZoom1", Text::MenuZoom1, Command::Zoom1, true, "Ctrl+0"},
    {"mnuZoom2", Text::MenuZoom2, Command::Zoom2},
    {"mnuZoom3", Text::MenuZoom3, Command::Zoom3},
    {"mnuZoom4", Text::MenuZoom4, Command::Zoom4},
    {"mnuCheckSkin", Text::MenuCheckSkin, Command::CheckSkin, true, "F7"},
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

const std::array<MenuDefinition, 4> kMenuBar{{
    {"mnuFile", Text::MenuFile, kFileMenu},
    {"mnuView", Text::MenuView, kViewMenu},
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
