#include "clsEmnuMsgBox.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmnuMsgBox::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmnuMsgBox::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmnuMsgBox::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmnuMsgBox::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmnuMsgBox::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmnuMsgBox::Refresh() {
    SkinPainter painter(280, 245, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmnuMsgBox::getDrawRect() const { return RECT{0, 0, 280, 245}; }

}  // namespace morvish
