#include "Menus.h"

#include <array>

namespace morvish {

namespace {

constexpr std::array<MenuEntry, 7> kFileMenu{{
    {"mnuAddSkinDirectory", "スキンディレクトリの追加", Command::AddSkinDirectory},
    {"mnuDownloadSkin", "スキンファイルのダウンロード", Command::DownloadSkin, false},
    {"mnuAddSkinSite", "スキンサイトの追加", Command::AddSkinSite, false},
    {"mnuFileBar1", "-", std::nullopt},
    {"mnuSetting", "設定", Command::Setting},
    {"mnuFileBar2", "-", std::nullopt},
    {"mnuExit", "終了", Command::Exit},
}};

constexpr std::array<MenuEntry, 1> kHelpMenu{{
    {"mnuAbout", "このソフトについて", Command::About},
}};

constexpr std::array<MenuEntry, 2> kRootNodeMenu{{
    {"mnuSubDirRefres", "ディレクトリの更新", Command::SubDirRefresh},
    {"mnuRemoveRootDir", "ディレクトリの削除", Command::RemoveRootDir},
}};

constexpr std::array<MenuEntry, 2> kSkinNodeMenu{{
    {"mnuAddSkinToRO", "このスキンをＲＯのスキンに加える", Command::AddSkinToRO},
    {"mnuSetToROSkin", "このスキンをＲＯのスキンに設定", Command::SetToROSkin, false},
}};

const std::array<MenuDefinition, 2> kMenuBar{{
    {"mnuFile", "ファイル", kFileMenu},
    {"mnuHelp", "ヘルプ", kHelpMenu},
}};

const MenuDefinition kRootNode{"mnuPopupForRootNode", "POPUP ルートノード用", kRootNodeMenu};
const MenuDefinition kSkinNode{"mnuPopupForSkinRoot", "POPUP スキンルート用", kSkinNodeMenu};

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

const MenuEntry& EntryOf(Command command) {
    for (const MenuDefinition* menu : {&kMenuBar[0], &kMenuBar[1], &kRootNode, &kSkinNode}) {
        for (const MenuEntry& entry : menu->entries) {
            if (entry.command == command) return entry;
        }
    }
    return kFileMenu.front();
}

}  // namespace morvish
