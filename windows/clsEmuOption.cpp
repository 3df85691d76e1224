#include "clsEmuOption.h"

#include "render/mdlMain.h"

namespace morvish {

namespace {

// The window's own elements, numbered on from the title bar's seven (0 to 6). The scroll bar
// entries (14 to 18) are not drawn as pieces: their positions give the bars' and the thumbs'
// extent, and the scroll bar helper loads the pieces itself.
constexpr std::array<ElementEntry, 12> kOwnElements{{
    {"basic_interface\\optwin0_bg.bmp", 0, 17, "background of page 0", Role::Background},
    {"basic_interface\\optwin1_bg.bmp", 0, 17, "background of page 1", Role::Background},
    {"checkbox_0.bmp", 0, 0, "check box, empty"},
    {"checkbox_1.bmp", 0, 0, "check box, ticked"},
    {"basic_interface\\txtbox_btn_a.bmp", 240, 64, "text box button, normal"},
    {"basic_interface\\txtbox_btn_b.bmp", 240, 64, "text box button, hover"},
    {"basic_interface\\txtbox_btn_c.bmp", 240, 64, "text box button, pressed"},
    {"scroll1left.bmp", 72, 21, "horizontal scroll bars, left end"},
    {"scroll1right.bmp", 222, 21, "horizontal scroll bars, right end"},
    {"scroll1mid.bmp", 84, 21, "horizontal scroll bars, track"},
    {"scroll1bar_left.bmp", 185, 21, "scroll bar thumb, left end"},
    {"scroll1bar_right.bmp", 189, 21, "scroll bar thumb, right end"},
}};

constexpr int kCheckBoxEmpty = 9;
constexpr int kCheckBoxTicked = 10;
constexpr int kTextBoxButton = 11;
constexpr int kTextBoxHover = 12;
constexpr int kTextBoxPressed = 13;
constexpr int kBarStart = 14;
constexpr int kBarEnd = 15;
constexpr int kThumbStart = 17;
constexpr int kThumbEnd = 18;

struct Position {
    int x;
    int y;
};

constexpr std::array<Position, 3> kEmptyCheckBoxes{{{75, 101}, {203, 101}, {237, 23}}};
constexpr std::array<Position, 2> kTickedCheckBoxes{{{139, 101}, {237, 42}}};

// The second scroll bar lies 19 pixels below the first, its thumb 38 pixels further left.
struct ScrollBarPlace {
    int thumbShift;
    int yShift;
};
constexpr std::array<ScrollBarPlace, 2> kScrollBars{{{0, 0}, {-38, 19}}};
constexpr int kHorizontal = 2;

constexpr std::array<TextEntry, 7> kPage0Texts{{
    {78, 68, "<Basic Skin>"},
    {32, 100, "スナップ"},
    {86, 100, "attack"},
    {150, 100, "skill"},
    {214, 100, "item"},
    {248, 22, "on"},
    {248, 41, "on"},
}};

constexpr char kTitle[] = "オプション";

}  // namespace

void clsEmuOption::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                   const std::filesystem::path& DirName,
                                   const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    elements_ = PagedWindowFrame::MakeTable(dir_, kOwnElements);
    hit_.fill(kNeverDrawn);
    PagedWindowFrame::PlaceTabs(hit_);
    frame_ = PagedWindowFrame{};
}

SkinPainter clsEmuOption::Paint() {
    SkinPainter p = frame_.Paint(*pane_, elements_, hit_, kTitle);
    if (!frame_.ShowsPage0()) return p;

    for (const Position& place : kEmptyCheckBoxes) {
        p.Piece(elements_[kCheckBoxEmpty], place.x, place.y);
    }
    for (const Position& place : kTickedCheckBoxes) {
        p.Piece(elements_[kCheckBoxTicked], place.x, place.y);
    }
    Keep(hit_[kTextBoxButton], p.Piece(elements_[kTextBoxButton]));

    const Element& barStart = elements_[kBarStart];
    for (const ScrollBarPlace& bar : kScrollBars) {
        p.Place(mdlMain::DrawScrollBar(dir_, kHorizontal, barStart.x, elements_[kBarEnd].x,
                                       elements_[kThumbStart].x + bar.thumbShift,
                                       elements_[kThumbEnd].x + bar.thumbShift, true),
                barStart.x, barStart.y + bar.yShift);
    }

    // The labels keep the title's font and its final black.
    p.Texts(mdlMain::GetSkinFont(1, 9), 0x000000, kPage0Texts);
    return p;
}

SurfaceResult clsEmuOption::MouseDown(int Button, int X, int Y) {
    if (frame_.Press(hit_, Button, X, Y)) return Refresh();
    // The text box button exists only on the open first page; its rectangle from an earlier
    // drawing is not a button on the second page or below the minimised bar.
    const bool onTextBox =
        frame_.ShowsPage0() && Button == 1 && mdlMain::IsPointInRect(hit_[kTextBoxButton], X, Y);
    if (!onTextBox) return nullptr;
    SkinPainter p = Paint();
    const HoverSpot pressed{hit_[kTextBoxButton], &elements_[kTextBoxPressed]};
    DrawHovers(p, std::span(&pressed, 1), X, Y);
    return p.Finish();
}

SurfaceResult clsEmuOption::MouseMove(int Button, int X, int Y) {
    SkinPainter p = Paint();
    const auto buttons = PagedWindowFrame::ButtonHovers(elements_, hit_);
    std::vector<HoverSpot> spots(buttons.begin(), buttons.end());
    if (frame_.ShowsPage0()) {
        // With the left button held the text box button looks pressed, but only where it has
        // a hover look at all.
        const int look = Button == 1 ? kTextBoxPressed : kTextBoxHover;
        spots.push_back(
            HoverSpot{hit_[kTextBoxButton], &elements_[look], &elements_[kTextBoxHover]});
    }
    DrawHovers(p, spots, X, Y);
    return p.Finish();
}

SurfaceResult clsEmuOption::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuOption::MouseDblClick(int, int, int) {
    return nullptr;
}

SurfaceResult clsEmuOption::Refresh() {
    return Paint().Finish();
}

RECT clsEmuOption::getDrawRect() const {
    return frame_.DrawRect();
}

}  // namespace morvish
