#include "clsEmuItem.h"

#include "render/ProgramPaths.h"
#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kOpenHeight = 259;
constexpr int kMinimisedHeight = 17;
constexpr int kPages = 3;

constexpr ElementEntry kPieces[] = {
    {"basic_interface\\titlebar_left.bmp", 0, 0, "title bar, left end"},
    {"basic_interface\\titlebar_mid.bmp", 12, 0, "title bar, middle piece (tiled)"},
    {"basic_interface\\titlebar_right.bmp", 268, 0, "title bar, right end"},
    {"basic_interface\\sys_base_off.bmp", 3, 3, "system button, normal"},
    {"basic_interface\\sys_mini_off.bmp", 252, 3, "minimise button, normal"},
    {"basic_interface\\sys_close_off.bmp", 266, 3, "close button, normal"},
    {"basic_interface\\sys_base_on.bmp", 3, 3, "system button, hover"},
    {"basic_interface\\sys_mini_on.bmp", 252, 3, "minimise button, hover"},
    {"basic_interface\\sys_close_on.bmp", 266, 3, "close button, hover"},
    {"basic_interface\\tab_itm_01.bmp", 0, 17, "tab strip with page 0 selected"},
    {"basic_interface\\tab_itm_02.bmp", 0, 17, "tab strip with page 1 selected"},
    {"basic_interface\\tab_itm_03.bmp", 0, 17, "tab strip with page 2 selected"},
    {"basic_interface\\itemwin_left.bmp", 0, 99,
     "frame, left side below the tabs (tiled downwards)"},
    {"basic_interface\\itemwin_mid.bmp", 40, 17, "item cell (tiled as a grid)"},
    {"basic_interface\\itemwin_right.bmp", 260, 17, "frame, right side (tiled downwards)"},
    {"basic_interface\\btnbar_left.bmp", 0, 113, "button bar, left end"},
    {"basic_interface\\btnbar_mid.bmp", 21, 113, "button bar, middle piece (tiled)"},
    {"basic_interface\\btnbar_right.bmp", 259, 113, "button bar, right end"},
    {"btn_resize.bmp", 265, 119, "resize button"},
    {"basic_interface\\collection_bg.bmp", 0, 139, "description panel background"},
    {"basic_interface\\sys_close_off.bmp", 266, 142, "description panel close button, normal"},
    {"basic_interface\\sys_close_on.bmp", 266, 142, "description panel close button, hover"},
};

// The same for every skin, from the program's sample picture folder.
constexpr ElementEntry kSamples[] = {
    {"item1.bmp", 41, 18, "sample item picture of page 0", Role::Sample},
    {"item2.bmp", 41, 18, "sample item picture of page 1", Role::Sample},
    {"item3.bmp", 41, 18, "sample item picture of page 2", Role::Sample},
    {"item4.bmp", 10, 150, "sample picture of the described item", Role::Sample},
};

// The tabs at the left edge, one per page. They touch without overlapping and stay where they
// are whatever the tab strip's picture looks like.
constexpr RECT kTabs[kPages] = {{5, 18, 18, 40}, {5, 41, 18, 66}, {5, 67, 18, 94}};

// A vertical scroll bar: where its first and last cells and its thumb's end caps start, and the
// column it stands in.
struct ScrollBarPlace {
    int x;
    int barFrom;
    int barTo;
    int thumbFrom;
    int thumbTo;
};

// Beside the item grid, shown on the third page only.
constexpr ScrollBarPlace kListScrollBar{265, 18, 99, 30, 68};
// Beside the item description.
constexpr ScrollBarPlace kDescriptionScrollBar{260, 171, 236, 183, 222};

void PlaceScrollBar(SkinPainter& painter, const std::filesystem::path& dir,
                    const ScrollBarPlace& bar) {
    painter.Place(
        mdlMain::DrawScrollBar(dir, 1, bar.barFrom, bar.barTo, bar.thumbFrom, bar.thumbTo, false),
        bar.x, bar.barFrom);
}

// The sample item's description, line by line, and its name.
constexpr TextEntry kDescription[] = {
    {94, 179, "一部、モンスターを倒したら"},
    {94, 197, "出る小さな結晶で、収集品商"},
    {94, 215, "人に売る事ができる。"},
    {90, 154, "ゼロピー"},
};

}  // namespace

void clsEmuItem::ClassInitialize(const PreviewPane& ShowSkinPictureBox,
                                 const std::filesystem::path& DirName, const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
    elements_ = MakeElements(dir_, kPieces);
    samples_ = MakeElements(SamplePicturePath(""), kSamples);
    page_ = 0;
    minimised_ = false;
}

SkinPainter clsEmuItem::Paint() {
    const RECT size = getDrawRect();
    SkinPainter p(size.Right, size.Bottom, pane_->BackColor());
    const auto& e = elements_;

    // The title bar: both ends first, then the middle piece over them (its last copy reaches
    // into the right end when it is wider than four pixels).
    p.Piece(e[kTitleLeft]);
    p.Piece(e[kTitleRight]);
    p.Tile(e[kTitleMiddle], 22, 12, 0);
    Keep(hitSystem_, p.Piece(e[kSystemOff]));
    Keep(hitMinimise_, p.Piece(e[kMinimiseOff]));
    Keep(hitClose_, p.Piece(e[kCloseOff]));
    // This title bar is built of three pieces; its title sits a pixel higher than on the
    // one-piece bars.
    p.Title(16, 2, "アイテム");
    if (minimised_) return p;

    p.Piece(e[kTabStrip + page_]);
    p.Tile(e[kFrameLeft], 2, 0, 8);
    p.Tile(e[kFrameRight], 13, 0, 8);
    p.Grid(e[kItemCell], 7, 3, 32, 32);
    p.Piece(e[kButtonBarLeft]);
    p.Piece(e[kButtonBarRight]);
    p.Tile(e[kButtonBarMiddle], 12, 21, 0);
    p.Piece(e[kResize]);
    p.Piece(samples_[kPageSample + page_]);
    p.Piece(e[kPanel]);
    p.Piece(samples_[kPanelSample]);
    if (page_ == 2) PlaceScrollBar(p, dir_, kListScrollBar);

    // The colour chip is read again so that an edited chip shows at once. Its first colour
    // fills the strip between the tabs and the grid and the description's text area, over the
    // pieces drawn so far.
    if (Result<ColorChip> chip = mdlMain::LoadColorChip(dir_)) {
        chip_ = *chip;
    } else {
        p.Fail(chip.error());
    }
    p.Box(chip_[1], 20, 17, 40, 113);
    p.Box(chip_[1], 91, 175, 273, 255);

    Keep(hitPanelClose_, p.Piece(e[kPanelCloseOff]));
    PlaceScrollBar(p, dir_, kDescriptionScrollBar);
    const SkinFont* font = mdlMain::GetSkinFont(1, 9);
    p.Texts(font, 0x000000, kDescription);
    return p;
}

SurfaceResult clsEmuItem::Refresh() {
    return Paint().Finish();
}

SurfaceResult clsEmuItem::MouseDown(int Button, int X, int Y) {
    // Only the left button acts; a press on the tab of the page shown changes nothing.
    if (Button != 1) return nullptr;
    for (int page = 0; page < kPages; ++page) {
        if (page != page_ && mdlMain::IsPointInRect(kTabs[page], X, Y)) {
            page_ = page;
            return Refresh();
        }
    }
    if (mdlMain::IsPointInRect(hitMinimise_, X, Y)) {
        minimised_ = !minimised_;
        return Refresh();
    }
    return nullptr;
}

SurfaceResult clsEmuItem::MouseMove(int, int X, int Y) {
    SkinPainter p = Paint();
    const HoverSpot spots[] = {
        {hitSystem_, &elements_[kSystemOn]},
        {hitMinimise_, &elements_[kMinimiseOn]},
        {hitClose_, &elements_[kCloseOn]},
        {hitPanelClose_, &elements_[kPanelCloseOn]},
    };
    DrawHovers(p, spots, X, Y);
    return p.Finish();
}

SurfaceResult clsEmuItem::MouseUp(int, int, int) {
    return nullptr;
}
SurfaceResult clsEmuItem::MouseDblClick(int, int, int) {
    return nullptr;
}

RECT clsEmuItem::getDrawRect() const {
    return RECT{0, 0, kWidth, minimised_ ? kMinimisedHeight : kOpenHeight};
}

}  // namespace morvish
