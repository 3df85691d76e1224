#include "clsEmuBasic.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuBasic::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuBasic::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuBasic::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuBasic::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuBasic::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuBasic::Refresh() {
    SkinPainter painter(280, 120, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuBasic::getDrawRect() const { return RECT{0, 0, 280, 120}; }

}  // namespace morvish
