#include "clsEmuOption.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuOption::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuOption::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuOption::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuOption::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuOption::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuOption::Refresh() {
    SkinPainter painter(280, 120, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuOption::getDrawRect() const { return RECT{0, 0, 280, 120}; }

}  // namespace morvish
