#include "clsEmuTrade.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuTrade::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuTrade::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuTrade::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuTrade::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuTrade::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuTrade::Refresh() {
    SkinPainter painter(280, 120, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuTrade::getDrawRect() const { return RECT{0, 0, 280, 120}; }

}  // namespace morvish
