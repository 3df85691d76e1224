#include "clsEmuStatus.h"

#include "render/mdlMain.h"

namespace morvish {

namespace {

// The window's own elements, numbered on from the title bar's seven (0 to 6).
constexpr std::array<ElementEntry, 3> kOwnElements{{
    {"basic_interface\\statwin0_bg.bmp", 0, 17, "background of page 0", Role::Background},
    {"basic_interface\\statwin1_bg.bmp", 0, 17, "background of page 1", Role::Background},
    {"basic_interface\\arw_right.bmp", 88, 71, "arrow (drawn twice on page 0)"},
}};

constexpr int kArrow = 9;
// The second arrow lies 32 pixels below the first.
constexpr int kArrowStep = 32;

constexpr char kTitle[] = "ステータス";

// Page 0's figures, column by column: the two columns of six, then the values to the right.
constexpr std::array<TextEntry, 21> kPage0Texts{{
    {54, 22, "31"},       {54, 38, "40"},     {54, 54, "41"},      {54, 70, "4"},
    {54, 86, "31"},       {54, 102, "5"},     {108, 22, "5"},      {108, 38, "5"},
    {108, 54, "6"},       {108, 70, "2"},     {108, 86, "4"},      {108, 102, "2"},
    {156, 21, "161 + 0"}, {168, 37, "4 ~ 4"}, {180, 53, "84"},     {186, 69, "0"},
    {237, 21, "25 + 41"}, {249, 37, "0 + 4"}, {243, 53, "93 + 0"}, {249, 69, "0 + 0"},
    {267, 85, "2"},
}};

}  // namespace

void clsEmuStatus::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
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

SkinPainter clsEmuStatus::Paint() {
    SkinPainter p = frame_.Paint(*pane_, elements_, hit_, kTitle);
    if (!frame_.ShowsPage0()) return p;
    p.Tile(elements_[kArrow], 2, 0, kArrowStep);
    // The text colour stays black from the title.
    p.Texts(mdlMain::GetSkinFont(2, 8), 0x000000, kPage0Texts);
    return p;
}

SurfaceResult clsEmuStatus::MouseDown(int Button, int X, int Y) {
    if (!frame_.Press(hit_, Button, X, Y)) return nullptr;
    return Refresh();
}

SurfaceResult clsEmuStatus::MouseMove(int, int X, int Y) {
    SkinPainter p = Paint();
    DrawHovers(p, PagedWindowFrame::ButtonHovers(elements_, hit_), X, Y);
    return p.Finish();
}

SurfaceResult clsEmuStatus::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuStatus::MouseDblClick(int, int, int) {
    return nullptr;
}

SurfaceResult clsEmuStatus::Refresh() {
    return Paint().Finish();
}

RECT clsEmuStatus::getDrawRect() const {
    return frame_.DrawRect();
}

}  // namespace morvish
