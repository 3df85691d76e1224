#include "clsEmuOption.h"

#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

namespace {

enum Piece : int {
    kCheckBoxEmpty = PagedWindow::kFirstOwnPiece,
    kCheckBoxTicked,
    kTextBoxButton,
    kTextBoxHover,
    kTextBoxPressed,
    kBarStart,
    kBarEnd,
    kTrack,
    kThumbStart,
    kThumbEnd,
};

// The window's own elements, numbered on from the frame's: the two page backgrounds first. The
// scroll bar entries are not drawn as pieces: their positions give the bars' and the thumbs'
// extent, and the scroll bar helper loads the pieces itself.
constexpr ElementEntry kOwnElements[] = {
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
};
static_assert(PagedWindow::kPage0Background + std::size(kOwnElements) == kThumbEnd + 1);

// Moving over the text box button shows its pressed look with the left button held and its
// hover look otherwise, but only where it has a hover look at all; a left press shows the
// pressed look.
constexpr LitControl kTextBoxMove[] = {
    {kTextBoxButton, HoverAndPressed(kTextBoxHover, kTextBoxPressed), kTextBoxHover},
};
constexpr LitControl kTextBoxPress[] = {
    {kTextBoxButton, OneLook(kTextBoxPressed)},
};

struct Position {
    int x;
    int y;
};

constexpr Position kEmptyCheckBoxes[] = {{75, 101}, {203, 101}, {237, 23}};
constexpr Position kTickedCheckBoxes[] = {{139, 101}, {237, 42}};

// The second scroll bar lies 19 pixels below the first, its thumb 38 pixels further left.
struct ScrollBarPlace {
    int thumbShift;
    int yShift;
};
constexpr ScrollBarPlace kScrollBars[] = {{0, 0}, {-38, 19}};

constexpr char kTitle[] = "オプション";

constexpr TextEntry kPage0Texts[] = {
    {78, 68, "<Basic Skin>"}, {32, 100, "スナップ"}, {86, 100, "attack"}, {150, 100, "skill"},
    {214, 100, "item"},       {248, 22, "on"},       {248, 41, "on"},
};

}  // namespace

clsEmuOption::clsEmuOption() : PagedWindow(kOwnElements, kTitle) {}

void clsEmuOption::PaintPage0(SkinPainter& painter) {
    const auto& e = elements_;
    for (const Position& place : kEmptyCheckBoxes) {
        painter.Piece(e[kCheckBoxEmpty], place.x, place.y);
    }
    for (const Position& place : kTickedCheckBoxes) {
        painter.Piece(e[kCheckBoxTicked], place.x, place.y);
    }
    PieceWithHit(painter, kTextBoxButton);

    const Element& barStart = e[kBarStart];
    for (const ScrollBarPlace& bar : kScrollBars) {
        painter.Place(mdlMain::DrawScrollBar(dir_, ScrollBar::kHorizontal, barStart.x, e[kBarEnd].x,
                                             e[kThumbStart].x + bar.thumbShift,
                                             e[kThumbEnd].x + bar.thumbShift, true),
                      barStart.x, barStart.y + bar.yShift);
    }

    painter.Texts(mdlMain::GetSkinFont(FontKind::kJapanese, 9), 0x000000, kPage0Texts);
}

SurfaceResult clsEmuOption::MouseDown(int Button, int X, int Y) {
    if (Press(Button, X, Y)) return Refresh();
    // The text box button exists only on the open first page; its rectangle from an earlier
    // drawing is not a button on the second page or below the minimised bar.
    const bool onTextBox =
        ShowsPage0() && Button == MouseButton::kLeft && Hits(kTextBoxButton, X, Y);
    if (!onTextBox) return nullptr;
    return PaintLit({kTextBoxPress}, Button, X, Y);
}

SurfaceResult clsEmuOption::MouseMove(int Button, int X, int Y) {
    if (!ShowsPage0()) return PagedWindow::MouseMove(Button, X, Y);
    return PaintLit({kTitleButtonLooks, kTextBoxMove}, Button, X, Y);
}

}  // namespace morvish
