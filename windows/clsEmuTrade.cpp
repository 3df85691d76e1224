#include "clsEmuTrade.h"

#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 120;

enum Piece : int {
    kTitleBar,
    kBackground,  // both panels
    kOk,
    kOkHover,
    kOkPressed,
    kOkDisabled,
    kExchange,
    kExchangeHover,
    kExchangePressed,
    kExchangeDisabled,
    kCancel,
    kCancelHover,
    kCancelPressed,
    kSampleItem,
};

constexpr ElementEntry kElements[] = {
    {"basic_interface\\titlebar_fix.bmp", 0, 0, "title bar"},
    {"basic_interface\\exchange_bg.bmp", 0, 17, "window background with both panels",
     Role::Background},
    {"btn_ok.bmp", 3, 97, "OK button, normal"},
    {"btn_ok_a.bmp", 3, 97, "OK button, hover"},
    {"btn_ok_b.bmp", 3, 97, "OK button, pressed"},
    {"btn_ok_dis.bmp", 3, 97, "OK button, disabled"},
    {"btn_exchange.bmp", 119, 97, "exchange button, normal"},
    {"btn_exchange_a.bmp", 119, 97, "exchange button, hover"},
    {"btn_exchange_b.bmp", 119, 97, "exchange button, pressed"},
    {"btn_exchange_dis.bmp", 119, 97, "exchange button, disabled"},
    {"btn_cancel.bmp", 235, 97, "cancel button, normal"},
    {"btn_cancel_a.bmp", 235, 97, "cancel button, hover"},
    {"btn_cancel_b.bmp", 235, 97, "cancel button, pressed"},
    {"trade.bmp", 4, 17, "sample item picture in the own panel", Role::Piece,
     Folder::SamplePictures},
};
static_assert(std::size(kElements) == kSampleItem + 1);

// With the right button held OK and exchange show their disabled looks; cancel has none and
// shows its hover look.
constexpr LitControl kButtons[] = {
    {kOk, {kOkHover, kOkPressed, kOkDisabled}},
    {kExchange, {kExchangeHover, kExchangePressed, kExchangeDisabled}},
    {kCancel, HoverAndPressed(kCancelHover, kCancelPressed)},
};

// The panels (own, partner's) answer at fixed places.
constexpr RECT kPanels[] = {{4, 17, 137, 70}, {144, 17, 277, 70}};

constexpr char kTitle[] = "交換ウィンドウ : Morvish";
constexpr Color kBlack = 0x000000;
constexpr Color kZenyField = 0xEFEBEF;
constexpr int kLockChipEntry = 11;
constexpr int kCaretChipEntry = 2;

}  // namespace

clsEmuTrade::clsEmuTrade() : EmulatedWindow({kElements}) {}

SkinPainter clsEmuTrade::Paint() {
    SkinPainter painter = NewPicture();
    painter.Piece(elements_[kTitleBar]);
    painter.Piece(elements_[kBackground]);
    for (int button : {kOk, kExchange, kCancel}) PieceWithHit(painter, button);
    painter.Piece(elements_[kSampleItem]);

    painter.Title(12, 3, kTitle);
    const SkinFont* english8 = mdlMain::GetSkinFont(FontKind::kEnglish, 8);
    painter.Text(english8, kBlack, 225, 77, "250");

    if (locked_[0]) {
        painter.Box(chip_[kLockChipEntry], 4, 17, 138, 71);
        painter.Text(english8, kBlack, 98, 77, "0");
    } else {
        // The zeny input field with its caret.
        painter.Box(kZenyField, 40, 74, 104, 90);
        painter.Box(chip_[kCaretChipEntry], 43, 74, 49, 90);
        painter.Text(mdlMain::GetSkinFont(FontKind::kEnglish, 9), kBlack, 42, 74, "0");
    }
    if (locked_[1]) painter.Box(chip_[kLockChipEntry], 144, 17, 278, 71);

    // The sample item lies over the own panel's box, locked or not.
    painter.Piece(elements_[kSampleItem]);
    return painter;
}

SurfaceResult clsEmuTrade::MouseDown(int Button, int X, int Y) {
    for (std::size_t panel = 0; panel < locked_.size(); ++panel) {
        if (mdlMain::IsPointInRect(kPanels[panel], X, Y)) {
            locked_[panel] = Button == MouseButton::kLeft;
            return Refresh();
        }
    }
    // A press on a button draws its look but shows it only with the next mouse movement; only
    // an error in drawing is passed on.
    for (const LitControl& button : kButtons) {
        if (!Hits(button.hit, X, Y)) continue;
        SurfaceResult look = MouseMove(Button, X, Y);
        if (!look) return look;
        return nullptr;
    }
    return nullptr;
}

SurfaceResult clsEmuTrade::MouseMove(int Button, int X, int Y) {
    return PaintLit({kButtons}, Button, X, Y);
}

RECT clsEmuTrade::getDrawRect() const {
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace morvish
