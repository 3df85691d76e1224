#include "clsEmuTrade.h"

#include "render/ProgramPaths.h"
#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 120;

constexpr std::array<ElementEntry, 14> kElements{{
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
    {"trade.bmp", 4, 17, "sample item picture in the own panel", Role::Sample},
}};

constexpr int kTitleBar = 0;
constexpr int kBackground = 1;
constexpr int kSamplePicture = 13;

// The panels' fixed hit rectangles (own, partner's) are entries 0 and 1.
constexpr RECT kPanels[] = {{4, 17, 137, 70}, {144, 17, 277, 70}};

// Each button's normal image (also the entry of its hit rectangle) and its looks.
struct ButtonLooks {
    int normal;
    int hover;
    int pressed;
    int rightHeld;  // the disabled look; cancel has none and shows its hover look
};

constexpr ButtonLooks kButtons[] = {
    {2, 3, 4, 5},      // OK
    {6, 7, 8, 9},      // exchange
    {10, 11, 12, 11},  // cancel
};

constexpr Color kBlack = 0x000000;
constexpr Color kZenyField = 0xEFEBEF;
constexpr int kLockChipEntry = 11;
constexpr int kCaretChipEntry = 2;

}  // namespace

void clsEmuTrade::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                  const std::filesystem::path& DirName,
                                  const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    elements_ = MakeElements(dir_, kElements);
    elements_[kSamplePicture].path = SamplePicturePath(std::string(kElements[kSamplePicture].name));
    hits_.fill(kNeverDrawn);
    hits_[0] = kPanels[0];
    hits_[1] = kPanels[1];
    locked_ = {};
}

SkinPainter clsEmuTrade::Paint() {
    SkinPainter painter(kWidth, kHeight, pane_->BackColor());
    painter.Piece(elements_[kTitleBar]);
    painter.Piece(elements_[kBackground]);
    for (int index : {kButtons[0].normal, kButtons[1].normal, kButtons[2].normal, kSamplePicture}) {
        Keep(hits_[index], painter.Piece(elements_[index]));
    }

    painter.Title(12, 3, "交換ウィンドウ : Morvish");
    painter.Text(mdlMain::GetSkinFont(2, 8), kBlack, 225, 77, "250");

    if (locked_[0]) {
        painter.Box(chip_[kLockChipEntry], 4, 17, 138, 71);
        painter.Text(mdlMain::GetSkinFont(2, 8), kBlack, 98, 77, "0");
    } else {
        // The zeny input field with its caret.
        painter.Box(kZenyField, 40, 74, 104, 90);
        painter.Box(chip_[kCaretChipEntry], 43, 74, 49, 90);
        painter.Text(mdlMain::GetSkinFont(2, 9), kBlack, 42, 74, "0");
    }
    if (locked_[1]) painter.Box(chip_[kLockChipEntry], 144, 17, 278, 71);

    // The sample item lies over the own panel's box, locked or not.
    painter.Piece(elements_[kSamplePicture]);
    return painter;
}

SurfaceResult clsEmuTrade::MouseDown(int Button, int X, int Y) {
    for (int panel = 0; panel < 2; ++panel) {
        if (mdlMain::IsPointInRect(hits_[panel], X, Y)) {
            locked_[panel] = Button == 1;
            return Refresh();
        }
    }
    // A press on a button draws its look but shows it only with the next mouse movement; only
    // an error in drawing is passed on.
    for (const auto& button : kButtons) {
        if (!mdlMain::IsPointInRect(hits_[button.normal], X, Y)) continue;
        SurfaceResult look = MouseMove(Button, X, Y);
        if (!look) return look;
        return nullptr;
    }
    return nullptr;
}

SurfaceResult clsEmuTrade::MouseMove(int Button, int X, int Y) {
    SkinPainter painter = Paint();
    std::array<HoverSpot, std::size(kButtons)> spots{};
    for (std::size_t i = 0; i < spots.size(); ++i) {
        const ButtonLooks& looks = kButtons[i];
        const int image = Button == 1 ? looks.pressed : Button == 2 ? looks.rightHeld : looks.hover;
        spots[i] = HoverSpot{hits_[looks.normal], &elements_[image]};
    }
    DrawHovers(painter, spots, X, Y);
    return painter.Finish();
}

SurfaceResult clsEmuTrade::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuTrade::MouseDblClick(int, int, int) {
    return nullptr;
}

SurfaceResult clsEmuTrade::Refresh() {
    return Paint().Finish();
}

RECT clsEmuTrade::getDrawRect() const {
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace morvish
