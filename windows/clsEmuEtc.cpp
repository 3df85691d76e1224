#include "clsEmuEtc.h"

#include <iterator>

#include "render/clsDirectDraw.h"
#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 610;
constexpr int kHeight = 144;

enum Piece : int {
    kDialogBar,
    kDialogButton,
    kDialogButtonHover,
    kDialogButtonPressed,
    kSystemOff,
    kSystemOn,
    kDialogMiddle,
    kShortcutBar,
    kShortcutSample,
    kShortcutCloseOff,
    kShortcutCloseOn,
    kShopSign,
    kChatOpenSign,
    kChatClosedSign,
    kSignArrowLeft,
    kSignArrowRight,
    kSmallBoxTopLeft,
    kSmallBoxBottomLeft,
    kSmallBoxTopRight,
    kSmallBoxBottomRight,
    kSlotHighlight,
    kBack,
    kBackHover,
    kBackPressed,
    kBuy,
    kBuyHover,
    kBuyPressed,
    kCancel,
    kCancelHover,
    kCancelPressed,
    kClose,
    kCloseHover,
    kClosePressed,
    kExchange,
    kExchangeHover,
    kExchangePressed,
    kExchangeDisabled,
    kNext,
    kNextHover,
    kNextPressed,
    kOk,
    kOkHover,
    kOkPressed,
    kOkDisabled,
    kSell,
    kSellHover,
    kSellPressed,
    kUse,
    kUseHover,
    kUsePressed,
    kLevelUpOff,
    kLevelUpOn,
    kIconConfusion,
    kIconCurse,
    kIconFrozen,
    kIconPoison,
    kIconSilence,
    kIconStone,
    kArrowUp,
    kArrowDown,
    kArrowLeft,
    kArrowRight,
    kArrowRightOn,
};

constexpr ElementEntry kElements[] = {
    {"basic_interface\\dialog_bg.bmp", 0, 0, "dialog bar background"},
    {"basic_interface\\dialog_btn0.bmp", 96, 3, "dialog bar button, normal"},
    {"basic_interface\\dialog_btn1.bmp", 96, 3, "dialog bar button, hover"},
    {"basic_interface\\dialog_btn2.bmp", 96, 3, "dialog bar button, pressed"},
    {"basic_interface\\sys_base_off.bmp", 572, 7,
     "dialog bar system buttons, normal (drawn twice)"},
    {"basic_interface\\sys_base_on.bmp", 572, 7, "dialog bar system buttons, hover and pressed"},
    {"basic_interface\\dialog_mid.bmp", 2, 0, "dialog bar middle piece"},
    {"basic_interface\\shortitem_bg.bmp", 0, 29, "shortcut bar background"},
    {"shortcut.bmp", 4, 33, "sample picture over the shortcut slots", Role::Piece,
     Folder::SamplePictures},
    {"basic_interface\\sys_close_off.bmp", 266, 32, "shortcut bar close button, normal"},
    {"basic_interface\\sys_close_on.bmp", 266, 32, "shortcut bar close button, hover and pressed"},
    {"shop.bmp", 3, 71, "shop sign"},
    {"chat_open.bmp", 153, 71, "open chat room sign"},
    {"chat_close.bmp", 303, 71, "closed chat room sign"},
    {"sysbox_arr_l.bmp", 213, 88, "system box arrow left"},
    {"sysbox_arr_r.bmp", 363, 88, "system box arrow right"},
    // The small system box's corners, at positions inside that box.
    {"basic_interface\\sysboxs_lu.bmp", 0, 0, "small system box, top-left corner"},
    {"basic_interface\\sysboxs_ld.bmp", 0, 25, "small system box, bottom-left corner"},
    {"basic_interface\\sysboxs_ru.bmp", 174, 0, "small system box, top-right corner"},
    {"basic_interface\\sysboxs_rd.bmp", 174, 25, "small system box, bottom-right corner"},
    {"basic_interface\\shortitem_btn.bmp", 5, 59,
     "shortcut slot highlight (moved 29 pixels per slot)"},
    {"btn_back.bmp", 0, 107, "back button, normal"},
    {"btn_back_a.bmp", 0, 107, "back button, hover"},
    {"btn_back_b.bmp", 0, 107, "back button, pressed"},
    {"btn_buy.bmp", 47, 107, "buy button, normal"},
    {"btn_buy_a.bmp", 47, 107, "buy button, hover"},
    {"btn_buy_b.bmp", 47, 107, "buy button, pressed"},
    {"btn_cancel.bmp", 94, 107, "cancel button, normal"},
    {"btn_cancel_a.bmp", 94, 107, "cancel button, hover"},
    {"btn_cancel_b.bmp", 94, 107, "cancel button, pressed"},
    {"btn_close.bmp", 141, 107, "close button, normal"},
    {"btn_close_a.bmp", 141, 107, "close button, hover"},
    {"btn_close_b.bmp", 141, 107, "close button, pressed"},
    {"btn_exchange.bmp", 188, 107, "exchange button, normal"},
    {"btn_exchange_a.bmp", 188, 107, "exchange button, hover"},
    {"btn_exchange_b.bmp", 188, 107, "exchange button, pressed"},
    {"btn_exchange_dis.bmp", 188, 107, "exchange button, disabled"},
    {"btn_next.bmp", 235, 107, "next button, normal"},
    {"btn_next_a.bmp", 235, 107, "next button, hover"},
    {"btn_next_b.bmp", 235, 107, "next button, pressed"},
    {"btn_ok.bmp", 282, 107, "OK button, normal"},
    {"btn_ok_a.bmp", 282, 107, "OK button, hover"},
    {"btn_ok_b.bmp", 282, 107, "OK button, pressed"},
    {"btn_ok_dis.bmp", 282, 107, "OK button, disabled"},
    {"btn_sell.bmp", 329, 107, "sell button, normal"},
    {"btn_sell_a.bmp", 329, 107, "sell button, hover"},
    {"btn_sell_b.bmp", 329, 107, "sell button, pressed"},
    {"btn_use.bmp", 376, 107, "use button, normal"},
    {"btn_use_a.bmp", 376, 107, "use button, hover"},
    {"btn_use_b.bmp", 376, 107, "use button, pressed"},
    {"basic_interface\\lv_up_off.bmp", 423, 99, "level-up button, normal"},
    {"basic_interface\\lv_up_on.bmp", 423, 99, "level-up button, hover and pressed"},
    {"basic_interface\\ico_confusion.bmp", 0, 132, "status icon"},
    {"basic_interface\\ico_curse.bmp", 17, 132, "status icon"},
    {"basic_interface\\ico_frozen.bmp", 34, 132, "status icon"},
    {"basic_interface\\ico_poison.bmp", 51, 132, "status icon"},
    {"basic_interface\\ico_silence.bmp", 68, 132, "status icon"},
    {"basic_interface\\ico_stone.bmp", 85, 132, "status icon"},
    {"basic_interface\\arw_up.bmp", 102, 132, "arrow up"},
    {"basic_interface\\arw_down.bmp", 119, 132, "arrow down"},
    {"basic_interface\\arw_left.bmp", 136, 132, "arrow left"},
    {"basic_interface\\arw_right.bmp", 153, 132, "arrow right, normal"},
    {"basic_interface\\arw_right_on.bmp", 153, 132, "arrow right, hover and pressed"},
};
static_assert(std::size(kElements) == kArrowRightOn + 1);

// The dialog bar's second system button is the first one drawn again 14 pixels further right.
// It answers on a fixed rectangle, kept as the hit rectangle of the "on" look, which is never
// drawn in the element pass.
constexpr int kSecondSystemStep = 14;
constexpr RECT kSecondSystemHit{587, 8, 595, 16};

// The element pass in drawing order; the first system button is followed by its second copy.
// The status icons and the arrows come last, in table order.
constexpr int kElementPass[] = {
    kDialogBar,
    kDialogButton,
    kSystemOff,
    kDialogMiddle,
    kShortcutBar,
    kShortcutSample,
    kShortcutCloseOff,
    kShopSign,
    kChatOpenSign,
    kChatClosedSign,
    kSignArrowLeft,
    kSignArrowRight,
    kBack,
    kBuy,
    kCancel,
    kClose,
    kExchange,
    kNext,
    kOk,
    kSell,
    kUse,
    kLevelUpOff,
};

// The lit controls. The dialog bar button looks pressed with the left or the right button held,
// the text buttons with the left one; exchange and OK show their disabled looks for the right
// button.
constexpr LitControl kControls[] = {
    {kDialogButton, {kDialogButtonHover, kDialogButtonPressed, kDialogButtonPressed}},
    {kSystemOff, OneLook(kSystemOn)},
    {kSystemOn, OneLook(kSystemOn), LitControl::kLookItself, kSecondSystemStep},
    {kShortcutCloseOff, OneLook(kShortcutCloseOn)},
    {kBack, HoverAndPressed(kBackHover, kBackPressed)},
    {kBuy, HoverAndPressed(kBuyHover, kBuyPressed)},
    {kCancel, HoverAndPressed(kCancelHover, kCancelPressed)},
    {kClose, HoverAndPressed(kCloseHover, kClosePressed)},
    {kExchange, {kExchangeHover, kExchangePressed, kExchangeDisabled}},
    {kNext, HoverAndPressed(kNextHover, kNextPressed)},
    {kOk, {kOkHover, kOkPressed, kOkDisabled}},
    {kSell, HoverAndPressed(kSellHover, kSellPressed)},
    {kUse, HoverAndPressed(kUseHover, kUsePressed)},
    {kLevelUpOff, OneLook(kLevelUpOn)},
    {kArrowRight, OneLook(kArrowRightOn)},
};

// The controls a press reacts on: the dialog bar button, the text buttons, the level-up button
// and the right arrow.
constexpr int kPressable[] = {kDialogButton, kBack, kBuy,  kCancel, kClose,      kExchange,
                              kNext,         kOk,   kSell, kUse,    kLevelUpOff, kArrowRight};

// The shortcut bar's nine slots; the highlight lies below the slot, at (5 + 29k, 59).
constexpr int kSlots = 9;
constexpr int kSlotStep = 29;
constexpr RECT SlotRect(int slot) {
    return RECT{4 + kSlotStep * slot, 33, 28 + kSlotStep * slot, 57};
}

constexpr Color kBlack = 0x000000;
constexpr Color kTextField = 0xF7F3F7;
constexpr char kMessageText[] = "[MORVISH]";

// A box with the outline in `fore` and the inside in `fill`, on a surface of its own.
void DrawBoxOn(DirectDrawSurface7& surface, Color fore, Color fill, int x1, int y1, int x2,
               int y2) {
    surface.SetForeColor(fore);
    surface.SetFillColor(fill);
    surface.DrawBox(x1, y1, x2, y2);
}

void DrawTextOn(DirectDrawSurface7& surface, int x, int y, const char* text) {
    surface.SetFont(mdlMain::GetSkinFont(FontKind::kJapanese, 9));
    surface.SetForeColor(kBlack);
    surface.DrawText(x, y, text, false);
}

}  // namespace

clsEmuEtc::clsEmuEtc() : EmulatedWindow({kElements}) {}

void clsEmuEtc::ResetState() {
    hit_[kSystemOn] = kSecondSystemHit;
}

SkinPainter clsEmuEtc::Paint() {
    SkinPainter painter = NewPicture();

    // The three signs' frames: narrow edges, transparent inside.
    SurfaceResult sign = mdlMain::DrawSystemBox(dir_, 0, 0, 140, 28, false, false);
    if (!sign) {
        painter.Fail(sign.error());
    } else if (*sign) {
        for (int x : {0, 150, 300}) painter.Place(**sign, x, 68);
    }
    PaintMessageBoxes(painter);

    for (int piece : kElementPass) {
        PieceWithHit(painter, piece);
        if (piece == kSystemOff) {
            const Element& system = elements_[kSystemOff];
            painter.Piece(system, system.x + kSecondSystemStep, system.y);
        }
    }
    for (int piece = kIconConfusion; piece <= kArrowRight; ++piece) PieceWithHit(painter, piece);

    // The dialog bar's text fields and the sign titles lie over the pieces.
    painter.Box(kTextField, 5, 4, 95, 20);
    painter.Box(kTextField, 109, 4, 569, 20);
    const SkinFont* font = mdlMain::GetSkinFont(FontKind::kJapanese, 9);
    painter.Text(font, kBlack, 31, 76, "Morvish1");
    painter.Text(font, kBlack, 181, 76, "Morvish2");
    painter.Text(font, kBlack, 331, 76, "Morvish3");

    PaintSmallSystemBox(painter);
    return painter;
}

void clsEmuEtc::PaintMessageBoxes(SkinPainter& painter) const {
    // The first holds two boxes in colour chip entries 5 and 1 around its text.
    SurfaceResult first = mdlMain::DrawSystemBox(dir_, 0, 0, 140, 54, true, false);
    if (first && *first) {
        DrawBoxOn(**first, chip_[5], chip_[5], 10, 10, 130, 30);
        DrawBoxOn(**first, chip_[1], chip_[1], 14, 30, 126, 48);
        DrawTextOn(**first, 13, 14, kMessageText);
    }
    painter.Place(std::move(first), 470, 29);

    SurfaceResult second = mdlMain::DrawSystemBox(dir_, 0, 0, 140, 54, true, true);
    if (second && *second) DrawTextOn(**second, 13, 14, kMessageText);
    painter.Place(std::move(second), 470, 88);
}

void clsEmuEtc::PaintSmallSystemBox(SkinPainter& painter) const {
    // Composed on a surface of the key colour. The corners are copied whole, magenta included,
    // so their magenta becomes key colour; the finished box is then placed with the key, and the
    // canvas shows through wherever the corners are magenta.
    SkinPainter box(181, 32, gDirectDraw.getColorKey());
    DrawBoxOn(box.Canvas(), chip_[10], chip_[1], 0, 0, 181, 32);
    for (int corner :
         {kSmallBoxTopLeft, kSmallBoxBottomLeft, kSmallBoxTopRight, kSmallBoxBottomRight}) {
        box.Piece(elements_[std::size_t(corner)], Blit::Opaque);
    }
    const SkinFont* font = mdlMain::GetSkinFont(FontKind::kJapanese, 9);
    box.Text(font, kBlack, 3, 2, "<BASIC SKIN>");
    box.Text(font, kBlack, 3, 18, "Morvish");
    SurfaceResult built = box.Finish();
    if (built && *built) gDirectDraw.setColorKey(**built);
    painter.Place(std::move(built), 285, 29);
}

SurfaceResult clsEmuEtc::MouseDown(int Button, int X, int Y) {
    for (int control : kPressable) {
        if (Hits(control, X, Y)) {
            return MouseMove(Button, X, Y);
        }
    }
    return nullptr;
}

SurfaceResult clsEmuEtc::MouseMove(int Button, int X, int Y) {
    SkinPainter painter = Paint();
    std::vector<HoverSpot> spots;
    AddSpots(spots, kControls, Button);
    // The slot under the pointer gets the highlight, whatever button is held.
    for (int slot = 0; slot < kSlots; ++slot) {
        spots.push_back(
            HoverSpot{SlotRect(slot), &elements_[kSlotHighlight], nullptr, kSlotStep * slot});
    }
    DrawHovers(painter, spots, X, Y);
    return painter.Finish();
}

RECT clsEmuEtc::getDrawRect() const {
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace morvish
