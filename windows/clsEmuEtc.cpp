#include "clsEmuEtc.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuEtc::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuEtc::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuEtc::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuEtc::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuEtc::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuEtc::Refresh() {
    SkinPainter painter(610, 144, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuEtc::getDrawRect() const { return RECT{0, 0, 610, 144}; }

}  // namespace morvish
