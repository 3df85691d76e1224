#include "clsEmuSkill.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuSkill::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuSkill::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuSkill::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuSkill::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuSkill::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuSkill::Refresh() {
    SkinPainter painter(280, 309, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuSkill::getDrawRect() const { return RECT{0, 0, 280, 309}; }

}  // namespace morvish
