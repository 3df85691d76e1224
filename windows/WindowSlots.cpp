#include "WindowSlots.h"

#include <charconv>

#include "clsEmnuMsgBox.h"
#include "clsEmuBasic.h"
#include "clsEmuChat.h"
#include "clsEmuEquip.h"
#include "clsEmuEtc.h"
#include "clsEmuFriend.h"
#include "clsEmuItem.h"
#include "clsEmuOption.h"
#include "clsEmuSkill.h"
#include "clsEmuStatus.h"
#include "clsEmuTrade.h"
#include "render/clsEmuAll.h"

namespace morvish {

namespace {

template <class Window>
std::unique_ptr<clsTessarymInterface> Create() {
    return std::make_unique<Window>();
}

}  // namespace

const WindowSlotTable kWindowSlots{{
    {1, "all", "すべて", Create<clsEmuAll>},
    {2, "basic", "基本情報ウィンドウ", Create<clsEmuBasic>},
    {3, "msgbox", "メッセージボックス", Create<clsEmnuMsgBox>},
    {4, "status", "ステータスウィンドウ", Create<clsEmuStatus>},
    {5, "option", "オプションウィンドウ", Create<clsEmuOption>},
    {6, "item", "アイテムウィンドウ", Create<clsEmuItem>},
    {7, "equip", "装備ウィンドウ", Create<clsEmuEquip>},
    {8, "chat", "チャットウィンドウ", Create<clsEmuChat>},
    {9, "party", "パーティウィンドウ", Create<clsEmuFriend>},
    {10, "skill", "スキルウィンドウ", Create<clsEmuSkill>},
    {11, "trade", "トレードウィンドウ", Create<clsEmuTrade>},
    {12, "etc", "その他", Create<clsEmuEtc>},
}};

std::optional<int> SlotByKind(std::string_view kind) {
    for (const WindowSlot& slot : kWindowSlots) {
        if (kind == slot.kind) return slot.number;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(kind.data(), kind.data() + kind.size(), number);
    if (error == std::errc() && end == kind.data() + kind.size() && number >= 1 &&
        number <= kSlotCount) {
        return number;
    }
    return std::nullopt;
}

}  // namespace morvish
