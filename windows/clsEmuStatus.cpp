#include "clsEmuStatus.h"

#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

namespace {

enum Piece : int {
    kArrow = PagedWindow::kFirstOwnPiece,
};

// The window's own elements, numbered on from the frame's: the two page backgrounds first.
constexpr ElementEntry kOwnElements[] = {
    {"basic_interface\\statwin0_bg.bmp", 0, 17, "background of page 0", Role::Background},
    {"basic_interface\\statwin1_bg.bmp", 0, 17, "background of page 1", Role::Background},
    {"basic_interface\\arw_right.bmp", 88, 71, "arrow (drawn twice on page 0)"},
};
static_assert(PagedWindow::kPage0Background + std::size(kOwnElements) == kArrow + 1);

// The second arrow lies 32 pixels below the first.
constexpr int kArrowStep = 32;

constexpr char kTitle[] = "ステータス";

// Page 0's figures, column by column: the two columns of six, then the values to the right.
constexpr TextEntry kPage0Texts[] = {
    {54, 22, "31"},       {54, 38, "40"},     {54, 54, "41"},      {54, 70, "4"},
    {54, 86, "31"},       {54, 102, "5"},     {108, 22, "5"},      {108, 38, "5"},
    {108, 54, "6"},       {108, 70, "2"},     {108, 86, "4"},      {108, 102, "2"},
    {156, 21, "161 + 0"}, {168, 37, "4 ~ 4"}, {180, 53, "84"},     {186, 69, "0"},
    {237, 21, "25 + 41"}, {249, 37, "0 + 4"}, {243, 53, "93 + 0"}, {249, 69, "0 + 0"},
    {267, 85, "2"},
};

}  // namespace

clsEmuStatus::clsEmuStatus() : PagedWindow(kOwnElements, kTitle) {}

void clsEmuStatus::PaintPage0(SkinPainter& painter) {
    painter.Tile(elements_[kArrow], 2, 0, kArrowStep);
    painter.Texts(mdlMain::GetSkinFont(FontKind::kEnglish, 8), 0x000000, kPage0Texts);
}

}  // namespace morvish
