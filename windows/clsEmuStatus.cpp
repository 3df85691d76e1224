#include "clsEmuStatus.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuStatus::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuStatus::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuStatus::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuStatus::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuStatus::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuStatus::Refresh() {
    SkinPainter painter(280, 120, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuStatus::getDrawRect() const { return RECT{0, 0, 280, 120}; }

}  // namespace morvish
