#include "clsEmuEquip.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuEquip::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuEquip::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuEquip::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuEquip::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuEquip::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuEquip::Refresh() {
    SkinPainter painter(280, 147, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuEquip::getDrawRect() const { return RECT{0, 0, 280, 147}; }

}  // namespace morvish
