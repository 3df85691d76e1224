#include "clsEmuItem.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuItem::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuItem::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuItem::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuItem::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuItem::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuItem::Refresh() {
    SkinPainter painter(280, 259, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuItem::getDrawRect() const { return RECT{0, 0, 280, 259}; }

}  // namespace morvish
