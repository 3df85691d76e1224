#include "clsEmuChat.h"

#include "render/SkinPainter.h"

namespace morvish {

void clsEmuChat::ClassInitialize(const PreviewPane& ShowSkinPictureBox, const std::string& DirName,
                            const ColorChip& ColorChip) {
    pane_ = &ShowSkinPictureBox;
    dir_ = DirName;
    chip_ = ColorChip;
}

SurfaceResult clsEmuChat::MouseDown(int, int, int) { return nullptr; }
SurfaceResult clsEmuChat::MouseMove(int, int, int) { return nullptr; }
SurfaceResult clsEmuChat::MouseUp(int, int, int) { return nullptr; }
SurfaceResult clsEmuChat::MouseDblClick(int, int, int) { return nullptr; }

SurfaceResult clsEmuChat::Refresh() {
    SkinPainter painter(280, 120, pane_->BackColor());
    return painter.Finish();
}

RECT clsEmuChat::getDrawRect() const { return RECT{0, 0, 280, 120}; }

}  // namespace morvish
