#include "clsEmuItem.h"

#include <iterator>

#include "render/mdlMain.h"

namespace morvish {

namespace {

constexpr int kWidth = 280;
constexpr int kOpenHeight = 259;
constexpr int kMinimisedHeight = 17;
constexpr int kPages = 3;

// The window's own elements, numbered on from the title bar buttons.
enum Piece : int {
    kTitleLeft = TitleButton::kCount,
    kTitleMiddle,
    kTitleRight,
    kTabStrip,  // three strips, one per page
    kFrameLeft = kTabStrip + kPages,
    kItemCell,
    kFrameRight,
    kButtonBarLeft,
    kButtonBarMiddle,
    kButtonBarRight,
    kResize,
    kPanel,
    kPanelCloseOff,
    kPanelCloseOn,
    kPageSample,  // three sample pictures, one per page
    kPanelSample = kPageSample + kPages,
};

constexpr ElementEntry kElements[] = {
    {"basic_interface\\titlebar_left.bmp", 0, 0, "title bar, left end"},
    {"basic_interface\\titlebar_mid.bmp", 12, 0, "title bar, middle piece (tiled)"},
    {"basic_interface\\titlebar_right.bmp", 268, 0, "title bar, right end"},
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
    {"item1.bmp", 41, 18, "sample item picture of page 0", Role::Piece, Folder::SamplePictures},
    {"item2.bmp", 41, 18, "sample item picture of page 1", Role::Piece, Folder::SamplePictures},
    {"item3.bmp", 41, 18, "sample item picture of page 2", Role::Piece, Folder::SamplePictures},
    {"item4.bmp", 10, 150, "sample picture of the described item", Role::Piece,
     Folder::SamplePictures},
};
static_assert(TitleButton::kCount + std::size(kElements) == kPanelSample + 1);

// The description panel's close button lights up like the title bar buttons.
constexpr LitControl kPanelClose[] = {
    {kPanelCloseOff, OneLook(kPanelCloseOn)},
};

// The tabs at the left edge, one per page. They touch without overlapping and stay where they
// are whatever the tab strip's picture looks like.
constexpr RECT kTabs[kPages] = {{5, 18, 18, 40}, {5, 41, 18, 66}, {5, 67, 18, 94}};

// Beside the item grid, shown on the third page only.
constexpr VerticalScrollBar kListScrollBar{265, 18, 99, 30, 68};
// Beside the item description.
constexpr VerticalScrollBar kDescriptionScrollBar{260, 171, 236, 183, 222};

constexpr char kTitle[] = "アイテム";

// The sample item's description, line by line, and its name.
constexpr TextEntry kDescription[] = {
    {94, 179, "一部、モンスターを倒したら"},
    {94, 197, "出る小さな結晶で、収集品商"},
    {94, 215, "人に売る事ができる。"},
    {90, 154, "ゼロピー"},
};

}  // namespace

clsEmuItem::clsEmuItem() : EmulatedWindow({kTitleButtons, kElements}) {}

void clsEmuItem::ResetState() {
    page_ = 0;
    minimised_ = false;
}

SkinPainter clsEmuItem::Paint() {
    SkinPainter p = NewPicture();
    const auto& e = elements_;

    // The middle piece's last copy reaches into the right end when it is wider than four pixels.
    p.Bar(e[kTitleLeft], e[kTitleMiddle], e[kTitleRight], 22, 12);
    PaintTitleButtons(p);
    // This title bar is built of three pieces; its title sits a pixel higher than on the
    // one-piece bars.
    p.Title(16, 2, kTitle);
    if (minimised_) return p;

    p.Piece(e[kTabStrip + page_]);
    p.Tile(e[kFrameLeft], 2, 0, 8);
    p.Tile(e[kFrameRight], 13, 0, 8);
    p.Grid(e[kItemCell], 7, 3, 32, 32);
    p.Bar(e[kButtonBarLeft], e[kButtonBarMiddle], e[kButtonBarRight], 12, 21);
    p.Piece(e[kResize]);
    p.Piece(e[kPageSample + page_]);
    p.Piece(e[kPanel]);
    p.Piece(e[kPanelSample]);
    if (page_ == 2) PlaceScrollBar(p, kListScrollBar);

    // The colour chip is read again so that an edited chip shows at once. Its first colour
    // fills the strip between the tabs and the grid and the description's text area, over the
    // pieces drawn so far.
    ReloadColorChip(p);
    p.Box(chip_[1], 20, 17, 40, 113);
    p.Box(chip_[1], 91, 175, 273, 255);

    PieceWithHit(p, kPanelCloseOff);
    PlaceScrollBar(p, kDescriptionScrollBar);
    p.Texts(mdlMain::GetSkinFont(FontKind::kJapanese, 9), 0x000000, kDescription);
    return p;
}

SurfaceResult clsEmuItem::MouseDown(int Button, int X, int Y) {
    // Only the left button acts; a press on the tab of the page shown changes nothing.
    if (Button != MouseButton::kLeft) return nullptr;
    for (int page = 0; page < kPages; ++page) {
        if (page != page_ && mdlMain::IsPointInRect(kTabs[page], X, Y)) {
            page_ = page;
            return Refresh();
        }
    }
    if (Hits(TitleButton::kMinimiseOff, X, Y)) {
        minimised_ = !minimised_;
        return Refresh();
    }
    return nullptr;
}

SurfaceResult clsEmuItem::MouseMove(int Button, int X, int Y) {
    return PaintLit({kTitleButtonLooks, kPanelClose}, Button, X, Y);
}

RECT clsEmuItem::getDrawRect() const {
    return RECT{0, 0, kWidth, minimised_ ? kMinimisedHeight : kOpenHeight};
}

}  // namespace morvish
